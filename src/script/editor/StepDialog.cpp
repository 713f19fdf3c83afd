#include "script/editor/StepDialog.h"

#include "app/AppFont.h"
#include "script/editor/StepLines.h"

#include "ui/TextBoxW.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace telmo {

StepDialog::StepDialog(QWidget* parent, const QString& caption, QSize clientSize, StepWindowBorder border)
    : QDialog(parent) {
    // No minimise, maximise or close box: the window ends through its own buttons (Alt+F4 still
    // closes it, which counts as cancelling).
    Qt::WindowFlags flags = (border == StepWindowBorder::Tool ? Qt::Tool : Qt::Dialog) |
                            Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    setWindowFlags(flags);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setFont(UiFont(9));
    StepResult().clear();
}

QString StepDialog::ask() {
    exec();
    return StepResult();
}

void StepDialog::finish(const QString& line) {
    result_ = line;
    accept();
}

QPushButton* StepDialog::addButton(const QString& objectName, const QString& caption, const QRect& geometry) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    return button;
}

QLabel* StepDialog::addLabel(const QString& objectName, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, this);
    label->setObjectName(objectName);
    label->setGeometry(geometry);
    return label;
}

QRadioButton* StepDialog::addOption(const QString& objectName, const QString& text, const QRect& geometry) {
    auto* option = new QRadioButton(text, this);
    option->setObjectName(objectName);
    option->setGeometry(geometry);
    return option;
}

void StepDialog::addOkCancel(const QRect& okGeometry, const QRect& cancelGeometry,
                             const std::function<void()>& onOk) {
    QPushButton* ok = addButton(QStringLiteral("Command1"), QStringLiteral("确定"), okGeometry);
    QPushButton* cancel = addButton(QStringLiteral("Command2"), QStringLiteral("取消"), cancelGeometry);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TextBoxW* StepDialog::addTextBox(const QRect& geometry, bool digitsOnly) {
    auto* box = new TextBoxW(TextBoxW::Kind::SingleLine, this);
    box->setObjectName(QStringLiteral("TextBoxW1"));
    box->setFont(UiFont(10.5));
    box->setGeometry(geometry);
    box->SetDigitsOnly(digitsOnly);
    box->SetFocus();
    return box;
}

void StepDialog::done(int r) {
    if (r != Accepted) result_.clear();
    StepResult() = result_;
    QDialog::done(r);
}

} // namespace telmo
