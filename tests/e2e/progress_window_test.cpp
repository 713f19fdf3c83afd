// The progress window during real runs of telmo-cli: it shows while the script fills another
// program's form, never takes the keyboard focus, and never catches a click meant for the form.
#include "DisplayRun.h"
#include "E2eSupport.h"
#include "platform/qt/QtRunHost.h"
#include "platform/x11/X11InputBackend.h"
#include "script/frmProgress.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using e2e::DisplayRun;
using e2e::Form;
using telmo::CornerAvoiding;
using telmo::frmProgress;

namespace {

const QString kFormTitle = "Telmo e2e form";
const QString kProgressTitle = QStringLiteral("脚本执行进度");

QString Xdotool(const QStringList& args) {
    QProcess p;
    p.start("xdotool", args);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The progress window as the display server shows it, or nullopt while none is mapped.
std::optional<QRect> ProgressOnScreen() {
    const QStringList ids = Xdotool({"search", "--onlyvisible", "--name", "^" + kProgressTitle + "$"})
                                .split(u'\n', Qt::SkipEmptyParts);
    if (ids.isEmpty()) return std::nullopt;
    static const QRegularExpression kGeometry(R"(Position: (-?\d+),(-?\d+).*Geometry: (\d+)x(\d+))",
                                              QRegularExpression::DotMatchesEverythingOption);
    const auto m = kGeometry.match(Xdotool({"getwindowgeometry", ids.first()}));
    if (!m.hasMatch()) return std::nullopt;
    return QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
}

// Where the progress window first appears: the bottom right corner of the primary screen.
QRect ProgressHome() {
    const frmProgress probe;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint corner =
        CornerAvoiding(area, probe.size(), frmProgress::kMargin, area.topLeft() - QPoint(1, 1)).value();
    return QRect(corner, probe.size());
}

QString Point(QPoint p) {
    return QString("%1,%2").arg(p.x()).arg(p.y());
}

} // namespace

TEST(ProgressWindow, ShowsDuringAFillWithoutEverTakingTheFocus) {
    Form form;
    ASSERT_TRUE(form.ready());
    const QStringList items = {"甲一", "乙二", "丙三", "丁四", "戊五"};
    DisplayRun run({"CPY", "PST", "KEY 9,0", "HLD 200"}, items, {"--count", "5", "--interval", "0"});
    ASSERT_TRUE(run.confirm());
    int shown = 0;
    QStringList focused;
    QJsonObject r;
    e2e::WaitFor(
        [&] {
            if (ProgressOnScreen()) ++shown;
            focused << e2e::FocusedTitle();
            r = form.report();
            return form.fieldValues(r).value(4) == items[4];
        },
        30000);
    EXPECT_EQ(run.finish(), 0) << run.standardError().toStdString();
    EXPECT_EQ(form.fieldValues(r), items);
    EXPECT_GT(shown, 0) << "the progress window never showed";
    EXPECT_FALSE(focused.contains(kProgressTitle));
    EXPECT_TRUE(focused.contains(kFormTitle));
    EXPECT_FALSE(ProgressOnScreen()) << "the progress window outlived the run";
}

TEST(ProgressWindow, ClicksWhereItStandsReachTheFormBeneath) {
    Form form;
    ASSERT_TRUE(form.ready());
    // The form's last field goes where the progress window will appear; the others stay above it.
    const QRect home = ProgressHome();
    const QString id =
        Xdotool({"search", "--onlyvisible", "--name", "^" + kFormTitle + "$"}).split(u'\n').value(0);
    ASSERT_FALSE(id.isEmpty());
    const QPoint shift = home.center() - form.fieldCentre(form.report(), 4);
    Xdotool({"windowmove", "--relative", id, QString::number(shift.x()), QString::number(shift.y())});
    QList<QPoint> centres;
    form.reportWhen([&](const QJsonObject& r) {
        centres.clear();
        for (int i = 0; i < 5; ++i) centres << form.fieldCentre(r, i);
        return home.contains(centres[4]);
    });
    ASSERT_TRUE(home.contains(centres[4])) << "the last field did not get under the progress window's place";
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const QPoint& c : centres) ASSERT_TRUE(screen.contains(c)) << "a field is off the screen";

    // The first click goes where the progress window stands when the run begins.
    QStringList script;
    for (int i : {4, 0, 1, 2, 3})
        script << "MOV " + Point(centres[i]) << "LFT DN"
               << "LFT UP"
               << "CPY"
               << "PST";
    DisplayRun run(script, {"第五", "第一", "第二", "第三", "第四"}, {"--interval", "0"});
    ASSERT_TRUE(run.confirm());
    EXPECT_EQ(run.finish(), 0) << run.standardError().toStdString();
    const QStringList items = {"第一", "第二", "第三", "第四", "第五"};
    const QJsonObject r = form.reportWhen([&](const QJsonObject& r) { return form.fieldValues(r) == items; });
    EXPECT_EQ(form.fieldValues(r), items);
}

namespace {

// The real host of a run; its confirmation is answered with Enter, as a user does.
class ConfirmedHost : public telmo::QtRunHost {
public:
    explicit ConfirmedHost(telmo::InputBackend& keys) : QtRunHost(nullptr), keys_(keys) {}
    bool confirmRun() override {
        QTimer enter;
        QObject::connect(&enter, &QTimer::timeout, [&] {
            if (e2e::FocusedTitle() != QStringLiteral("运行脚本")) return;
            enter.stop();
            keys_.keybd_event(0x0D, 0, 0, 0);
            keys_.keybd_event(0x0D, 0, telmo::KEYEVENTF_KEYUP, 0);
        });
        enter.start(20);
        return QtRunHost::confirmRun();
    }

private:
    telmo::InputBackend& keys_;
};

} // namespace

TEST(ProgressWindow, AStopDuringACopyLeavesTheClipboardServingTheWholeText) {
    Form form;
    ASSERT_TRUE(form.ready());
    QString error;
    const auto input = telmo::x11::X11InputBackend::Open(&error);
    ASSERT_TRUE(input) << error.toStdString();
    const QString item = QStringLiteral("复制到一半就停止 😀 ") + QString(8000, u'字') + "end";
    ConfirmedHost host(*input);
    // The stop comes while the copy step settles, the moment the text is on the clipboard.
    host.setStopCheck([&] { return QGuiApplication::clipboard()->text() == item; });
    EXPECT_EQ(telmo::RunScriptWithProgress("CPY\nPST\nKEY 9,0", item, {100, 0}, *input, host),
              telmo::RunOutcome::Stopped);
    EXPECT_EQ(form.fieldValues(form.report()).value(0), "") << "the paste after the copy ran";
    // The user pastes after the stop: the form gets the whole text from this process.
    input->keybd_event(17, 0, 0, 0);
    input->keybd_event(86, 0, 0, 0);
    input->keybd_event(86, 0, telmo::KEYEVENTF_KEYUP, 0);
    input->keybd_event(17, 0, telmo::KEYEVENTF_KEYUP, 0);
    // The form asks this process for the text; it is served while the host waits for that.
    host.pasteChordSent();
    host.waitForPendingPaste();
    const QJsonObject r =
        form.reportWhen([&](const QJsonObject& r) { return form.fieldValues(r).value(0) == item; });
    EXPECT_EQ(form.fieldValues(r).value(0), item);
}
