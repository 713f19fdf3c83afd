// Every page and dialog on a real X server, at 96 dots per inch and at scale factor 2: each control
// shows its whole text at its place, no control covers a label, the single-line boxes have their
// laid-out heights, and the units after the digit boxes stand clear of the boxes. A screenshot of
// each window is saved in the build folder for the eye.
#include "app/AppFont.h"
#include "app/frmMain.h"
#include "app/frmQRCode.h"
#include "script/editor/frmCommand.h"
#include "script/editor/frmHold.h"
#include "script/editor/frmInputText.h"
#include "script/editor/frmMessage.h"
#include "script/editor/frmPressKey.h"
#include "script/frmProgress.h"
#include "ui/TabStrip.h"
#include "ui/TextBoxW.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::string Name(const QWidget* w) {
    return w->objectName().toStdString();
}

// The room a control gives its one line of text, and the text.
void ExpectTextFits(const QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull()) return;
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << Name(w) << " cuts its lines";
            return;
        }
        EXPECT_LE(fm.horizontalAdvance(label->text()), room.width()) << Name(w) << " cuts its text";
        EXPECT_LE(fm.height(), room.height()) << Name(w) << " cuts its line";
    } else if (auto* check = qobject_cast<const QAbstractButton*>(w);
               check && (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))) {
        EXPECT_LE(check->sizeHint().width(), check->width()) << Name(w) << " cuts its caption";
        EXPECT_LE(fm.height(), check->height()) << Name(w);
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        const QString text = button->text().remove(u'&');
        if (text.isEmpty()) return;
        // The frame of a push button takes two pixels on each side.
        EXPECT_LE(fm.horizontalAdvance(text) + 4, button->width()) << Name(w) << " cuts its caption";
        EXPECT_LE(fm.height(), button->height()) << Name(w);
    } else if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        for (int i = 0; i < combo->count(); ++i)
            EXPECT_LE(fm.horizontalAdvance(combo->itemText(i)), field.width())
                << Name(w) << " cuts entry " << combo->itemText(i).toStdString();
    } else if (auto* box = qobject_cast<const telmo::TextBoxW*>(w)) {
        EXPECT_EQ(box->Editor()->geometry(), box->rect()) << Name(w) << " is not drawn at its size";
        EXPECT_LE(box->Editor()->fontMetrics().height(), box->height()) << Name(w);
    }
}

// Labels are covered by nothing but what lies over their blanks by design; no two other controls
// overlap. The tab strip and a window's background picture lie under the others on purpose.
void ExpectNothingCovered(const QWidget* container) {
    QList<const QWidget*> children;
    for (const QObject* o : container->children()) {
        auto* w = qobject_cast<const QWidget*>(o);
        if (!w || !w->isVisible() || w->isWindow() || qobject_cast<const telmo::TabStrip*>(w)) continue;
        auto* picture = qobject_cast<const QLabel*>(w);
        if (picture && !picture->pixmap().isNull() && picture->pos() == QPoint(0, 0)) continue;
        children << w;
    }
    for (const QWidget* a : children)
        for (const QWidget* b : children) {
            if (a >= b) continue;
            const QRect common = a->geometry().intersected(b->geometry());
            // One pixel is the layout's own rounding (a label 15 twips into the list below it).
            if (common.isEmpty() || common.width() <= 1 || common.height() <= 1) continue;
            const QString pair = a->objectName().left(6) + b->objectName().left(6);
            const bool designed = pair == "Label5TextBo" || pair == "TextBoLabel5";
            EXPECT_TRUE(designed) << Name(a) << " overlaps " << Name(b);
        }
}

