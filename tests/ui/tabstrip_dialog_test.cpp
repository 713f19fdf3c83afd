// TabStrip indexes and TabClick; CommonDialog filters, cancel and choice.
#include "ui/CommonDialog.h"
#include "ui/TabStrip.h"

#include <QApplication>
#include <QFileDialog>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using telmo::CommonDialog;
using telmo::TabStrip;

namespace {

TEST(TabStrip, TabClickCountsFromOneAndOnlyForUserChoice) {
    TabStrip strip;
    strip.AddTab("文  本");
    strip.AddTab("动  作");
    strip.AddTab("选  项");
    QSignalSpy clicks(&strip, &TabStrip::TabClick);
    EXPECT_EQ(strip.TabCount(), 3);
    EXPECT_EQ(strip.SelectedIndex(), 1);
    EXPECT_EQ(strip.TabCaption(2), "动  作");
    strip.SetSelectedIndex(2); // the window's own choice raises nothing
    EXPECT_EQ(clicks.count(), 0);
    strip.Bar()->setCurrentIndex(2); // as a click on the third tab does
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 3);
}

TEST(CommonDialogFilter, PairsBecomeQtNameFilters) {
    EXPECT_EQ(telmo::QtNameFilters("文本文件(*.txt)|*.txt"), QStringList{"文本文件(*.txt)"});
    EXPECT_EQ(telmo::QtNameFilters("Scripts|*.sd|All|*.*"), QStringList({"Scripts (*.sd)", "All (*.*)"}));
    EXPECT_EQ(telmo::QtNameFilters("Pics|*.png;*.jpg"), QStringList{"Pics (*.png *.jpg)"});
    EXPECT_TRUE(telmo::QtNameFilters("").isEmpty());
}

// Answers the next modal file dialog: with a path, or cancels it when path is empty.
void AnswerFileDialog(const QString& path, QString* title = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (title) *title = dialog->windowTitle();
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
            if (dialog->isVisible()) { // the dialog would not take the path: fail rather than hang
                ADD_FAILURE() << "file dialog refused " << path.toStdString();
                dialog->reject();
            }
        }
    });
}

TEST(CommonDialog, CancelReturnsFalseAndKeepsFileName) {
    QWidget owner;
    CommonDialog dialog(&owner);
    dialog.FileName = "";
    AnswerFileDialog("");
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_EQ(dialog.FileName, "");
}

TEST(CommonDialog, ChoiceSetsFileNameAndTitle) {
    QTemporaryDir dir;
    QWidget owner;
    CommonDialog dialog(&owner);
    dialog.Filter = "文本文件(*.txt)|*.txt";
    dialog.DialogTitle = "导出";
    const QString path = dir.filePath("新 文件.txt"); // need not exist: the dialog does not insist
    QString title;
    AnswerFileDialog(path, &title);
    ASSERT_TRUE(dialog.ShowSave());
    EXPECT_EQ(title, "导出");
    EXPECT_EQ(dialog.FileName, path);
    EXPECT_EQ(dialog.FileTitle(), "新 文件.txt");
}

} // namespace
