#include "script/editor/ScriptEditorActions.h"

#include "app/AppFont.h"
#include "platform/WindowPlacement.h"
#include "script/editor/StepLines.h"
#include "script/editor/frmCommand.h"
#include "script/editor/frmHold.h"
#include "script/editor/frmInputText.h"
#include "script/editor/frmMessage.h"
#include "script/editor/frmPressKey.h"
#include "script/editor/frmSelectPoint.h"
#include "ui/TextBoxW.h"

#include <QCheckBox>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <array>

namespace telmo {

namespace {

enum class Ask { Nothing, InputText, Message, Point, Hold, Command, PressKey };

struct ScriptAction {
    const char16_t* caption;
    Ask ask;
    const char16_t* fixedLine; // without its CR LF; only for Ask::Nothing
    const char16_t* description;
};

constexpr std::array<ScriptAction, kScriptActionCount> kActions = {{
    {u"填写内容", Ask::InputText, nullptr, u"输入一段内容。"},
    {u"复制文本", Ask::Nothing, u"CPY",
     u"复制“文本”中的数据到剪贴板。文本中的%item%将被替换为复制文本的次数；%No.%将被替换为复制文本的行号；"
     u"%time%将被替换为时间；%date%将被替换为日期。"},
    {u"粘贴文本", Ask::Nothing, u"PST", u"输出剪贴板中的内容到当前位置。"},
    {u"提示信息", Ask::Message, nullptr, u"以消息框显示一段提示信息。"},
    {u"移动鼠标", Ask::Point, nullptr,
     u"将鼠标移动到屏幕上的某个位置。单击后进入选取位置界面，在此界面下，按鼠标的左键可以选择当前位置，"
     u"按Esc键可以取消选择位置。"},
    {u"等候时长", Ask::Hold, nullptr, u"在脚本执行过程中挂起一段时间。"},
    {u"执行指令", Ask::Command, nullptr, u"发送一句指令。"},
    {u"按下按键", Ask::PressKey, nullptr,
     u"按下键盘的按键。单击此按钮，将弹出“按下键盘”的对话框，在此对话框内，输入按下的按键。"},
    {u"左键按下", Ask::Nothing, u"LFT DN", u"按下鼠标左键。"},
    {u"左键松开", Ask::Nothing, u"LFT UP", u"松开鼠标左键。"},
    {u"右键按下", Ask::Nothing, u"RGH DN", u"按下鼠标右键。"},
    {u"右键松开", Ask::Nothing, u"RGH UP", u"松开鼠标右键。"},
    {u"中键按下", Ask::Nothing, u"MID DN", u"按下鼠标中键。"},
    {u"中键松开", Ask::Nothing, u"MID UP", u"松开鼠标中键。"},
    {u"滚轮上滚", Ask::Nothing, u"WHL UP", u"向上滚动鼠标滚轮。"},
    {u"滚轮下滚", Ask::Nothing, u"WHL DN", u"向下滚动鼠标滚轮。"},
    {u"侧键1按下", Ask::Nothing, u"SD1 DN", u"按下鼠标侧键1。只有部分鼠标具备此按键。"},
    {u"侧键1松开", Ask::Nothing, u"SD1 UP", u"松开鼠标侧键1。只有部分鼠标具备此按键。"},
    {u"侧键2按下", Ask::Nothing, u"SD2 DN", u"按下鼠标侧键2。只有部分鼠标具备此按键。"},
    {u"侧键2松开", Ask::Nothing, u"SD2 UP", u"松开鼠标侧键2。只有部分鼠标具备此按键。"},
}};

// Grid in twips: four columns, five rows, buttons of 1095 x 615.
constexpr std::array<int, 4> kColumnLeft = {4320, 5640, 6960, 8280};
constexpr std::array<int, 5> kRowTop = {720, 1680, 2640, 3600, 4560};
constexpr int kButtonWidth = 1095, kButtonHeight = 615;

// After hiding the main window the windows below it need a moment to repaint before the screen
// is photographed, or the picture shows the hole the main window left.
constexpr int kRepaintAfterHideMs = 250;

QString Literal(const char16_t* text) {
    return QString::fromUtf16(text);
}

void WaitWithEvents(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class ScriptEditorActions : public QObject {
public:
    ScriptEditorActions(QWidget* page, TextBoxW* scriptBox, QLabel* label6, QWidget* mainWindow,
                        QCheckBox* topmostBox)
        : QObject(page), scriptBox_(scriptBox), label6_(label6), mainWindow_(mainWindow),
          topmostBox_(topmostBox) {
        const QFont font = UiFont(9);
        for (int i = 0; i < kScriptActionCount; ++i) {
            auto* button = new QPushButton(ScriptActionCaption(i), page);
            button->setObjectName(QStringLiteral("cmdAction(%1)").arg(i));
            button->setFont(font);
            button->setGeometry(Twips(kColumnLeft[i % 4], kRowTop[i / 4], kButtonWidth, kButtonHeight));
            button->setMouseTracking(true);
            button->setProperty(kIndexProperty, i);
            button->installEventFilter(this);
            connect(button, &QPushButton::clicked, this, [this, i] { click(i); });
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) && label6_) {
            const QVariant index = watched->property(kIndexProperty);
            if (index.isValid()) label6_->setText(ScriptActionDescription(index.toInt()));
        }
        return false;
    }

private:
    static constexpr const char* kIndexProperty = "cmdActionIndex";

    void click(int i) {
        const bool topmost = topmostBox_ && topmostBox_->isChecked();
        if (topmost && mainWindow_) ClearTopmost(mainWindow_);
        const QString line = lineFor(i);
        if (!line.isEmpty() && scriptBox_) scriptBox_->SetSelText(line);
        if (topmost && mainWindow_) SetTopmost(mainWindow_);
    }

    QString lineFor(int i) {
        const ScriptAction& action = kActions[size_t(i)];
        QWidget* owner = mainWindow_.data();
        switch (action.ask) {
        case Ask::Nothing:
            return Literal(action.fixedLine) + kStepLineEnd;
        case Ask::InputText:
            return frmInputText(owner).ask();
        case Ask::Message:
            return frmMessage(owner).ask();
        case Ask::Hold:
            return frmHold(owner).ask();
        case Ask::Command:
            return frmCommand(owner).ask();
        case Ask::PressKey:
            return frmPressKey(owner).ask();
        case Ask::Point:
            return pickPoint();
        }
        return {};
    }

    QString pickPoint() {
        HiddenInPlace hidden(mainWindow_);
        if (mainWindow_) WaitWithEvents(kRepaintAfterHideMs);
        return frmSelectPoint().ask();
    }

    QPointer<TextBoxW> scriptBox_;
    QPointer<QLabel> label6_;
    QPointer<QWidget> mainWindow_;
    QPointer<QCheckBox> topmostBox_;
};

} // namespace

void InstallScriptEditorActions(QWidget* page, TextBoxW* scriptBox, QLabel* label6, QWidget* mainWindow,
                                QCheckBox* topmostBox) {
    new ScriptEditorActions(page, scriptBox, label6, mainWindow, topmostBox);
}

QString ScriptActionCaption(int i) {
    return i >= 0 && i < kScriptActionCount ? Literal(kActions[size_t(i)].caption) : QString();
}

QString ScriptActionDescription(int i) {
    return i >= 0 && i < kScriptActionCount ? Literal(kActions[size_t(i)].description) : QString();
}

} // namespace telmo
