#include "app/frmQRCode.h"

#include "app/AppFont.h"

#include <QLabel>

namespace telmo {

frmQRCode::frmQRCode(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmQRCode"));
    setWindowTitle(QStringLiteral("赞助作者"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(7395), TwipsToPixels(7650));
    setModal(true);
    setFont(UiFont(9));
    // The window is a little larger than its picture: the margin takes the picture's own paper colour.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xfd, 0xf6, 0xec));
    setPalette(pal);

    // The picture is the window's background, drawn from the top left corner.
    Picture = new QLabel(this);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setPixmap(QPixmap(QStringLiteral(":/telmo/sponsor.png")));
    Picture->setGeometry(0, 0, 484, 484);

    Label1 = new QLabel(QStringLiteral("无论是否赞助作者，你都可以使用Telmo填表助手的全部功能。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(UiFont(12));
    Label1->setGeometry(Twips(360, 7080, 6735, 315));
}

} // namespace telmo
