#include "script/editor/frmMessage.h"

namespace telmo {

frmMessage::frmMessage(QWidget* parent)
    : TextStepDialog(parent, QStringLiteral("提示信息"), QStringLiteral("MSG ")) {
    setObjectName(QStringLiteral("frmMessage"));
}

} // namespace telmo
