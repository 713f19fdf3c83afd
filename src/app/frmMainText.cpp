// The text page: the operation list with its descriptions, Execute, and the replace area.
#include "app/frmMain.h"
#include "text/ReplaceAll.h"
#include "text/TextOperations.h"
#include "ui/BusyWork.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace telmo {

void frmMain::LoadLists() {
    Combo1->addItems(TextOperationNames());
    List1->addItems(TextOperationDescriptions());
    Combo2->addItems(CommonRegexNames());
    List2->addItems(CommonRegexPatterns());
    // A rejected pattern stays marked until the find text is edited.
    connect(TextBoxW2[0], &TextBoxW::Change, this, [this] { MarkRejectedPattern(QString()); });
}

void frmMain::ExecuteTextOperation() {
    const int index = Combo1->currentIndex();
    const bool selected = TextBoxW1->SelLength() != 0;
    const QString text = selected ? TextBoxW1->SelText() : TextBoxW1->Text();
    if (!selected && text.isEmpty()) return;
    const bool big = text.size() >= kBigTextSize;
    const BusyCursor busy(big);
    const QString result = RunOffUiThread(big, [&] { return ApplyTextOperation(text, index); });
    if (selected)
        TextBoxW1->SetSelText(result);
    else
        TextBoxW1->SetText(result);
}

void frmMain::UseThisExpression() {
    const int index = Combo2->currentIndex();
    if (index >= 0 && index < List2->count()) TextBoxW2[0]->SetText(List2->item(index)->text());
}

void frmMain::ReplaceAll() {
    const QString text = TextBoxW1->Text();
    const QString find = TextBoxW2[0]->Text(), replacement = TextBoxW2[1]->Text();
    const bool regex = Check1->isChecked();
    const bool big = text.size() >= kBigTextSize;
    const BusyCursor busy(big);
    const ReplaceResult result =
        RunOffUiThread(big, [&] { return ApplyReplaceAll(text, find, replacement, regex); });
    if (!result.ok) {
        // The work text stays as it was; the find box says why, without stopping the user.
        MarkRejectedPattern(result.error);
        return;
    }
    MarkRejectedPattern(QString());
    // Assigning an unchanged text would only cost time and the box's undo history.
    if (result.text != text) TextBoxW1->SetText(result.text);
}

void frmMain::MarkRejectedPattern(const QString& reason) {
    TextBoxW* find = TextBoxW2[0];
    if (find->toolTip() == reason) return;
    find->setToolTip(reason);
    QPalette pal = find->Editor()->palette();
    const QBrush normal = QApplication::palette(find->Editor()).brush(QPalette::Base);
    pal.setBrush(QPalette::Base, reason.isEmpty() ? normal : QBrush(QColor(255, 224, 224)));
    find->Editor()->setPalette(pal);
}

} // namespace telmo
