#include "script/editor/frmHold.h"

#include "script/editor/StepLines.h"
#include "ui/TextBoxW.h"

namespace telmo {

frmHold::frmHold(QWidget* parent)
    : StepDialog(parent, QStringLiteral("等候时长（毫秒）"), QSize(288, 29), StepWindowBorder::Tool) {
    setObjectName(QStringLiteral("frmHold"));
    TextBoxW1 = addTextBox(QRect(3, 2, 153, 25), true);
    addOkCancel(QRect(162, 2, 57, 25), QRect(226, 2, 57, 25),
                [this] { finish(HoldStepLine(TextBoxW1->Text())); });
}

} // namespace telmo
