#include "script/editor/TextStepDialog.h"

#include "script/editor/StepLines.h"
#include "ui/TextBoxW.h"

namespace telmo {

TextStepDialog::TextStepDialog(QWidget* parent, const QString& caption, const QString& prefix)
    : StepDialog(parent, caption, QSize(288, 61), StepWindowBorder::Tool) {
    TextBoxW1 = addTextBox(QRect(3, 2, 217, 57), false);
    addOkCancel(QRect(226, 3, 57, 25), QRect(226, 32, 57, 25),
                [this, prefix] { finish(TextStepLine(prefix, TextBoxW1->Text())); });
}

} // namespace telmo
