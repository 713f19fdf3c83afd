// A paste on X11 is a conversation with the target, and the target may still hold keys from before
// the run: the run's next keys must wait for both, or fields land in the wrong place.
#include "DisplayRun.h"
#include "E2eSupport.h"
#include "platform/InputBackend.h"
#include "platform/x11/X11InputBackend.h"

#include <QJsonArray>
#include <gtest/gtest.h>

using e2e::DisplayRun;
using e2e::Form;

namespace {

constexpr int kVkShift = 0x10;
constexpr int kVkReturn = 0x0D;

const QStringList kItems = {"张三", "𠮷野家，“引号”《书》", "11010519491231002X", "北京市海淀区", "备注。"};

QStringList CopyPasteTab(int fields) {
    QStringList script;
    for (int i = 0; i < fields; ++i)
        script << "CPY"
               << "PST"
               << "KEY 9,0";
    return script;
}

} // namespace

// The form asks for the clipboard only 150 ms after Ctrl+V and pastes wherever the focus is then: a
// Tab sent before it asked would carry every text into the next field.
TEST(PasteTiming, ATargetThatAsksLateGetsEachTextInItsOwnField) {
    Form form(5, "Telmo e2e form", {"--lazy-paste", "150"});
    ASSERT_TRUE(form.ready());
    DisplayRun run(CopyPasteTab(5), kItems, {"--count", "1", "--interval", "0"});
    ASSERT_TRUE(run.confirm());
    ASSERT_EQ(run.finish(), 0) << run.standardError().toStdString();
    const QJsonObject r = form.reportWhen(
        [](const QJsonObject& r) { return r["fields"].toArray()[4].toString() == kItems[4]; });
    EXPECT_EQ(form.fieldValues(r), kItems);
}

// The user still holds Shift (and the Enter that confirmed the run) when the run begins: the run waits
// for them, then lets go of what is still down, so its Tabs do not become Shift+Tab.
TEST(PasteTiming, KeysStillHeldWhenTheRunStartsDoNotChangeItsKeys) {
    Form form;
    ASSERT_TRUE(form.ready());
    DisplayRun run(CopyPasteTab(3), kItems, {"--count", "1", "--interval", "0"});
    ASSERT_TRUE(run.waitForFocusedWindow(QStringLiteral("运行脚本")));
    QString error;
    auto user = telmo::x11::X11InputBackend::Open(&error);
    ASSERT_TRUE(user) << error.toStdString();
    user->keybd_event(kVkReturn, 0, 0, 0); // the box takes Enter on its press
    user->keybd_event(kVkShift, 0, 0, 0);  // both stay down
    ASSERT_EQ(run.finish(), 0) << run.standardError().toStdString();
    const QJsonObject r = form.reportWhen(
        [](const QJsonObject& r) { return r["fields"].toArray()[2].toString() == kItems[2]; });
    EXPECT_EQ(form.fieldValues(r), (QStringList{kItems[0], kItems[1], kItems[2], "", ""}));
    EXPECT_EQ(r["focus"].toString(), "field3");
    user->keybd_event(kVkReturn, 0, telmo::KEYEVENTF_KEYUP, 0);
    user->keybd_event(kVkShift, 0, telmo::KEYEVENTF_KEYUP, 0);
}
