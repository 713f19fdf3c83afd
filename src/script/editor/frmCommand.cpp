#include "script/editor/frmCommand.h"

#include "script/editor/StepLines.h"
#include "ui/TextBoxW.h"

#include <QRadioButton>

namespace telmo {

frmCommand::frmCommand(QWidget* parent)
    : StepDialog(parent, QStringLiteral("执行指令"), QSize(288, 130), StepWindowBorder::Dialog) {
    setObjectName(QStringLiteral("frmCommand"));
    addLabel(QStringLiteral("Label1(0)"), QStringLiteral("指令内容："), QRect(4, 4, 120, 18));
    TextBoxW1 = addTextBox(QRect(4, 24, 281, 41), false);
    addLabel(QStringLiteral("Label1(1)"), QStringLiteral("显示方式："), QRect(4, 74, 72, 18));
    Option1_0 = addOption(QStringLiteral("Option1(0)"), QStringLiteral("后台显示"), QRect(78, 72, 82, 22));
    Option1_1 = addOption(QStringLiteral("Option1(1)"), QStringLiteral("前台显示"), QRect(164, 72, 82, 22));
    Option1_0->setChecked(true);
    addOkCancel(QRect(162, 101, 57, 25), QRect(226, 101, 57, 25), [this] {
        finish(TextStepLine(CommandStepPrefix(Option1_0->isChecked()), TextBoxW1->Text()));
    });
}

} // namespace telmo
