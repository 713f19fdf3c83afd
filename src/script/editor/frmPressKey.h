#pragma once
// The key chord window: a modifier chord from the list plus the last key pressed in the key box
// (or Tab), written as a KEY step.
#include "script/editor/StepDialog.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QPushButton;
class QTimer;

namespace telmo {

class frmPressKey : public StepDialog {
    Q_OBJECT
public:
    explicit frmPressKey(QWidget* parent = nullptr);

    // The sixteen modifier chords; the position in this list is the modifier mask.
    static const QStringList& ModifierChords();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void confirm();

    QComboBox* Combo1;
    QRadioButton* Option1_0; // "输入": the key comes from the key box
    QRadioButton* Option1_1; // "Tab"
    QLineEdit* Text2;
    QPushButton* Command2;
    QPushButton* Command4;
    QTimer* focusTimer_;
};

} // namespace telmo
