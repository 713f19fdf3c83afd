// The text page: the operation list with its descriptions, Execute, and the replace area.
#include "app/frmMain.h"
#include "text/TextOperations.h"
#include "ui/TextBoxW.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace telmo {

void frmMain::LoadLists() {
    Combo1->addItems(TextOperationNames());
    List1->addItems(TextOperationDescriptions());
    // TODO: Combo2/List2 from the common pattern list.
}

void frmMain::ExecuteTextOperation() {
    const int index = Combo1->currentIndex();
    if (TextBoxW1->SelLength() != 0) {
        TextBoxW1->SetSelText(ApplyTextOperation(TextBoxW1->SelText(), index));
        return;
    }
    const QString text = TextBoxW1->Text();
    if (text.isEmpty()) return;
    TextBoxW1->SetText(ApplyTextOperation(text, index));
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
