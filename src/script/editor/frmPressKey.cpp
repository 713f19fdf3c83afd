#include "script/editor/frmPressKey.h"

#include "app/AppFont.h"
#include "platform/NativeKeys.h"
#include "script/editor/StepLines.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace telmo {

namespace {

// The key box: read-only, and every key but Tab (which moves the focus on) replaces its text with
// the key's virtual-key code. Enter and Esc are keys like any other here, so the window never sees
// them; the modifier state is deliberately not looked at.
class KeyCaptureBox : public QLineEdit {
public:
    explicit KeyCaptureBox(QWidget* parent) : QLineEdit(parent) {
        setReadOnly(true);
        setAttribute(Qt::WA_InputMethodEnabled, false);
        setContextMenuPolicy(Qt::NoContextMenu);
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(e);
            if (IsFocusKey(*ke)) return QLineEdit::event(e);
            e->accept();
            if (e->type() == QEvent::KeyPress) {
                const int vk = VirtualKeyFromKeyEvent(*ke);
                if (vk > 0) setText(QString::number(vk));
            }
            return true;
        }
        if (e->type() == QEvent::KeyRelease) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }

private:
    static bool IsFocusKey(const QKeyEvent& ke) {
        return ke.key() == Qt::Key_Tab || ke.key() == Qt::Key_Backtab;
    }
};

} // namespace

const QStringList& frmPressKey::ModifierChords() {
    static const QStringList chords = {QStringLiteral("无"),           QStringLiteral("Shift"),
                                       QStringLiteral("Ctrl"),         QStringLiteral("Ctrl+Shift"),
                                       QStringLiteral("Alt"),          QStringLiteral("Alt+Shift"),
                                       QStringLiteral("Alt+Ctrl"),     QStringLiteral("Alt+Ctrl+Shift"),
                                       QStringLiteral("Win"),          QStringLiteral("Win+Shift"),
                                       QStringLiteral("Win+Ctrl"),     QStringLiteral("Win+Ctrl+Shift"),
                                       QStringLiteral("Win+Alt"),      QStringLiteral("Win+Alt+Shift"),
                                       QStringLiteral("Win+Alt+Ctrl"), QStringLiteral("Win+Alt+Ctrl+Shift")};
    return chords;
}

frmPressKey::frmPressKey(QWidget* parent)
    : StepDialog(parent, QStringLiteral("按下按键"), QSize(281, 104), StepWindowBorder::Dialog) {
    setObjectName(QStringLiteral("frmPressKey"));
    addLabel(QStringLiteral("Label1"), QStringLiteral("控制按键："), QRect(8, 8, 121, 17));
    addLabel(QStringLiteral("Label2"), QStringLiteral("基本按键(按下)："), QRect(152, 8, 121, 17));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(false);
    Combo1->addItems(ModifierChords());
    Combo1->setCurrentIndex(0);
    UseWholeWidthForText(Combo1); // "Win+Alt+Ctrl+Shift" in 121 pixels
    Combo1->setGeometry(8, 29, 121, 22);

    addLabel(QStringLiteral("Label3"), QStringLiteral("+"), QRect(134, 31, 12, 18));

    Option1_0 = addOption(QStringLiteral("Option1(0)"), QStringLiteral("输入"), QRect(152, 31, 55, 18));
    Option1_0->setChecked(true);

    Text2 = new KeyCaptureBox(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(208, 31, 65, 18);

    Option1_1 = addOption(QStringLiteral("Option1(1)"), QStringLiteral("Tab"), QRect(152, 53, 55, 18));

    Command2 = addButton(QStringLiteral("Command2"), QStringLiteral("取消"), QRect(120, 76, 57, 25));
    Command4 = addButton(QStringLiteral("Command4"), QStringLiteral("使用此组合键"), QRect(184, 76, 89, 25));
    // Enter in this window belongs to the key box, so no button may take it as a default.
    Command2->setAutoDefault(false);
    Command4->setAutoDefault(false);

    connect(Option1_1, &QRadioButton::toggled, Text2, [this](bool tab) { Text2->setEnabled(!tab); });
    connect(Option1_0, &QRadioButton::clicked, this, [this] {
        Text2->setEnabled(true);
        Text2->setFocus();
    });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command4, &QPushButton::clicked, this, [this] { confirm(); });

    // The key box gets the focus once the window is really on screen, not while it is still being
    // mapped (a focus request before that is lost on some window managers).
    focusTimer_ = new QTimer(this);
    focusTimer_->setInterval(100);
    connect(focusTimer_, &QTimer::timeout, this, [this] {
        if (!isVisible()) return;
        Text2->setFocus();
        focusTimer_->stop();
    });
    focusTimer_->start();
}

void frmPressKey::confirm() {
    const int mask = Combo1->currentIndex();
    if (Option1_1->isChecked()) {
        finish(KeyStepLine(QStringLiteral("9"), mask));
        return;
    }
    if (Text2->text().isEmpty()) return;
    finish(KeyStepLine(Text2->text(), mask));
}

void frmPressKey::keyPressEvent(QKeyEvent* event) {
    // Neither a default nor a cancel button: Enter and Esc do not close this window.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->ignore();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace telmo
