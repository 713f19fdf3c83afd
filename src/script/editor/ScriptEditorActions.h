#pragma once
// The twenty step buttons of the script page (cmdAction(0) to cmdAction(19)). Each inserts one
// step line at the caret of the script box, some after asking for its argument in a step window;
// Label6 tells what the button under the pointer does.
#include <QString>

class QCheckBox;
class QLabel;
class QWidget;

namespace telmo {

class TextBoxW;

inline constexpr int kScriptActionCount = 20;

// Creates the buttons on the script page and wires them to the script box, the description
// label, the main window (hidden while the point picker is open) and the "置顶窗口" box (the
// main window leaves the topmost band while a button works). The buttons belong to the page.
void InstallScriptEditorActions(QWidget* page, TextBoxW* scriptBox, QLabel* label6, QWidget* mainWindow,
                                QCheckBox* topmostBox);

// Caption and mouse-over description of button i (0 to 19).
QString ScriptActionCaption(int i);
QString ScriptActionDescription(int i);

} // namespace telmo
