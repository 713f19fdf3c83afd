// The main window on a real X server: a screenshot of each page for the eye, and the checks the eye
// would make: captions render with a font that has their glyphs, fit their controls, and no two
// controls of a page overlap except where the layout lays one over another on purpose.
#include "app/frmMain.h"
#include "app/frmQRCode.h"
#include "platform/WindowPlacement.h"
#include "ui/TabStrip.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using telmo::frmMain;

namespace {

QString Caption(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text().remove(u'&');
    return {};
}

void ExpectGlyphs(const QWidget* w, const QString& text) {
    const QFontMetrics metrics(w->font());
    for (QChar c : text) {
        if (c.isSpace()) continue;
        EXPECT_TRUE(metrics.inFont(c))
            << w->objectName().toStdString() << " lacks a glyph for U+" << std::hex << int(c.unicode());
    }
}

void ExpectCaptionFits(const QWidget* w) {
    const QString text = Caption(w);
    if (text.isEmpty()) return;
    auto* label = qobject_cast<const QLabel*>(w);
    if (label && label->wordWrap()) return;
    int need = w->fontMetrics().horizontalAdvance(text);
    if (qobject_cast<const QCheckBox*>(w))
        need = w->sizeHint().width();
    else if (qobject_cast<const QAbstractButton*>(w))
        need += 6;
    EXPECT_LE(need, w->width()) << w->objectName().toStdString() << " cuts its caption";
    EXPECT_LE(w->fontMetrics().height(), w->height() + 2) << w->objectName().toStdString();
}

// Pairs the layout overlaps on purpose: a digit box over the blanks of its label.
bool OverlapIsDesigned(const QWidget* a, const QWidget* b) {
    const QString pair = a->objectName() + u'+' + b->objectName();
    return pair == "Label5(0)+TextBoxW4(0)" || pair == "TextBoxW4(0)+Label5(0)" ||
           pair == "Label5(1)+TextBoxW4(1)" || pair == "TextBoxW4(1)+Label5(1)";
}

void CheckPage(QWidget* page) {
    QList<QWidget*> children;
    for (QObject* o : page->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && w->isVisible()) children << w;
    for (QWidget* w : children) {
        ExpectGlyphs(w, Caption(w));
        ExpectCaptionFits(w);
        EXPECT_TRUE(page->rect().contains(w->geometry()))
            << w->objectName().toStdString() << " leaves its page";
    }
    for (int i = 0; i < children.size(); ++i)
        for (int j = i + 1; j < children.size(); ++j)
            if (!OverlapIsDesigned(children[i], children[j])) {
                // One pixel is the layout's own rounding (a label 15 twips into the list below it).
                const QRect common = children[i]->geometry().intersected(children[j]->geometry());
                EXPECT_TRUE(common.isEmpty() || common.height() <= 1 || common.width() <= 1)
                    << children[i]->objectName().toStdString() << " overlaps "
                    << children[j]->objectName().toStdString();
            }
}

TEST(MainWindowScreens, EachPageRendersWithoutOverlapsAndIsSaved) {
    frmMain w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // The text page with everything it can show: the pattern list and a description with an example.
    w.findChild<QCheckBox*>("Check1")->click();
    w.findChild<QComboBox*>("Combo1")->setCurrentIndex(13);
    auto* strip = w.findChild<telmo::TabStrip*>("TabStrip1");
    ASSERT_NE(strip, nullptr);
    for (int tab = 1; tab <= 3; ++tab) {
        strip->Bar()->setCurrentIndex(tab - 1);
        QTest::qWait(150);
        QWidget* page = w.findChild<QWidget*>(QStringLiteral("Picture1(%1)").arg(tab - 1));
        ASSERT_TRUE(page->isVisible());
        CheckPage(page);
        for (int t = 0; t < strip->TabCount(); ++t) ExpectGlyphs(strip->Bar(), strip->Bar()->tabText(t));
        // The tab row stays clear of the pages that lie below it.
        EXPECT_LE(strip->y() + strip->TabRowHeight(), page->y() + 1);
        const QRect frame = w.frameGeometry();
        const QPixmap shot = w.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        ASSERT_FALSE(shot.isNull());
        const QString path =
            QDir(TELMO_BUILD_DIR).filePath(QStringLiteral("screenshot-page-%1.png").arg(tab));
        EXPECT_TRUE(shot.save(path)) << path.toStdString();
    }
}

TEST(MainWindowScreens, SponsorshipWindowShowsPictureAndWholeLine) {
    frmMain w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    telmo::frmQRCode dialog(&w);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::qWait(150);
    EXPECT_FALSE(dialog.Picture->pixmap().isNull());
    ExpectGlyphs(dialog.Label1, dialog.Label1->text());
    EXPECT_LE(dialog.Label1->fontMetrics().horizontalAdvance(dialog.Label1->text()), dialog.Label1->width());
    const QRect frame = dialog.frameGeometry();
    const QPixmap shot = dialog.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    EXPECT_TRUE(shot.save(QDir(TELMO_BUILD_DIR).filePath("screenshot-sponsor.png")));
}

TEST(MainWindowTopmost, CheckBoxPutsWindowIntoTopmostBandAndBack) {
    frmMain w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* check = w.findChild<QCheckBox*>("Check2");
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return telmo::IsTopmost(&w); }, 3000));
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !telmo::IsTopmost(&w); }, 3000));
    EXPECT_TRUE(w.isVisible());
}

QStringList VisibleWindows(const QString& title) {
    QProcess xdotool;
    xdotool.start("xdotool", {"search", "--onlyvisible", "--name", "^" + title + "$"});
    xdotool.waitForFinished(5000);
    return QString::fromUtf8(xdotool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

TEST(SingleInstance, SecondStartEndsAtOnceShowsNothingAndBringsFirstBack) {
    const QString program = QDir(TELMO_BUILD_DIR).filePath("telmo");
    QProcess first;
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());
    EXPECT_TRUE(QTest::qWaitFor([] { return VisibleWindows("Telmo填表助手").size() == 1; }, 10000));
    // Minimised, so that coming to the front is visible from outside.
    QProcess::execute("xdotool", {"windowminimize", VisibleWindows("Telmo填表助手").value(0)});
    EXPECT_TRUE(QTest::qWaitFor([] { return VisibleWindows("Telmo填表助手").isEmpty(); }, 5000));
    QElapsedTimer timer;
    timer.start();
    QProcess second;
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(second.readAllStandardError(), QByteArray());
    // The running window came back; no second one appeared.
    EXPECT_TRUE(QTest::qWaitFor([] { return VisibleWindows("Telmo填表助手").size() == 1; }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(VisibleWindows("Telmo填表助手").size(), 1);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    first.waitForFinished(5000);
}

} // namespace
