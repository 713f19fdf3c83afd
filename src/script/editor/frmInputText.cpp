#include "script/editor/frmInputText.h"

namespace telmo {

frmInputText::frmInputText(QWidget* parent)
    : TextStepDialog(parent, QStringLiteral("填写内容"), QStringLiteral("INP ")) {
    setObjectName(QStringLiteral("frmInputText"));
}

} // namespace telmo
