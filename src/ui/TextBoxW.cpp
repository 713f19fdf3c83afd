#include "ui/TextBoxW.h"

#include "platform/NativeKeys.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <QValidator>

namespace telmo {

namespace {

constexpr QChar kParagraphSeparator(0x2029);

bool IsLineBreak(QChar c) {
    return c == u'\r' || c == u'\n' || c == kParagraphSeparator;
}

bool IsDigits(const QString& s) {
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// The document keeps U+2029 between blocks; the box hands out CR LF instead.
QString RawToCrLf(QString raw) {
    if (raw.contains(kParagraphSeparator)) raw.replace(kParagraphSeparator, QStringLiteral("\r\n"));
    return raw;
}

// True when the document will hand the text back unchanged: every line break is CR LF and nothing
// else in it is a break to the document.
bool HasOnlyCrLfBreaks(const QString& text) {
    const qsizetype n = text.size();
    const QChar* p = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c == u'\r') {
            if (i + 1 >= n || p[i + 1] != u'\n') return false;
            ++i;
        } else if (c == u'\n' || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1) {
            return false;
        }
    }
    return true;
}

QStringList LocalFiles(const QMimeData* mime) {
    QStringList files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

// Selections from this many code units on go to the clipboard (and, on X11, to the primary
// selection at every change of the selection, Ctrl+A included) as their plain text alone. Qt's own
// copy builds a formatted document of the selection first, which takes seconds for megabytes.
constexpr int kPlainCopyUnits = 1 << 20;

// Texts from twice this many code units on are put into the box a slice of this size at a time.
constexpr qsizetype kFillSliceUnits = 1 << 18;

// Where the slice that starts at `from` ends: after the first line feed once it is big enough, so
// that no CR LF is ever split between two slices.
qsizetype SliceEnd(QStringView all, qsizetype from) {
    if (all.size() - from <= kFillSliceUnits) return all.size();
    const qsizetype lf = all.indexOf(u'\n', from + kFillSliceUnits);
    return lf < 0 ? all.size() : lf + 1;
}

// The selected text as copying hands it out: what QTextDocument::toPlainText makes of it.
class SelectionText : public QMimeData {
public:
    explicit SelectionText(QString raw) : raw_(std::move(raw)) {}
    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& mime) const override { return mime == u"text/plain"; }

protected:
    QVariant retrieveData(const QString& mime, QMetaType) const override {
        if (mime != u"text/plain") return {};
        QString text = raw_;
        for (QChar& c : text) {
            const char16_t u = c.unicode();
            if (u == 0x2029 || u == 0x2028 || u == 0xFDD0 || u == 0xFDD1)
                c = u'\n';
            else if (u == 0xA0)
                c = u' ';
        }
        return text;
    }

private:
    QString raw_;
};

class PlainEditor : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    QMimeData* createMimeDataFromSelection() const override {
        const QTextCursor cursor = textCursor();
        if (cursor.selectionEnd() - cursor.selectionStart() < kPlainCopyUnits)
            return QPlainTextEdit::createMimeDataFromSelection();
        return new SelectionText(cursor.selectedText());
    }
};

} // namespace

// Sees every change of a single-line box as the text before and after it, so it can treat the
// inserted part the way the box promises: cut at its first line break, and (digits only) refused
// whole when it holds anything but 0 to 9. Typing, pasting, dropping and middle-click paste all
// pass through here.
class TextBoxWValidator : public QValidator {
public:
    TextBoxWValidator(TextBoxW* box, QLineEdit* line) : QValidator(line), box_(box), line_(line) {
        last_ = line->text();
        QObject::connect(line, &QLineEdit::textChanged, this, [this](const QString& t) { last_ = t; });
    }

