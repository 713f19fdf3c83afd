// A small form for the end-to-end tests: line edits and a multi-line box that scripts fill.
// It prints "ready" once its window is active, and answers commands on standard input:
//   report  -> one JSON line with the field values, the focus, geometry and the input events seen
//              (mouse and wheel events with whether Qt or another client synthesised them)
//   quit    -> the report, then exit (closing the window also prints the report)
// Usage: fill_form [--fields N] [--title TITLE] [--detached]
// --detached: started by a run rather than by a test, it reads no commands and lives until closed.
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

namespace {

QJsonArray Rect(const QWidget* w) {
    const QPoint p = w->mapToGlobal(QPoint(0, 0));
    return {p.x(), p.y(), w->width(), w->height()};
}

// Watches the raw X events: counts those that another client sent with XSendEvent (the protocol's
// send-event bit, the high bit of the first byte of every event; real input from the server never
// carries it), and follows the keyboard focus.
class XEventWatch : public QAbstractNativeEventFilter {
public:
    int sent = 0;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type == "xcb_generic_event_t") {
            const auto responseType = *static_cast<const unsigned char*>(message);
            const int kind = responseType & 0x7f;
            noteFocus(kind, static_cast<const unsigned char*>(message));
            // KeyPress..MotionNotify (2..6) and the generic events of XInput 2 (35)
            if ((responseType & 0x80) && ((kind >= 2 && kind <= 6) || kind == 35)) ++sent;
        }
        return false;
    }

    // Whether the server's keyboard focus is on this program's window. Qt can call a window active
    // as soon as the window manager offers it the focus, a moment before the server moves the focus,
    // and keys sent in that moment go elsewhere.
    bool xFocus = false;

private:
    void noteFocus(int kind, const unsigned char* event) {
        constexpr int kFocusIn = 9, kFocusOut = 10, kNotifyInferior = 2, kNotifyPointer = 5;
        const int detail = event[1];
        if (kind == kFocusIn && detail != kNotifyPointer) xFocus = true;
        if (kind == kFocusOut && detail != kNotifyPointer && detail != kNotifyInferior) xFocus = false;
    }
};

// Records every input event once, where the system delivered it (notify() sees an event once; its
// travel up the widget tree happens inside).
class FormApp : public QApplication {
public:
    using QApplication::QApplication;
    QJsonArray events;
    QJsonArray keys;

    bool notify(QObject* receiver, QEvent* e) override {
        if (e->spontaneous() && receiver->isWidgetType()) record(static_cast<QWidget*>(receiver), e);
        return QApplication::notify(receiver, e);
    }

private:
    void record(QWidget* w, QEvent* e) {
        // Viewports and other inner parts of Qt's widgets report as the widget they belong to.
        while (w && w->objectName().startsWith("qt_") && w->parentWidget()) w = w->parentWidget();
        const QString name = w ? w->objectName() : QString();
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(e);
            events.append(QJsonObject{{"t", e->type() == QEvent::MouseButtonPress ? "press" : "release"},
                                      {"b", static_cast<int>(me->button())},
                                      {"w", name},
                                      {"synth", me->source() != Qt::MouseEventNotSynthesized}});
            break;
        }
        case QEvent::Wheel: {
            auto* we = static_cast<QWheelEvent*>(e);
            events.append(QJsonObject{{"t", "wheel"},
                                      {"dy", we->angleDelta().y()},
                                      {"w", name},
                                      {"synth", we->source() != Qt::MouseEventNotSynthesized}});
            break;
        }
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(e);
            keys.append(QJsonArray{ke->key(), ke->text(), static_cast<qint64>(ke->nativeVirtualKey())});
            break;
        }
        default:
            break;
        }
    }
};

} // namespace

