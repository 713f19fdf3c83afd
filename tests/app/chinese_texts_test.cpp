// Qt's own texts in a Chinese program: the standard buttons and the file dialog speak Chinese,
// whatever the locale the program runs in.
#include "platform/qt/ChineseTranslations.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(ChineseTranslations, StandardButtonsAndFileDialogsSpeakChineseInAnEnglishLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::unique_ptr<QTranslator> translator(telmo::InstallChineseTranslations(*qApp));
    ASSERT_NE(translator, nullptr) << "no Chinese catalogue of Qt installed";

    const struct {
        QMessageBox::StandardButton button;
        const char* text;
    } buttons[] = {{QMessageBox::Ok, "确定"},
                   {QMessageBox::Cancel, "取消"},
                   {QMessageBox::Yes, "是(Y)"},
                   {QMessageBox::No, "否(N)"}};
    QMessageBox box(QMessageBox::Question, "运行脚本", "按“确定”以开始执行",
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    for (const auto& b : buttons)
        EXPECT_EQ(box.button(b.button)->text().remove(u'&'), QString::fromUtf8(b.text)) << b.text;

    // Qt's own dialog, as used where the desktop offers no native one.
    QFileDialog dialog(nullptr, "导出");
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const struct {
        const char* label;
        const char* text;
    } labels[] = {{"lookInLabel", "查找范围"}, {"fileNameLabel", "文件名"}, {"fileTypeLabel", "文件类型"}};
    for (const auto& l : labels) {
        auto* label = dialog.findChild<QLabel*>(l.label);
        ASSERT_NE(label, nullptr) << l.label;
        EXPECT_TRUE(label->text().contains(QString::fromUtf8(l.text)))
            << l.label << ": " << label->text().toStdString();
    }

    QCoreApplication::removeTranslator(translator.get());
    QLocale::setDefault(previous);
}

} // namespace
