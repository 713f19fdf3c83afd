// Execute on the script page with the real X11 backends: the confirmation shows while the main
// window is hidden; a confirmed run types into the window that has the focus and the main window
// comes back afterwards.
#include "app/frmMain.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using telmo::frmMain;

namespace {

// Answers the run confirmation once it shows, noting its texts and whether the main window was hidden.
struct Confirmation {
    QString title, text;
    bool mainHidden = false;
    bool seen = false;
    void Answer(frmMain* w, QMessageBox::StandardButton button, std::function<void()> then = {}) {
        // The pending timer owns the poll; the poll only knows itself weakly, or it would never be freed.
        auto poll = std::make_shared<std::function<void(int)>>();
        std::weak_ptr<std::function<void(int)>> self = poll;
        *poll = [=, this](int left) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->isVisible()) {
                seen = true;
                title = box->windowTitle();
                text = box->text();
                mainHidden = !w->isVisible();
                if (then) then();
                box->button(button)->click();
                return;
            }
            if (left > 0) QTimer::singleShot(10, [poll = self.lock(), left] { (*poll)(left - 10); });
        };
        QTimer::singleShot(0, [poll] { (*poll)(10000); });
    }
};

TEST(RunFromWindow, DeclinedConfirmationHidesAndRestoresTheWindow) {
    frmMain w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.TextBoxW3->SetText("INP never typed\r\n");
    Confirmation confirmation;
    confirmation.Answer(&w, QMessageBox::Cancel);
    w.Command1_Click(7);
    ASSERT_TRUE(confirmation.seen);
    EXPECT_EQ(confirmation.title, "运行脚本");
    EXPECT_EQ(confirmation.text, "即将执行脚本。\r\n按“确定”以开始执行，按“取消”以返回主界面。\r\n"
                                 "脚本执行期间，建议不要操作键盘鼠标。\r\n"
                                 "如果需要强制停止执行脚本，请使用任务管理器终止Telmo填表助手。");
    EXPECT_TRUE(confirmation.mainHidden);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.TextBoxW3->Text(), "INP never typed\r\n");
}

TEST(RunFromWindow, ConfirmedRunTypesIntoFocusedWindowThenWindowReturns) {
    frmMain w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QLineEdit target;
    target.setWindowTitle("target form");
    w.TextBoxW3->SetText("INP 填表 ok\r\n");
    w.TextBoxW4[0]->SetText("1");
    w.TextBoxW4[1]->SetText("1");
    Confirmation confirmation;
    confirmation.Answer(&w, QMessageBox::Ok, [&] {
        target.show();
        target.activateWindow();
    });
    w.Command1_Click(7);
    ASSERT_TRUE(confirmation.seen);
    EXPECT_TRUE(QTest::qWaitFor([&] { return target.text() == QString::fromUtf8("填表 ok"); }, 5000))
        << target.text().toStdString();
    EXPECT_TRUE(w.isVisible());
}

} // namespace
