#include "app/frmMain.h"

#include "app/frmQRCode.h"
#include "files/commands/FileCommands.h"
#include "ui/CommonDialog.h"
#include "ui/TabStrip.h"
#include "ui/TextBoxW.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace telmo {

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
    BuildWindow();
    // The step buttons need Check2, which lies outside the pages and is made last.
    InstallScriptActions();

    for (int i = 0; i < int(Command1.size()); ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    connect(TabStrip1, &TabStrip::TabClick, this, &frmMain::TabStrip1_TabClick);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &frmMain::Combo1_Click);
    connect(Check1, &QCheckBox::clicked, this, &frmMain::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &frmMain::Check2_Click);
    for (TextBoxW* box : {TextBoxW1, TextBoxW3})
        connect(box, &TextBoxW::KeyDown, this,
                [this, box](int& key, int shift) { SelectAllOnCtrlA(box, key, shift); });
    connect(TextBoxW1, &TextBoxW::OLEDragDrop, this,
            [this](const QStringList& files) { DropFiles(FileTargets(), FileBox::Work, files); });
    connect(TextBoxW3, &TextBoxW::OLEDragDrop, this,
            [this](const QStringList& files) { DropFiles(FileTargets(), FileBox::Script, files); });
    Picture1[1]->setMouseTracking(true);
    Picture1[1]->installEventFilter(this);

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load() {
    CommonDialog1 = new CommonDialog(this);

    for (QWidget* page : Picture1) {
        page->move(240 / 15, 600 / 15);
        page->setAutoFillBackground(true);
        QPalette pal = page->palette();
        pal.setColor(QPalette::Window, Qt::white);
        page->setPalette(pal);
    }

    LoadLists();
    if (Combo1->count() > 0) Combo1->setCurrentIndex(0);
    if (Combo2->count() > 0) Combo2->setCurrentIndex(0);
    // The example of each description stands on a line of its own.
    for (int i = 0; i < List1->count(); ++i) {
        QListWidgetItem* item = List1->item(i);
        item->setText(item->text().replace(QStringLiteral("例如："), QStringLiteral("例如：\r\n")));
    }
    Combo1_Click();

    QWidget* about = Picture1[2];
    Picture3->move(about->width() / 2 - Picture3->width() / 2, Picture3->y());
    for (QLabel* label : Label3) label->move(about->width() / 2 - label->width() / 2, label->y());

    Label6->clear();
    TabStrip1->SetSelectedIndex(1);
}

void frmMain::TabStrip1_TabClick(int tabIndex) {
    for (int i = 0; i < int(Picture1.size()); ++i) Picture1[i]->setVisible(tabIndex == i + 1);
}

void frmMain::SelectAllOnCtrlA(TextBoxW* box, int& keyCode, int shift) {
    if (keyCode == 'A' && shift == 2) {
        box->SetSelStart(0);
        box->SetSelLength(int(box->Text().size()));
    }
}

void frmMain::Combo1_Click() {
    const int index = Combo1->currentIndex();
    if (index >= 0 && index < List1->count()) Label2->setText(List1->item(index)->text());
}

void frmMain::Check1_Click() {
    const bool on = Check1->isChecked();
    Combo2->setVisible(on);
    Label1[4]->setVisible(on);
    Command1[8]->setVisible(on);
}

void frmMain::Label4_Click(int index) {
    if (index != 1) return;
    frmQRCode dialog(this);
    dialog.exec();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture1[1] && event->type() == QEvent::MouseMove) {
        // A move over a control that ignores it (a step button with no mouse button held) comes up
        // to the page too; only the page's own background clears the description.
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (!Picture1[1]->childAt(at)) Label6->clear();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        for (int i = 0; i < int(Label4.size()); ++i)
            if (watched == Label4[i] && mouse->button() == Qt::LeftButton &&
                Label4[i]->rect().contains(mouse->position().toPoint())) {
                Label4_Click(i);
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

FileCommandTargets frmMain::FileTargets() {
    return {this, CommonDialog1, TextBoxW1, TextBoxW3, Command1[2]};
}

void frmMain::RunFileCommand(int index) {
    switch (index) {
    case 0:
        ImportFile(FileTargets(), FileBox::Work);
        break;
    case 1:
        ExportFile(FileTargets(), FileBox::Work);
        break;
    case 2:
        ReimportInCodePage936(FileTargets());
        break;
    case 5:
        ImportFile(FileTargets(), FileBox::Script);
        break;
    case 6:
        ExportFile(FileTargets(), FileBox::Script);
        break;
    default:
        break;
    }
}

void frmMain::Command1_Click(int index) {
    switch (index) {
    case 0:
    case 1:
    case 2:
    case 5:
    case 6:
        RunFileCommand(index);
        break;
    case 3:
        ReplaceAll();
        break;
    case 4:
        ExecuteTextOperation();
        break;
    case 7:
        ExecuteScript();
        break;
    case 8:
        UseThisExpression();
        break;
    default:
        break;
    }
}

} // namespace telmo
