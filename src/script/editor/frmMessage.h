#pragma once
// The message step window: the text that an MSG step shows.
#include "script/editor/TextStepDialog.h"

namespace telmo {

class frmMessage : public TextStepDialog {
    Q_OBJECT
public:
    explicit frmMessage(QWidget* parent = nullptr);
};

} // namespace telmo
