#pragma once
// A Chinese input method on the test display: fcitx5 with pinyin switched on in every new input
// context, on a session bus and with a configuration of its own.
#include "RealPrograms.h"

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace e2e {

class InputMethod {
public:
    InputMethod();
    // Whether the daemon answers on its bus; problem() says why not.
    bool ready() const { return ready_; }
    QString problem() const { return problem_; }
    // base with the bus and the variables that make GTK, Qt and X input methods use fcitx5.
    QProcessEnvironment environment(const QProcessEnvironment& base) const;
    // The focused input context's state as fcitx5-remote tells it: its input method if it is
    // active, otherwise "state N".
    QString activeInputMethod() const;
    // Waits until the focused window has an input context and switches pinyin on in it when the
    // daemon did not (a context made while the daemon was still starting begins switched off).
    bool switchOnInFocusedWindow() const;

private:
    QString remote(const QStringList& args) const;
    QTemporaryDir dir_;
    QString bus_;
    std::unique_ptr<Program> dbus_, daemon_;
    bool ready_ = false;
    QString problem_;
};

} // namespace e2e
