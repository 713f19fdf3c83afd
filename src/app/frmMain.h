#pragma once
// The main window: a tab strip with three pages (text workbench, script editor, about), the
// topmost check box, and one click handler for the Command1 button array.
#include "platform/Backends.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace telmo {

class CommonDialog;
struct FileCommandTargets;
class TabStrip;
class TextBoxW;

class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Makes the input backend and the host of a script run: the real ones of the display unless set
    // (tests put recording fakes here). On failure both are empty and *error says why.
    std::function<RealBackends(QString* error)> CreateBackends;

    // Click handler of the Command1 array, dispatching on the index.
    void Command1_Click(int index);
    // Shows exactly the page of this tab (indexes from 1).
    void TabStrip1_TabClick(int tabIndex);

    CommonDialog* CommonDialog1 = nullptr;
    TabStrip* TabStrip1 = nullptr;
    QWidget* Picture2 = nullptr;
    QCheckBox* Check2 = nullptr;
    std::array<QWidget*, 3> Picture1{};
    std::array<QPushButton*, 9> Command1{};

    // Page 0: text workbench.
    TextBoxW* TextBoxW1 = nullptr;
    std::array<QLabel*, 5> Label1{};
    QCheckBox* Check1 = nullptr;
    std::array<TextBoxW*, 2> TextBoxW2{};
    QComboBox* Combo2 = nullptr;
    QListWidget* List2 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* List1 = nullptr;

    // Page 1: script editor.
    std::array<QLabel*, 2> Label5{};
    std::array<TextBoxW*, 2> TextBoxW4{};
    TextBoxW* TextBoxW3 = nullptr;
    QLabel* Label6 = nullptr;

    // Page 2: about.
    QLabel* Picture3 = nullptr;
    std::array<QLabel*, 3> Label3{};
    std::array<QLabel*, 2> Label4{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    void BuildTextPage(QWidget* page);
    void BuildScriptPage(QWidget* page);
    void BuildAboutPage(QWidget* page);
    void InstallScriptActions();
    void Form_Load();
    void LoadLists();
    void RunFileCommand(int index);
    FileCommandTargets FileTargets();
    void Combo1_Click();
    void Check1_Click();
    void Check2_Click();
    void Label4_Click(int index);
    void SelectAllOnCtrlA(TextBoxW* box, int& keyCode, int shift);
    void ExecuteTextOperation();
    void ReplaceAll();
    void UseThisExpression();
    // Marks the find box and gives the reason as its tooltip; an empty reason clears the mark.
    void MarkRejectedPattern(const QString& reason);
    void ExecuteScript();
    RealBackends CreateRunBackends(QString* error);
};

} // namespace telmo
