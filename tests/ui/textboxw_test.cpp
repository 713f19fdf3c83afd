// TextBoxW: CR LF text, selection positions in units of that text, undoable SelText, single-line
// and digits-only input rules, key and file-drop events.
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using telmo::TextBoxW;

namespace {

QPlainTextEdit* Plain(TextBoxW& box) {
    return qobject_cast<QPlainTextEdit*>(box.Editor());
}
QLineEdit* Line(TextBoxW& box) {
    return qobject_cast<QLineEdit*>(box.Editor());
}

struct TextCase {
    const char16_t* in;
    const char16_t* out;
};

TEST(TextBoxWText, MultiLineHandsOutCrLf) {
    const TextCase cases[] = {
        {u"", u""},
        {u"abc", u"abc"},
        {u"a\r\nb", u"a\r\nb"},
        {u"a\nb\n", u"a\r\nb\r\n"},
        {u"\r\n\r\n", u"\r\n\r\n"},
        {u"中文\r\n繁體 \u00a0x\u3000y", u"中文\r\n繁體 \u00a0x\u3000y"}, // no-break space survives
        {u"tab\there", u"tab\there"},
        {u"lone\rcr", u"lone\r\ncr"},
        {u"para\u2029sep", u"para\r\nsep"},
        {u"end\r", u"end\r\n"},
    };
    TextBoxW box;
    for (const auto& c : cases) {
        box.SetText(QString::fromUtf16(c.in));
        EXPECT_EQ(box.Text(), QString::fromUtf16(c.out)) << QString::fromUtf16(c.in).toStdString();
        // After an edit and its undo the text is read from the document again: the same text.
        box.SetSelStart(0);
        box.SetSelText("x");
        EXPECT_EQ(box.Text(), "x" + QString::fromUtf16(c.out));
        Plain(box)->undo();
        EXPECT_EQ(box.Text(), QString::fromUtf16(c.out)) << QString::fromUtf16(c.in).toStdString();
    }
}

TEST(TextBoxWText, SingleLineKeepsFirstLineOnly) {
    TextBoxW box(TextBoxW::Kind::SingleLine);
    box.SetText("first\r\nsecond");
    EXPECT_EQ(box.Text(), "first");
    box.SetText(QString::fromUtf16(u"中文 line"));
    EXPECT_EQ(box.Text(), QString::fromUtf16(u"中文 line"));
}

struct SelCase {
    int start;
    int length;
    const char16_t* selected;
};

TEST(TextBoxWSelection, PositionsCountCrLfAsTwoUnits) {
    TextBoxW box;
    box.SetText(QString::fromUtf16(u"ab\r\n中文\r\n\r\nxyz"));
    const SelCase cases[] = {
        {0, 2, u"ab"},       {2, 2, u"\r\n"}, {4, 2, u"中文"},  {1, 5, u"b\r\n中文"},
        {6, 4, u"\r\n\r\n"}, {10, 3, u"xyz"}, {10, 99, u"xyz"}, {0, 13, u"ab\r\n中文\r\n\r\nxyz"},
        {3, 0, u""}, // between CR and LF: the caret goes to the end of the line
    };
    for (const auto& c : cases) {
        box.SetSelStart(c.start);
        box.SetSelLength(c.length);
        EXPECT_EQ(box.SelText(), QString::fromUtf16(c.selected)) << c.start << "+" << c.length;
    }
    box.SetSelStart(4);
    box.SetSelLength(3); // half a line break cannot be selected: the end stays before it
    EXPECT_EQ(box.SelStart(), 4);
    EXPECT_EQ(box.SelLength(), 2);
    EXPECT_EQ(box.SelText(), QString::fromUtf16(u"中文"));
}

TEST(TextBoxWSelection, SelectAllCoversWholeText) {
    const char16_t* texts[] = {u"", u"x", u"行一\r\n行二\r\n", u"\r\n\r\n\r\n", u"a\u00a0b\r\nc"};
    TextBoxW box;
    for (const char16_t* t : texts) {
        box.SetText(QString::fromUtf16(t));
        box.SetSelStart(0);
        box.SetSelLength(int(box.Text().size()));
        EXPECT_EQ(box.SelText(), box.Text());
        EXPECT_EQ(box.SelLength(), box.Text().size());
    }
}

TEST(TextBoxWSelText, ReplacesSelectionAsOneUndoableEdit) {
    TextBoxW box;
    box.SetText("abc xyz\r\nend");
    box.SetSelStart(4);
    box.SetSelLength(3);
    box.SetSelText(QString::fromUtf16(u"一\r\n二"));
    EXPECT_EQ(box.Text(), QString::fromUtf16(u"abc 一\r\n二\r\nend"));
    EXPECT_EQ(box.SelStart(), 4 + 4); // caret right after the inserted text
    EXPECT_EQ(box.SelLength(), 0);
    Plain(box)->undo();
    EXPECT_EQ(box.Text(), "abc xyz\r\nend");
}

TEST(TextBoxWSelText, InsertsAtCaretWithoutSelection) {
    TextBoxW box;
    box.SetText("ab\r\ncd");
    box.SetSelStart(4);
    box.SetSelText("KEY 65,0\r\n");
    EXPECT_EQ(box.Text(), "ab\r\nKEY 65,0\r\ncd");
    EXPECT_EQ(box.SelStart(), 14);
}

TEST(TextBoxWSingleLine, PasteIsCutAtFirstLineBreak) {
    TextBoxW box(TextBoxW::Kind::SingleLine);
    box.SetText("abXY");
    box.SetSelStart(2);
    QApplication::clipboard()->setText("12\r\n34");
    Line(box)->paste();
    EXPECT_EQ(box.Text(), "ab12XY");
}

struct DigitCase {
    const char* paste;
    const char* expected;
    bool refused;
};

TEST(TextBoxWDigitsOnly, RefusesNonDigitPasteWhole) {
    const DigitCase cases[] = {
        {"12a3", "7", true}, {"123", "7123", false}, {"-5", "7", true},
        {" 1", "7", true},   {"９", "7", true},      {"0", "70", false},
    };
    for (const auto& c : cases) {
        TextBoxW box(TextBoxW::Kind::SingleLine);
        box.SetDigitsOnly(true);
        box.SetText("7");
        box.SetSelStart(1);
        QSignalSpy refused(&box, &TextBoxW::InputRefused);
        QApplication::clipboard()->setText(QString::fromUtf8(c.paste));
        Line(box)->paste();
        EXPECT_EQ(box.Text(), c.expected) << c.paste;
        EXPECT_EQ(refused.count() > 0, c.refused) << c.paste;
    }
}

TEST(TextBoxWDigitsOnly, TypingLetterIsRefused) {
    TextBoxW box(TextBoxW::Kind::SingleLine);
    box.SetDigitsOnly(true);
    QTest::keyClicks(box.Editor(), "4x2");
    EXPECT_EQ(box.Text(), "42");
}

TEST(TextBoxWKeyDown, ReportsVirtualKeyAndShiftAndCanSwallow) {
    TextBoxW box;
    QList<std::pair<int, int>> seen;
    QObject::connect(&box, &TextBoxW::KeyDown, [&](int& key, int shift) {
        if (key < 16 || key > 18) seen.append({key, shift}); // Shift, Ctrl and Alt report themselves too
        if (key == 'Q') key = 0;
    });
    QTest::keyClick(box.Editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box.Editor(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(box.Editor(), Qt::Key_Return, Qt::AltModifier);
    QTest::keyClick(box.Editor(), Qt::Key_Q);
    QTest::keyClick(box.Editor(), Qt::Key_W);
    const QList<std::pair<int, int>> expected = {{65, 2}, {65, 3}, {13, 4}, {81, 0}, {87, 0}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(box.Text(), "w"); // Q was swallowed
}

void DropFiles(QWidget* target, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

TEST(TextBoxWDrop, DroppedFilesRaiseEventInOrder) {
    TextBoxW box;
    box.SetAcceptFileDrops(true);
    QSignalSpy dropped(&box, &TextBoxW::OLEDragDrop);
    DropFiles(Plain(box)->viewport(), {QUrl::fromLocalFile("/tmp/a.txt"), QUrl::fromLocalFile("/tmp/b.sd")});
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped[0][0].toStringList(), QStringList({"/tmp/a.txt", "/tmp/b.sd"}));
    EXPECT_EQ(box.Text(), ""); // nothing was inserted
}

TEST(TextBoxWDrop, BoxWithoutFileDropsRaisesNothing) {
    TextBoxW box;
    QSignalSpy dropped(&box, &TextBoxW::OLEDragDrop);
    DropFiles(Plain(box)->viewport(), {QUrl::fromLocalFile("/tmp/a.txt")});
    EXPECT_EQ(dropped.count(), 0);
}

} // namespace
