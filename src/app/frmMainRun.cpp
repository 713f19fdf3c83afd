// Running a script from the script page, and the window's topmost state.
#include "app/frmMain.h"
#include "platform/WindowPlacement.h"

#include <QCheckBox>

namespace telmo {

void frmMain::Check2_Click() {
    if (Check2->isChecked())
        SetTopmost(this);
    else
        ClearTopmost(this);
}

void frmMain::ExecuteScript() {
    // TODO: RunScript with the real backend.
}

} // namespace telmo
