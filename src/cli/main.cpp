// telmo-cli: the headless face of the core, for pipelines, batch clean-up and tests.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {
const char kUsage[] =
    "Usage:\n"
    "  telmo-cli text OP [FILE]                          OP: 0..18 or the operation's identifier\n"
    "  telmo-cli replace [--regex] FIND REPLACEMENT [FILE]\n"
    "  telmo-cli read [--gb2312] FILE\n"
    "  telmo-cli run [--dry-run] [--count N] [--interval S] [--items FILE]\n"
    "                [--screen WxH] [--now YYYY-MM-DDTHH:MM:SS] SCRIPT\n"
    "Input files are read as UTF-8; results go to standard output as UTF-8.\n";
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == "--help" || args.first() == "-h") {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    std::fprintf(stderr, "telmo-cli: unknown command '%s'\n", qPrintable(args.first()));
    std::fputs(kUsage, stderr);
    return 2;
}
