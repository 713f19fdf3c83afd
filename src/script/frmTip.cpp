#include "script/frmTip.h"

#include "app/AppFont.h"
#include "platform/WindowPlacement.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace telmo {

frmTip::frmTip() : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("frmTip");
    setWindowTitle(QStringLiteral("提示信息"));
    setFont(UiFont(9));
    setFixedSize(TwipsToPixels(4680), TwipsToPixels(3375));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setGeometry(Twips(0, 0, 4695, 2535));

    Command1 = new QPushButton(QStringLiteral("好的"), this);
    Command1->setObjectName("Command1");
    const QRect button = Twips(0, 2760, 1095, 495);
    Command1->setGeometry(width() / 2 - button.width() / 2, button.y(), button.width(), button.height());
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    // A dialog without an owner opens centred on the screen.

    // Runs from the moment the window is loaded; the first tick that finds it visible brings it forward.
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &frmTip::Timer1_Timer);
    Timer1->start();

    SetTopmost(this);
}

frmTip::~frmTip() {
    ClearTopmost(this);
}

void frmTip::setMessage(const QString& text) {
    Text1->setPlainText(text);
}

void frmTip::Timer1_Timer() {
    if (!isVisible()) return;
    raise();
    activateWindow();
    Timer1->stop();
}

void ShowTip(const QString& text) {
    frmTip tip;
    tip.setMessage(text);
    tip.exec();
}

} // namespace telmo
