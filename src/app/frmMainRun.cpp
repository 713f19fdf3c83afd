// Running a script from the script page, and the window's topmost state.
#include "app/frmMain.h"

namespace telmo {

void frmMain::Check2_Click() {
    // TODO: SetTopmost / ClearTopmost.
}

void frmMain::ExecuteScript() {
    // TODO: RunScript with the real backend.
}

void frmMain::RunFileCommand(int index) {
    // TODO: file commands.
}

} // namespace telmo
