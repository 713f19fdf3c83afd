#pragma once
// A stand-in for the script page of the main window, with the controls the step buttons work on.
// Shared by the widget tests and the end-to-end tests of the editor.
#include "script/editor/ScriptEditorActions.h"
#include "ui/TextBoxW.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

struct ScriptPage {
    QWidget mainWindow;
    QWidget* page = new QWidget(&mainWindow);
    telmo::TextBoxW* scriptBox = new telmo::TextBoxW(telmo::TextBoxW::Kind::MultiLine, page);
    QLabel* label6 = new QLabel(page);
    QCheckBox* topmost = new QCheckBox(QStringLiteral("置顶窗口"), &mainWindow);
    QLineEdit* otherControl = new QLineEdit(page);

    ScriptPage() {
        mainWindow.setWindowTitle(QStringLiteral("Telmo editor test"));
        mainWindow.resize(674, 561);
        page->setGeometry(16, 40, 641, 505);
        scriptBox->setGeometry(0, 32, 273, 473);
        label6->setGeometry(288, 368, 337, 121);
        otherControl->setGeometry(0, 0, 60, 20);
        telmo::InstallScriptEditorActions(page, scriptBox, label6, &mainWindow, topmost);
    }
    QPushButton* action(int i) {
        return page->findChild<QPushButton*>(QStringLiteral("cmdAction(%1)").arg(i));
    }
    void setScript(const QString& text, int selStart, int selLength = 0) {
        scriptBox->SetText(text);
        scriptBox->SetSelStart(selStart);
        scriptBox->SetSelLength(selLength);
    }
};
