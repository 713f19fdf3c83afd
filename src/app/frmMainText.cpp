// The text page: the operation list with its descriptions, Execute, and the replace area.
#include "app/frmMain.h"
#include "ui/TextBoxW.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace telmo {

void frmMain::LoadLists() {
    // TODO: fill Combo1/List1 from the operation table and Combo2/List2 from the pattern list.
}

void frmMain::ExecuteTextOperation() {
    // TODO: run the chosen operation once the dispatcher is in.
}

void frmMain::UseThisExpression() {
    const int index = Combo2->currentIndex();
    if (index >= 0 && index < List2->count()) TextBoxW2[0]->SetText(List2->item(index)->text());
}

void frmMain::ReplaceAll() {
    const QString find = TextBoxW2[0]->Text();
    const QString replacement = TextBoxW2[1]->Text();
    if (find.isEmpty()) return;
    // TODO: the regular-expression path.
    QString text = TextBoxW1->Text();
    TextBoxW1->SetText(text.replace(find, replacement));
}

} // namespace telmo