    State validate(QString& input, int& pos) const override {
        if (input == last_) return Acceptable;
        qsizetype prefix = 0;
        const qsizetype maxCommon = std::min(input.size(), last_.size());
        while (prefix < maxCommon && input[prefix] == last_[prefix]) ++prefix;
        qsizetype suffix = 0;
        while (suffix < maxCommon - prefix &&
               input[input.size() - 1 - suffix] == last_[last_.size() - 1 - suffix])
            ++suffix;
        QString inserted = input.mid(prefix, input.size() - prefix - suffix);
        qsizetype cut = -1;
        for (qsizetype i = 0; i < inserted.size(); ++i)
            if (IsLineBreak(inserted[i])) {
                cut = i;
                break;
            }
        if (cut >= 0) {
            inserted.truncate(cut);
            input = input.left(prefix) + inserted + input.right(suffix);
            pos = int(prefix + inserted.size());
        }
        if (box_->DigitsOnly() && !IsDigits(inserted)) {
            box_->Refuse();
            return Invalid;
        }
        return Acceptable;
    }

private:
    TextBoxW* box_;
    QLineEdit* line_;
    QString last_;
};

TextBoxW::TextBoxW(Kind kind, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget* editor = nullptr;
    if (kind == Kind::MultiLine) {
        plain_ = new PlainEditor(this);
        plain_->setTabChangesFocus(false);
        plain_->viewport()->installEventFilter(this);
        connect(plain_, &QPlainTextEdit::textChanged, this, &TextBoxW::Change);
        connect(plain_->document(), &QTextDocument::contentsChanged, this,
                [this] { textCacheValid_ = false; });
        editor = plain_;
    } else {
        line_ = new QLineEdit(this);
        // The edit fills the box at the height the window gives it, not at its own preferred height.
        line_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        line_->setValidator(new TextBoxWValidator(this, line_));
        connect(line_, &QLineEdit::textChanged, this, &TextBoxW::Change);
        editor = line_;
    }
    editor->installEventFilter(this);
    layout->addWidget(editor);
    setFocusProxy(editor);
}

QWidget* TextBoxW::Editor() const {
    return plain_ ? static_cast<QWidget*>(plain_) : line_;
}

QString TextBoxW::Text() const {
    if (line_) return line_->text();
    if (!textCacheValid_) {
        textCache_ = RawToCrLf(plain_->document()->toRawText());
        textCacheValid_ = true;
    }
    return textCache_;
}

void TextBoxW::SetText(const QString& text) {
    if (line_) {
        // A single-line box holds the first line only.
        qsizetype cut = 0;
        while (cut < text.size() && !IsLineBreak(text[cut])) ++cut;
        line_->setText(text.left(cut));
        return;
    }
    if (text.size() >= 2 * kFillSliceUnits)
        FillInSlices(text);
    else
        plain_->setPlainText(text);
    if (HasOnlyCrLfBreaks(text)) {
        textCache_ = text;
        textCacheValid_ = true;
    }
}

// A big text goes in a slice at a time, each cut after a line feed so that no CR LF is split, with
// the window's event loop turning (without user input) in between: the window keeps painting, and
// the box ends up holding just what setPlainText makes of the whole text, with a fresh undo history
// and one change signal.
void TextBoxW::FillInSlices(const QString& text) {
    const QStringView all(text);
    auto sliceEnd = [&](qsizetype from) { return SliceEnd(all, from); };
    {
        const QSignalBlocker quiet(plain_);
        qsizetype at = sliceEnd(0);
        plain_->setPlainText(all.first(at).toString());
        QTextDocument* doc = plain_->document();
        doc->setUndoRedoEnabled(false);
        QTextCursor end(doc);
        end.movePosition(QTextCursor::End);
        while (at < all.size()) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            const qsizetype next = sliceEnd(at);
            end.insertText(all.sliced(at, next - at).toString());
            at = next;
        }
        doc->setUndoRedoEnabled(true);
        doc->setModified(false);
    }
    emit Change();
}

int TextBoxW::DocToText(int docPos) const {
    QTextBlock block = plain_->document()->findBlock(docPos);
    if (!block.isValid()) block = plain_->document()->lastBlock();
    return docPos + block.blockNumber();
}

int TextBoxW::TextToDoc(int textPos) const {
    QTextDocument* doc = plain_->document();
    if (textPos <= 0) return 0;
    // Block b starts at text position position(b) + b (one extra unit for each CR before it).
    int lo = 0, hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= textPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int offset = std::min(textPos - (block.position() + lo), block.length() - 1);
    return block.position() + offset;
}

