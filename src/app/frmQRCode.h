#pragma once
// The sponsorship window: a picture and one line saying every function is free to use.
#include <QDialog>

class QLabel;

namespace telmo {

class frmQRCode : public QDialog {
    Q_OBJECT
public:
    explicit frmQRCode(QWidget* parent = nullptr);

    QLabel* Picture = nullptr;
    QLabel* Label1 = nullptr;
};

} // namespace telmo
