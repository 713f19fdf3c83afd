#pragma once
// Finding the main window's controls by their names, as a user sees them.
#include "app/frmMain.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
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

// Runs `answer` on the next visible modal window of type T (a message box, a file dialog) once it
// shows. A window that never shows fails the test and does not hang it.
template <class T = QWidget> void WhenModalShows(std::function<void(T*)> answer, int timeoutMs = 10000) {
    // The pending timer owns the poll; the poll only knows itself weakly, or it would never be freed.
    auto poll = std::make_shared<std::function<void(int)>>();
    std::weak_ptr<std::function<void(int)>> self = poll;
    *poll = [answer, self](int left) {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget()); modal && modal->isVisible()) {
            answer(modal);
            return;
        }
        if (left <= 0) {
            ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " showed";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        QTimer::singleShot(5, [poll = self.lock(), left] { (*poll)(left - 5); });
    };
    QTimer::singleShot(0, [poll, timeoutMs] { (*poll)(timeoutMs); });
}

} // namespace telmo::testing