// --lazy-paste MS: a paste asks for the clipboard only MS milliseconds after Ctrl+V and lands wherever
// the focus is by then, as some office programs do; keys that follow in between are handled first.
class LazyPaste : public QObject {
public:
    explicit LazyPaste(int delayMs) : delayMs_(delayMs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(e)->matches(QKeySequence::Paste))
            return false;
        QTimer::singleShot(delayMs_, [] {
            if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                field->insert(QGuiApplication::clipboard()->text());
        });
        return true;
    }

private:
    int delayMs_;
};

int main(int argc, char** argv) {
    FormApp app(argc, argv);
    int fieldCount = 5;
    int lazyPasteMs = -1;
    QString title = "Telmo e2e form";
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--fields") fieldCount = args[i + 1].toInt();
        if (args[i] == "--title") title = args[i + 1];
        if (args[i] == "--lazy-paste") lazyPasteMs = args[i + 1].toInt();
    }
    LazyPaste lazyPaste(lazyPasteMs);
    if (lazyPasteMs >= 0) app.installEventFilter(&lazyPaste);

    XEventWatch xWatch;
    app.installNativeEventFilter(&xWatch);

    QWidget window;
    window.setWindowTitle(title);
    auto* outer = new QVBoxLayout(&window);
    auto* scroll = new QScrollArea;
    auto* inner = new QWidget;
    auto* layout = new QVBoxLayout(inner);
    QList<QLineEdit*> fields;
    for (int i = 0; i < fieldCount; ++i) {
        auto* e = new QLineEdit;
        e->setObjectName(QString("field%1").arg(i));
        layout->addWidget(e);
        fields.append(e);
    }
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll, 1);
    auto* memo = new QPlainTextEdit;
    memo->setObjectName("memo");
    QStringList memoLines;
    for (int i = 1; i <= 300; ++i) memoLines << QString("line %1").arg(i);
    memo->setPlainText(memoLines.join('\n'));
    memo->setFixedHeight(150);
    outer->addWidget(memo);
    // A plain area for clicks that text boxes would turn into pastes of the primary selection.
    auto* pad = new QFrame;
    pad->setObjectName("pad");
    pad->setFrameShape(QFrame::Box);
    pad->setFixedHeight(60);
    outer->addWidget(pad);
    window.setGeometry(200, 100, 500, 700);

    auto report = [&] {
        QJsonArray values, rects;
        for (QLineEdit* e : fields) {
            values.append(e->text());
            rects.append(Rect(e));
        }
        QWidget* focus = QApplication::focusWidget();
        QJsonObject o{{"fields", values},
                      {"rects", rects},
                      {"memo", memo->toPlainText()},
                      {"memoRect", Rect(memo->viewport())},
                      {"padRect", Rect(pad)},
                      {"memoScroll", memo->verticalScrollBar()->value()},
                      {"focus", focus ? focus->objectName() : QString()},
                      {"active", window.isActiveWindow()},
                      {"events", app.events},
                      {"keys", app.keys},
                      {"sentEvents", xWatch.sent}};
        std::printf("%s\n", QJsonDocument(o).toJson(QJsonDocument::Compact).constData());
        std::fflush(stdout);
    };

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    input.setEnabled(!args.contains("--detached"));
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buf[256];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            input.setEnabled(false);
            app.quit();
            return;
        }
        pending.append(buf, n);
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            const QByteArray cmd = pending.left(nl).trimmed();
            pending.remove(0, nl + 1);
            if (cmd == "report") report();
            if (cmd == "quit") app.quit();
        }
    });
    QObject::connect(&app, &QApplication::aboutToQuit, report);

    bool announced = false;
    auto announce = [&] {
        if (!announced && xWatch.xFocus && window.isActiveWindow() &&
            QApplication::focusWidget() == fields.value(0)) {
            announced = true;
            std::printf("ready\n");
            std::fflush(stdout);
        }
    };
    QObject::connect(&app, &QApplication::focusChanged, announce);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, announce);
    poll.start(20);

    window.show();
    window.activateWindow();
    if (!fields.isEmpty()) fields.first()->setFocus();
    return app.exec();
}
