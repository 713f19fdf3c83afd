#pragma once
// Unicode text box: one control over Qt's edit widgets with the members the windows use.
// Multi-line boxes hand out and take their text with CR LF line breaks, and every position
// (SelStart, SelLength) counts UTF-16 code units of that CR LF text, so the text operations and
// the script editor can work on positions exactly as they see the text.
#include <QString>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

namespace telmo {

class TextBoxW : public QWidget {
    Q_OBJECT
public:
    enum class Kind { MultiLine, SingleLine };
    explicit TextBoxW(Kind kind = Kind::MultiLine, QWidget* parent = nullptr);

    bool IsMultiLine() const { return plain_ != nullptr; }

    // The whole content; multi-line boxes use CR LF between lines. Writing replaces the content and
    // starts a fresh undo history.
    QString Text() const;
    void SetText(const QString& text);

    // The selection in code units of Text(). Writing SelStart collapses the selection there;
    // writing SelLength then extends it from the start.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    QString SelText() const;
    // Replaces the selection (or inserts at the caret) as one undoable edit; the caret ends after it.
    void SetSelText(const QString& text);

    QString Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }

    void SetFocus();

    // Only 0 to 9 can be typed; an insertion holding anything else is refused whole, with a beep.
    void SetDigitsOnly(bool on);
    bool DigitsOnly() const { return digitsOnly_; }

    // Multi-line boxes: a horizontal scroll bar means no word wrap (the line runs on).
    void SetScrollBars(bool horizontal, bool vertical);
    // false keeps the selection painted while the box does not have the focus.
    void SetHideSelection(bool hide);
    // Dropped files raise OLEDragDrop instead of inserting anything.
    void SetAcceptFileDrops(bool on) { acceptFileDrops_ = on; }
    bool AcceptFileDrops() const { return acceptFileDrops_; }
    void SetReadOnly(bool on);

    // The edit widget underneath (for focus checks and tests).
    QWidget* Editor() const;

signals:
    // Raised for every key press before it takes effect: Windows virtual-key code and shift state
    // (Shift 1, Ctrl 2, Alt 4). Setting keyCode to 0 swallows the key.
    void KeyDown(int& keyCode, int shift);
    // Files dropped on the box, in the order the drop lists them.
    void OLEDragDrop(const QStringList& files);
    void Change();
    // A typed character or a paste was refused (digits-only box).
    void InputRefused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TextBoxWValidator;
    // Code-unit positions between the editor's document (one unit per line break) and Text().
    int DocToText(int docPos) const;
    int TextToDoc(int textPos) const;
    void Refuse();
    void FillInSlices(const QString& text);

    QPlainTextEdit* plain_ = nullptr;
    QLineEdit* line_ = nullptr;
    QString tag_;
    bool digitsOnly_ = false;
    bool acceptFileDrops_ = false;
    // The CR LF text of a multi-line box, kept until the document changes: large texts are handed
    // out again and again (Execute, replace, export) and converting them each time costs.
    mutable QString textCache_;
    mutable bool textCacheValid_ = false;
};

} // namespace telmo