// "执行次数：                次": the unit shows on the screen right of the box that lies over the
// blanks, inside the label.
void ExpectUnitAfterBox(const QLabel* label, const QWidget* box) {
    const int left = box->geometry().right() + 1, right = label->geometry().right();
    const QPoint origin = label->parentWidget()->mapToGlobal(QPoint(left, label->y()));
    auto ink = [&] {
        const QImage shot = label->screen()
                                ->grabWindow(0, origin.x(), origin.y(), right - left + 1, label->height())
                                .toImage();
        int dark = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (qGray(shot.pixel(x, y)) < 128) ++dark;
        return dark;
    };
    // The page has just been switched to: its paint reaches the screen in a moment.
    EXPECT_TRUE(QTest::qWaitFor([&] { return ink() >= 8; }, 3000))
        << Name(label) << ": the unit is hidden under the box";
}

void CheckWindow(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->isVisible() && w->window() == window) ExpectTextFits(w);
    ExpectNothingCovered(window);
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->isVisible() && w->window() == window && w->objectName().startsWith("Picture1"))
            ExpectNothingCovered(w);
}

void Save(QWidget* window, const QString& name) {
    QTest::qWait(100); // the last paint reaches the server before the picture is taken
    const QRect frame = window->frameGeometry();
    const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString path =
        QDir(TELMO_BUILD_DIR)
            .filePath(QStringLiteral("screenshot-x%1-%2.png").arg(window->devicePixelRatio()).arg(name));
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
}

TEST(WindowTextFit, TheUiFontIsTheFirstInstalledOfItsList) {
    const QString family = telmo::UiFontFamily();
    ASSERT_FALSE(family.isEmpty()) << "no CJK font of the list is installed";
    EXPECT_EQ(QFontInfo(telmo::UiFont(9)).family(), family);
    EXPECT_TRUE(QFontMetrics(telmo::UiFont(9)).inFont(u'填'));
}

TEST(WindowTextFit, EveryPageAndDialogShowsItsWholeText) {
    telmo::frmMain w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.Check1->click(); // the pattern list and its button show too
    for (int tab = 1; tab <= 3; ++tab) {
        SCOPED_TRACE(tab);
        w.TabStrip1->Bar()->setCurrentIndex(tab - 1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.Picture1[tab - 1]->isVisible(); }));
        CheckWindow(&w);
        if (tab == 2)
            for (int i = 0; i < 2; ++i) ExpectUnitAfterBox(w.Label5[i], w.TextBoxW4[i]);
        Save(&w, QStringLiteral("page%1").arg(tab));
    }

    std::vector<std::pair<QString, std::unique_ptr<QWidget>>> dialogs;
    dialogs.emplace_back("frmInputText", std::make_unique<telmo::frmInputText>(&w));
    dialogs.emplace_back("frmMessage", std::make_unique<telmo::frmMessage>(&w));
    dialogs.emplace_back("frmHold", std::make_unique<telmo::frmHold>(&w));
    dialogs.emplace_back("frmCommand", std::make_unique<telmo::frmCommand>(&w));
    dialogs.emplace_back("frmPressKey", std::make_unique<telmo::frmPressKey>(&w));
    dialogs.emplace_back("frmQRCode", std::make_unique<telmo::frmQRCode>(&w));
    for (auto& [name, dialog] : dialogs) {
        SCOPED_TRACE(name.toStdString());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        CheckWindow(dialog.get());
        Save(dialog.get(), name);
        dialog->hide();
    }

    telmo::frmProgress progress;
    progress.setInterval(3);
    progress.setStep(2, 5, 2, 4, "INP 第二行数据");
    progress.showProgress();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
    CheckWindow(&progress);
    Save(&progress, "frmProgress");
}

TEST(WindowTextFit, EveryPageAndDialogShowsItsWholeTextAtScaleFactorTwo) {
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) GTEST_SKIP() << "this run is the scaled one";
    QProcess scaled;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", "2");
    scaled.setProcessEnvironment(env);
    scaled.setProcessChannelMode(QProcess::MergedChannels);
    scaled.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=WindowTextFit.*"});
    ASSERT_TRUE(scaled.waitForFinished(300000));
    const QByteArray output = scaled.readAll();
    EXPECT_EQ(scaled.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 2 tests")) << output.toStdString();
}

} // namespace
