// Big texts go into the work box in slices with the event loop turning in between; the box must end
// up exactly as if the text had gone in whole, and copying a big selection hands out its plain text.
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <gtest/gtest.h>

using telmo::TextBoxW;

namespace {

// About 1.4 million code units with every kind of line break, a CR LF at many slice edges.
QString BigText() {
    QString text;
    const QString lines[] = {QStringLiteral("张三  13800138000\r\n"),
                             QStringLiteral("abc\n"),
                             QStringLiteral("x\ry\r\n"),
                             QStringLiteral("\r\n"),
                             QString(1000, u'长') + "\r\n",
                             QStringLiteral("备\u00A0注\u2029end")};
    for (int i = 0; text.size() < 1400000; ++i) text += lines[i % 6];
    return text;
}

QPlainTextEdit* Plain(TextBoxW& box) {
    return static_cast<QPlainTextEdit*>(box.Editor());
}

// What a box hands out for the document of this edit: its blocks joined with CR LF.
QString CrLfText(const QPlainTextEdit& edit) {
    return edit.document()->toRawText().replace(QChar(0x2029), QStringLiteral("\r\n"));
}

} // namespace

TEST(TextBoxWBigText, SlicedFillHoldsWhatAWholeFillHolds) {
    const QString text = BigText();
    QPlainTextEdit whole;
    whole.setPlainText(text);
    TextBoxW box;
    box.SetText(QStringLiteral("a\r\nb"));
    QSignalSpy changes(&box, &TextBoxW::Change);
    box.SetText(text);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(Plain(box)->document()->toRawText(), whole.document()->toRawText());
    EXPECT_EQ(Plain(box)->document()->blockCount(), whole.document()->blockCount());
    EXPECT_EQ(box.Text(), CrLfText(whole));
    EXPECT_FALSE(Plain(box)->document()->isUndoAvailable());
    EXPECT_EQ(box.SelStart(), 0);
}

TEST(TextBoxWBigText, BigReplacementOfTheSelectionUndoesAsOneEdit) {
    const QString before = QStringLiteral("before\r\nmiddle\r\nafter");
    const QString big = BigText();
    QPlainTextEdit whole;
    whole.setPlainText(before);
    QTextCursor cursor = whole.textCursor();
    cursor.setPosition(7);
    cursor.setPosition(13, QTextCursor::KeepAnchor);
    cursor.insertText(big);

    TextBoxW box;
    box.SetText(before);
    box.SetSelStart(8);
    box.SetSelLength(6);
    box.SetSelText(big);
    EXPECT_EQ(box.Text(), CrLfText(whole));
    EXPECT_EQ(Plain(box)->textCursor().position(), cursor.position());
    Plain(box)->undo();
    EXPECT_EQ(box.Text(), before);
}

TEST(TextBoxWBigText, CopyingABigSelectionHandsOutItsPlainText) {
    const QString text = BigText();
    QPlainTextEdit whole;
    whole.setPlainText(text);
    whole.selectAll();
    const QString expected = whole.textCursor().selection().toPlainText();
    TextBoxW box;
    box.SetText(text);
    Plain(box)->selectAll();
    Plain(box)->copy();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), expected);
    EXPECT_TRUE(expected.contains(u' ') && !expected.contains(QChar(0x2029)));
}
