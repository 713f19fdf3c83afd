// A key pressed in the key chord window and replayed by the KEY step it wrote arrives in another
// program as the same key: the virtual-key code recorded from the X11 key event and the code the
// XTest backend turns back into a key agree, over letters, digits, function and navigation keys.
#include "E2eSupport.h"
#include "platform/Backends.h"
#include "platform/qt/QtRunHost.h"
#include "script/ScriptRunner.h"
#include "script/editor/StepLines.h"
#include "script/editor/frmPressKey.h"

#include <QApplication>
#include <QJsonArray>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

// The run confirmation would wait for a person; this run is confirmed.
class ConfirmedHost : public QtRunHost {
public:
    ConfirmedHost() : QtRunHost([](const QString&) {}) {}
    bool confirmRun() override { return true; }
};

// The key as Qt and X11 describe it: Qt's key and the keysym.
struct SeenKey {
    int qtKey = 0;
    quint32 keysym = 0;
    bool operator==(const SeenKey&) const = default;
};

class KeySpy : public QObject {
public:
    SeenKey last;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(e);
            last = {ke->key(), ke->nativeVirtualKey()};
        }
        return false;
    }
};

std::vector<int> KeysToTry() {
    std::vector<int> vks;
    for (int vk = 'A'; vk <= 'Z'; ++vk) vks.push_back(vk);
    for (int vk = '0'; vk <= '9'; ++vk) vks.push_back(vk);
    for (int vk = 0x70; vk <= 0x7B; ++vk) vks.push_back(vk);                   // F1 .. F12
    for (int vk : {33, 34, 35, 36, 37, 38, 39, 40, 45, 46}) vks.push_back(vk); // PgUp .. Delete
    return vks;
}

} // namespace

TEST(KeyRoundTrip, KeyRecordedInTheDialogIsTheKeyTheStepPresses) {
    QString error;
    RealBackends backends = CreateRealBackends([](const QString&) {}, &error);
    ASSERT_TRUE(backends.input) << error.toStdString();
    InputBackend& keyboard = *backends.input;

    // Record each key in a fresh key chord window, as a user pressing it would.
    const std::vector<int> vks = KeysToTry();
    QString script;
    std::vector<SeenKey> recorded;
    for (int vk : vks) {
        frmPressKey dialog;
        auto* keyBox = dialog.findChild<QLineEdit*>(QStringLiteral("Text2"));
        KeySpy spy;
        keyBox->installEventFilter(&spy);
        dialog.show();
        ASSERT_TRUE(e2e::WaitFor([&] { return dialog.isActiveWindow() && keyBox->hasFocus(); }));
        keyboard.keybd_event(std::uint8_t(vk), 0, 0, 0);
        keyboard.keybd_event(std::uint8_t(vk), 0, KEYEVENTF_KEYUP, 0);
        ASSERT_TRUE(e2e::WaitFor([&] { return !keyBox->text().isEmpty(); })) << vk;
        dialog.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        EXPECT_EQ(StepResult(), QStringLiteral("KEY %1,0\r\n").arg(vk));
        script += StepResult();
        recorded.push_back(spy.last);
    }

    // Replay the steps into another program's window.
    e2e::Form form(1, QStringLiteral("Telmo key target"));
    ASSERT_TRUE(form.ready());
    ASSERT_TRUE(e2e::WaitFor([] { return e2e::FocusedTitle() == QStringLiteral("Telmo key target"); }));
    ConfirmedHost host;
    EXPECT_EQ(RunScript(script, QString(), RunSettings{1, 0}, keyboard, host), RunOutcome::Finished);

    const QJsonObject report = form.reportWhen(
        [&](const QJsonObject& r) { return r["keys"].toArray().size() >= qsizetype(vks.size()); });
    const QJsonArray arrived = report["keys"].toArray();
    ASSERT_EQ(arrived.size(), qsizetype(vks.size()));
    for (size_t i = 0; i < vks.size(); ++i) {
        const QJsonArray key = arrived[qsizetype(i)].toArray();
        const SeenKey replayed{key[0].toInt(), quint32(key[2].toInteger())};
        EXPECT_EQ(replayed.qtKey, recorded[i].qtKey) << "vk " << vks[i];
        EXPECT_EQ(replayed.keysym, recorded[i].keysym) << "vk " << vks[i];
    }
}