int TextBoxW::SelStart() const {
    if (line_) return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    return DocToText(plain_->textCursor().selectionStart());
}

void TextBoxW::SetSelStart(int start) {
    if (line_) {
        line_->setCursorPosition(std::clamp(start, 0, int(line_->text().size())));
        return;
    }
    QTextCursor cursor = plain_->textCursor();
    cursor.setPosition(TextToDoc(start));
    plain_->setTextCursor(cursor);
}

int TextBoxW::SelLength() const {
    if (line_) return int(line_->selectedText().size());
    const QTextCursor cursor = plain_->textCursor();
    return DocToText(cursor.selectionEnd()) - DocToText(cursor.selectionStart());
}

void TextBoxW::SetSelLength(int length) {
    length = std::max(length, 0);
    if (line_) {
        const int start = SelStart();
        line_->setSelection(start, std::min(length, int(line_->text().size()) - start));
        return;
    }
    QTextCursor cursor = plain_->textCursor();
    const int startDoc = cursor.selectionStart();
    cursor.setPosition(startDoc);
    cursor.setPosition(TextToDoc(DocToText(startDoc) + length), QTextCursor::KeepAnchor);
    plain_->setTextCursor(cursor);
}

QString TextBoxW::SelText() const {
    if (line_) return line_->selectedText();
    return RawToCrLf(plain_->textCursor().selectedText());
}

void TextBoxW::SetSelText(const QString& text) {
    if (line_) {
        line_->insert(text);
        return;
    }
    QTextCursor cursor = plain_->textCursor();
    if (text.size() < 2 * kFillSliceUnits) {
        cursor.insertText(text); // one edit block: removal of the selection and the insertion undo together
    } else {
        // A big text goes in slice by slice as FillInSlices does, inside one edit block, so it still
        // undoes as one edit.
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        const QStringView all(text);
        for (qsizetype at = 0; at < all.size();) {
            if (at > 0) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            const qsizetype next = SliceEnd(all, at);
            cursor.insertText(all.sliced(at, next - at).toString());
            at = next;
        }
        cursor.endEditBlock();
    }
    plain_->setTextCursor(cursor);
}

void TextBoxW::SetFocus() {
    Editor()->setFocus(Qt::OtherFocusReason);
}

void TextBoxW::SetDigitsOnly(bool on) {
    digitsOnly_ = on;
    if (on && line_) line_->setInputMethodHints(Qt::ImhDigitsOnly);
}

void TextBoxW::SetScrollBars(bool horizontal, bool vertical) {
    if (!plain_) return;
    plain_->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    plain_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    plain_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TextBoxW::SetHideSelection(bool hide) {
    QWidget* editor = Editor();
    QPalette pal = editor->palette();
    if (hide) {
        pal.setBrush(QPalette::Inactive, QPalette::Highlight, pal.brush(QPalette::Inactive, QPalette::Base));
        pal.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                     pal.brush(QPalette::Inactive, QPalette::Text));
    } else {
        pal.setBrush(QPalette::Inactive, QPalette::Highlight,
                     pal.brush(QPalette::Active, QPalette::Highlight));
        pal.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                     pal.brush(QPalette::Active, QPalette::HighlightedText));
    }
    editor->setPalette(pal);
}

void TextBoxW::SetReadOnly(bool on) {
    if (plain_)
        plain_->setReadOnly(on);
    else
        line_->setReadOnly(on);
}

void TextBoxW::Refuse() {
    QApplication::beep();
    InputRefused();
}

bool TextBoxW::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (watched != Editor()) break;
        auto* key = static_cast<QKeyEvent*>(event);
        const int vk = VirtualKeyFromKeyEvent(*key);
        if (vk == 0) break;
        const Qt::KeyboardModifiers mods = key->modifiers();
        const int shift = (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) |
                          (mods & Qt::AltModifier ? 4 : 0);
        int keyCode = vk;
        KeyDown(keyCode, shift);
        if (keyCode == 0) return true;
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (acceptFileDrops_ && !LocalFiles(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = acceptFileDrops_ ? LocalFiles(drop->mimeData()) : QStringList();
        if (!files.isEmpty()) {
            drop->acceptProposedAction();
            OLEDragDrop(files);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace telmo
