// The main window on a real X server with a window manager: the help of the step buttons shows while
// the pointer moves over them, and the window comes back exactly where it stood after the point
// picker, after a run and after a declined run.
#include "E2eSupport.h"
#include "app/frmMain.h"
#include "editor/WhenModalOpens.h"
#include "script/editor/ScriptEditorActions.h"
#include "script/editor/frmSelectPoint.h"
#include "ui/TabStrip.h"
#include "ui/TextBoxW.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using telmo::frmMain;

namespace {

// Counts the pointer moves a widget was given.
class MoveCounter : public QObject {
public:
    int moves = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseMove) ++moves;
        return false;
    }
};

TEST(ScriptPageHelp, MovingOverAStepButtonShowsItsDescriptionUntilThePageBackground) {
    frmMain w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.TabStrip1->Bar()->setCurrentIndex(1);
    QWidget* page = w.Picture1[1];
    ASSERT_TRUE(e2e::WaitFor([&] { return page->isVisible(); }));
    // Between the first two columns and rows of buttons lies the page itself.
    const QPoint background = page->mapToGlobal(QPoint(368, 100));
    ASSERT_EQ(page->childAt(QPoint(368, 100)), nullptr);

    for (int i : {0, 4, 19}) {
        auto* button = page->findChild<QPushButton*>(QStringLiteral("cmdAction(%1)").arg(i));
        ASSERT_NE(button, nullptr);
        MoveCounter counter;
        button->installEventFilter(&counter);
        // Real pointer motion, no button held: the moves reach the button and then its page.
        const QPoint centre = button->mapToGlobal(button->rect().center());
        for (int dx = 0; dx < 4; ++dx) {
            QCursor::setPos(centre + QPoint(dx * 3, 0));
            EXPECT_TRUE(e2e::WaitFor([&] { return counter.moves > dx; }, 5000)) << i;
        }
        EXPECT_EQ(w.Label6->text(), telmo::ScriptActionDescription(i)) << i;
        button->removeEventFilter(&counter);

        QCursor::setPos(background);
        EXPECT_TRUE(e2e::WaitFor([&] { return w.Label6->text().isEmpty(); }, 5000)) << i;
    }
}

// Waits until the window shows at place and stays there a moment without moving.
bool StandsAt(const QWidget& w, QPoint place) {
    QElapsedTimer still;
    still.start();
    return e2e::WaitFor(
        [&] {
            if (!w.isVisible() || w.pos() != place) still.restart();
            return still.elapsed() >= 300;
        },
        5000);
}

// Moves the window the way a user's drag does: the window manager moves it, the program is only told.
bool DragTo(const QWidget& w, QPoint client) {
    QProcess::execute("xdotool", {"windowmove", QString::number(w.winId()), QString::number(client.x()),
                                  QString::number(client.y())});
    return e2e::WaitFor([&] { return w.geometry().topLeft() == client; }, 5000);
}

struct PlaceCase {
    const char* name;
    QPoint start;
    std::function<void(frmMain&)> hideAndShow;
};

void RunFromWindow(frmMain& w, QMessageBox::StandardButton answer) {
    w.TextBoxW3->SetText("HLD 1\r\n");
    w.TextBoxW4[1]->SetText("0");
    WhenModalOpens<QMessageBox>([answer](QMessageBox& box) { box.button(answer)->click(); });
    w.Command1_Click(7);
}

TEST(MainWindowPlace, ComesBackWhereItStoodAfterThePickerAndAfterRuns) {
    const PlaceCase cases[] = {
        {"point picker, cancelled",
         {303, 129},
         [](frmMain& w) {
             w.TabStrip1->Bar()->setCurrentIndex(1);
             WhenModalOpens<telmo::frmSelectPoint>(
                 [](telmo::frmSelectPoint& picker) { QTest::keyClick(&picker, Qt::Key_Escape); }, 20000);
             w.Picture1[1]->findChild<QPushButton*>("cmdAction(4)")->click();
         }},
        {"run", {100, 60}, [](frmMain& w) { RunFromWindow(w, QMessageBox::Ok); }},
        {"declined run", {507, 238}, [](frmMain& w) { RunFromWindow(w, QMessageBox::Cancel); }},
    };
    for (const PlaceCase& c : cases) {
        // Placed by the window manager at first, as the program starts, then dragged by the user.
        frmMain w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w)) << c.name;
        ASSERT_TRUE(DragTo(w, c.start)) << c.name;
        const QPoint frame = w.pos();
        ASSERT_TRUE(StandsAt(w, frame)) << c.name;
        const QRect client = w.geometry();
        for (int round = 0; round < 2; ++round) {
            c.hideAndShow(w);
            EXPECT_TRUE(StandsAt(w, frame))
                << c.name << " round " << round << ": at " << w.pos().x() << "," << w.pos().y();
            EXPECT_EQ(w.geometry(), client) << c.name;
        }
    }
}

} // namespace
