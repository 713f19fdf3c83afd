#pragma once
// Finding the main window's controls by their names, as a user sees them.
#include "app/frmMain.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace telmo::testing {

template <class W = QWidget> W* Find(QWidget* root, const char* name) {
    W* widget = root->findChild<W*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline TextBoxW* Box(QWidget* root, const char* name) {
    return Find<TextBoxW>(root, name);
}

// Runs `answer` on the next modal window once it is shown (a message box or a file dialog).
inline void WhenModalShows(std::function<void(QWidget*)> answer) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer, poll] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            answer(modal);
            return;
        }
        QTimer::singleShot(5, *poll);
    };
    QTimer::singleShot(0, *poll);
}

} // namespace telmo::testing
