// The main window's controls, at their places (twips, relative to their container), with their
// captions, fonts and initial states.
#include "Version.h"
#include "app/AppFont.h"
#include "app/frmMain.h"
#include "script/editor/ScriptEditorActions.h"
#include "ui/CommonDialog.h"
#include "ui/TabStrip.h"
#include "ui/TextBoxW.h"
#include "ui/UnitLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

// The pictures live in the widgets library, a static library: its resources must be pulled in by hand.
static void InitTelmoResources() {
    Q_INIT_RESOURCE(telmo);
}

namespace telmo {

namespace {

template <class W> W* Place(W* widget, const QString& name, const QRect& geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* label = Place(new QLabel(caption, parent), name, geometry);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* MakeButton(QWidget* parent, int index, const QString& caption, const QRect& geometry) {
    auto* button = Place(new QPushButton(caption, parent), Indexed("Command1", index), geometry);
    button->setAutoDefault(false); // the window has no default button: Enter belongs to the boxes
    return button;
}

} // namespace

void frmMain::BuildWindow() {
    InitTelmoResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Telmo填表助手"));
    setWindowIcon(QIcon(QStringLiteral(":/telmo/telmo.png")));
    // Fixed single border: minimise and close, no maximise, no resizing.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(10110), TwipsToPixels(8415));
    setFont(UiFont(9));

    TabStrip1 = Place(new TabStrip(this), QStringLiteral("TabStrip1"), Twips(120, 120, 9855, 8175));
    TabStrip1->AddTab(QStringLiteral("文  本"));
    TabStrip1->AddTab(QStringLiteral("动  作"));
    TabStrip1->AddTab(QStringLiteral("选  项"));

    for (int i = 0; i < 3; ++i) {
        Picture1[i] = Place(new QWidget(this), Indexed("Picture1", i), Twips(240, 600, 9615, 7575));
        Picture1[i]->setVisible(i == 0);
    }
    BuildTextPage(Picture1[0]);
    BuildScriptPage(Picture1[1]);
    BuildAboutPage(Picture1[2]);

    // Lies over the right end of the tab row, so it shows on every page.
    Picture2 = Place(new QWidget(this), QStringLiteral("Picture2"), Twips(8760, 120, 1215, 375));
    Check2 = Place(new QCheckBox(QStringLiteral("置顶窗口"), Picture2), QStringLiteral("Check2"),
                   Twips(120, 0, 1095, 375));
}

void frmMain::BuildTextPage(QWidget* page) {
    Command1[0] = MakeButton(page, 0, QStringLiteral("导入"), Twips(0, 0, 1095, 375));
    Command1[1] = MakeButton(page, 1, QStringLiteral("导出"), Twips(1200, 0, 1095, 375));
    Command1[2] = MakeButton(page, 2, QStringLiteral("以ANSI编码重新导入"), Twips(7680, 0, 1935, 375));
    Command1[2]->setToolTip(QStringLiteral("导入文件出现乱码时，尝试转换编码。"));
    Command1[2]->setEnabled(false);

    TextBoxW1 = Place(new TextBoxW(TextBoxW::Kind::MultiLine, page), QStringLiteral("TextBoxW1"),
                      Twips(0, 480, 9615, 3975));
    TextBoxW1->SetScrollBars(false, true);
    TextBoxW1->SetHideSelection(false);
    TextBoxW1->SetAcceptFileDrops(true);

    Label1[0] = MakeLabel(page, Indexed("Label1", 0), QStringLiteral("基本替换（不能撤销）"),
                          Twips(0, 4560, 1800, 255));
    Check1 = Place(new QCheckBox(QStringLiteral("使用正则表达式"), page), QStringLiteral("Check1"),
                   Twips(2400, 4560, 1695, 255));
    Label1[1] = MakeLabel(page, Indexed("Label1", 1), QStringLiteral("源内容："), Twips(0, 4920, 720, 255));
    TextBoxW2[0] = Place(new TextBoxW(TextBoxW::Kind::SingleLine, page), Indexed("TextBoxW2", 0),
                         Twips(720, 4920, 3375, 600));
    Label1[2] = MakeLabel(page, Indexed("Label1", 2), QStringLiteral("替换为："), Twips(0, 5640, 720, 255));
    TextBoxW2[1] = Place(new TextBoxW(TextBoxW::Kind::SingleLine, page), Indexed("TextBoxW2", 1),
                         Twips(720, 5640, 3375, 600));
    Label1[4] =
        MakeLabel(page, Indexed("Label1", 4), QStringLiteral("常用正则表达式："), Twips(0, 6360, 1440, 255));
    Label1[4]->hide();
    Combo2 = Place(new QComboBox(page), QStringLiteral("Combo2"), Twips(0, 6600, 4095, 375));
    Combo2->hide();
    Command1[8] = MakeButton(page, 8, QStringLiteral("使用此表达式"), Twips(1200, 7080, 1455, 375));
    Command1[8]->hide();
    List2 = Place(new QListWidget(page), QStringLiteral("List2"), Twips(0, 7080, 1335, 240));
    List2->hide();
    Command1[3] = MakeButton(page, 3, QStringLiteral("替换所有(&R)"), Twips(2760, 7080, 1335, 375));

    Label1[3] =
        MakeLabel(page, Indexed("Label1", 3), QStringLiteral("常见处理："), Twips(4320, 4560, 900, 255));
    Combo1 = Place(new QComboBox(page), QStringLiteral("Combo1"), Twips(5280, 4560, 3135, 375));
    Command1[4] = MakeButton(page, 4, QStringLiteral("执行"), Twips(8520, 4560, 1095, 375));
    Label2 = MakeLabel(page, QStringLiteral("Label2"), QStringLiteral("处理的描述"),
                       Twips(4320, 5040, 5175, 2415));
    Label2->setFont(UiFont(10.5));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    List1 = Place(new QListWidget(page), QStringLiteral("List1"), Twips(7920, 5160, 1335, 2040));
    List1->hide();
}

void frmMain::BuildScriptPage(QWidget* page) {
    Command1[5] = MakeButton(page, 5, QStringLiteral("导入"), Twips(0, 0, 1095, 375));
    Command1[6] = MakeButton(page, 6, QStringLiteral("导出"), Twips(1200, 0, 1095, 375));
    // The blanks leave room for the digit box that lies over the label.
    Label5[0] = Place(new UnitLabel(QStringLiteral("执行次数：                次"), page),
                      Indexed("Label5", 0), Twips(3960, 120, 2040, 255));
    Label5[1] = Place(new UnitLabel(QStringLiteral("执行间隔：                秒"), page),
                      Indexed("Label5", 1), Twips(6240, 120, 2040, 255));
    TextBoxW4[0] = Place(new TextBoxW(TextBoxW::Kind::SingleLine, page), Indexed("TextBoxW4", 0),
                         Twips(4920, 90, 855, 315));
    TextBoxW4[1] = Place(new TextBoxW(TextBoxW::Kind::SingleLine, page), Indexed("TextBoxW4", 1),
                         Twips(7200, 90, 855, 315));
    for (TextBoxW* box : TextBoxW4) box->SetDigitsOnly(true);
    for (int i = 0; i < 2; ++i) static_cast<UnitLabel*>(Label5[i])->placeUnitAfter(TextBoxW4[i]);
    Command1[7] = MakeButton(page, 7, QStringLiteral("执行(&E)"), Twips(8520, 0, 1095, 375));

    TextBoxW3 = Place(new TextBoxW(TextBoxW::Kind::MultiLine, page), QStringLiteral("TextBoxW3"),
                      Twips(0, 480, 4095, 7095));
    TextBoxW3->SetScrollBars(true, true);
    TextBoxW3->SetAcceptFileDrops(true);

    Label6 =
        MakeLabel(page, QStringLiteral("Label6"), QStringLiteral("描述信息"), Twips(4320, 5520, 5055, 1815));
    Label6->setFont(UiFont(10.5));
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void frmMain::InstallScriptActions() {
    InstallScriptEditorActions(Picture1[1], TextBoxW3, Label6, this, Check2);
}

void frmMain::BuildAboutPage(QWidget* page) {
    Picture3 = Place(new QLabel(page), QStringLiteral("Picture3"), Twips(0, 600, 1980, 1980));
    Picture3->setPixmap(QPixmap(QStringLiteral(":/telmo/logo.png")));
    Picture3->setAlignment(Qt::AlignCenter);

    const QByteArray version = QByteArray("版本：") + kVersion;
    const char* texts[] = {"Telmo 填表助手", version.constData(),
                           "本程序完全免费，不收集任何数据，关闭窗口即不留痕迹。"};
    const int tops[] = {2880, 3240, 7200};
    for (int i = 0; i < 3; ++i) {
        Label3[i] =
            MakeLabel(page, Indexed("Label3", i), QString::fromUtf8(texts[i]), Twips(0, tops[i], 0, 0));
        if (i == 0) Label3[i]->setFont(UiFont(10.5));
        Label3[i]->adjustSize(); // sizes to its text
    }

    const char* links[] = {"发布地址", "赞助作者"};
    const int lefts[] = {8760, 120};
    for (int i = 0; i < 2; ++i) {
        Label4[i] = MakeLabel(page, Indexed("Label4", i), QString::fromUtf8(links[i]),
                              Twips(lefts[i], 7200, 720, 255));
        QFont font = Label4[i]->font();
        font.setUnderline(true);
        Label4[i]->setFont(font);
        QPalette pal = Label4[i]->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
        Label4[i]->setPalette(pal);
        Label4[i]->setCursor(Qt::PointingHandCursor);
        Label4[i]->installEventFilter(this);
    }
    Label4[0]->hide();
}

} // namespace telmo
