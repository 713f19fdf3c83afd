#pragma once
// What the five step windows share: a fixed-size modal window without close box that leaves its
// step line (or nothing) in StepResult when it closes, however it is closed.
#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;

namespace telmo {
class TextBoxW;
}

namespace telmo {

enum class StepWindowBorder { Tool, Dialog };

class StepDialog : public QDialog {
    Q_OBJECT
public:
    // The line the window produced; empty until a confirming button made one.
    QString result() const { return result_; }

    // Shows the window modally and returns the line it left in StepResult.
    QString ask();

protected:
    StepDialog(QWidget* parent, const QString& caption, QSize clientSize, StepWindowBorder border);

    // Closes the window with a line; an empty line closes it without a step.
    void finish(const QString& line);

    QPushButton* addButton(const QString& objectName, const QString& caption, const QRect& geometry);
    QLabel* addLabel(const QString& objectName, const QString& text, const QRect& geometry);
    QRadioButton* addOption(const QString& objectName, const QString& text, const QRect& geometry);
    // "确定" (default button, Enter) calling onOk, and "取消" (Esc) closing without a step.
    void addOkCancel(const QRect& okGeometry, const QRect& cancelGeometry, const std::function<void()>& onOk);
    // The argument box TextBoxW1: single-line, focused at opening.
    TextBoxW* addTextBox(const QRect& geometry, bool digitsOnly);

    void done(int r) override;

private:
    QString result_;
};

} // namespace telmo
