// The manual page of telmo-cli is made from its help text: rendered, it says everything --help says.
#include "cli/man/ManPage.h"
#include "support/CliRun.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The page as man shows it: plain ASCII, no bold or underline, lines long enough never to wrap.
QString Rendered(const QString& roffPath, QString* warnings) {
    QProcess groff;
    groff.start("groff", {"-man", "-Tascii", "-ww", "-P-cbu", "-rLL=1000n", "-rHY=0", roffPath});
    groff.waitForFinished(60000);
    *warnings = QString::fromUtf8(groff.readAllStandardError());
    return QString::fromUtf8(groff.readAllStandardOutput());
}

} // namespace

TEST(CliManual, RenderedPageHoldsEveryLineOfTheHelp) {
    const QString page = TELMO_BUILD_DIR "/packaging/telmo-cli.1";
    ASSERT_TRUE(QFile::exists(page)) << page.toStdString();
    QString warnings;
    const QString rendered = Rendered(page, &warnings).simplified();
    EXPECT_TRUE(warnings.isEmpty()) << warnings.toStdString();
    ASSERT_TRUE(rendered.startsWith("TELMO-CLI(1)")) << rendered.left(200).toStdString();

    const CliResult help = RunCli({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    const QStringList lines = QString::fromUtf8(help.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 20);
    for (const QString& line : lines) {
        const bool heading = !line.startsWith(' ') && line.endsWith(':');
        const QString expected = heading
                                     ? (line == "Usage:" ? QString("SYNOPSIS") : line.chopped(1).toUpper())
                                     : line.simplified();
        EXPECT_TRUE(rendered.contains(expected)) << "missing from the manual page: " << line.toStdString();
    }
}

TEST(CliManual, TextIsEscapedForRoff) {
    struct Case {
        const char *text, *roff;
    } cases[] = {
        {"--dry-run", "\\-\\-dry\\-run"},    {"C:\\temp", "C:\\etemp"},
        {".hidden line", "\\&.hidden line"}, {"'quoted", "\\&'quoted"},
        {"mid.dle 'ok'", "mid.dle 'ok'"},    {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(telmo::man::RoffEscape(c.text), c.roff) << c.text;
}

TEST(CliManual, HelpLayoutBecomesSections) {
    const std::string page =
        telmo::man::HelpToManPage("Usage:\n  tool a\n  tool b\nDoes things.\n\n"
                                  "Exit status:\n  0  Done.\n  long-tag\n      Its text.\n",
                                  {"tool", "a tool", "1.5", ""});
    const char* expected = ".TH \"TOOL\" 1 \"\" \"tool 1.5\" \"User Commands\"\n"
                           ".SH NAME\ntool \\- a tool\n"
                           ".SH SYNOPSIS\n.nf\ntool a\ntool b\n.fi\n"
                           ".SH DESCRIPTION\nDoes things.\n"
                           ".SH \"EXIT STATUS\"\n.TP\n\\fB0\\fR\nDone.\n.TP\n\\fBlong\\-tag\\fR\nIts text.\n";
    EXPECT_EQ(page, expected);
}
