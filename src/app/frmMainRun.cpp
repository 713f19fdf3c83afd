// Running a script from the script page, and the window's topmost state.
#include "app/frmMain.h"

#include "platform/WindowPlacement.h"
#include "script/ScriptRunner.h"
#include "script/frmProgress.h"
#include "script/frmTip.h"
#include "ui/TextBoxW.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QMessageBox>

namespace telmo {

void frmMain::Check2_Click() {
    if (Check2->isChecked())
        SetTopmost(this);
    else
        ClearTopmost(this);
}

RealBackends frmMain::CreateRunBackends(QString* error) {
    if (CreateBackends) return CreateBackends(error);
    return CreateRealBackends(&ShowTip, error);
}

void frmMain::ExecuteScript() {
    const RunSettings settings = ReadRunSettings(TextBoxW4[0]->Text(), TextBoxW4[1]->Text());
    const QString script = TextBoxW3->Text();
    if (IsBlankScript(script)) return;

    QString error;
    RealBackends backends = CreateRunBackends(&error);
    if (!backends.input || !backends.host) {
        // Without synthetic input nothing of the script could happen; say so rather than pretend.
        QMessageBox::warning(this, QStringLiteral("运行脚本"), error);
        return;
    }

    const bool topmost = Check2->isChecked();
    if (topmost) ClearTopmost(this);
    // While the main window is hidden, the confirmation or a message window is the only window:
    // closing it must not end the application.
    const bool quitOnLastClosed = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    {
        HiddenInPlace hidden(this);
        RunScriptWithProgress(script, TextBoxW1->Text(), settings, *backends.input, *backends.host);
    }
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLastClosed);
    if (topmost) SetTopmost(this);
}

} // namespace telmo
