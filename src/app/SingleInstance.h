#pragma once
// One running instance per user and display. A second start finds the first one's local socket,
// asks it to come to the front and ends; a socket left behind by a crashed instance is replaced.
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace telmo {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // serverName: a name for QLocalServer (a full path or a bare name).
    explicit SingleInstance(QString serverName, QObject* parent = nullptr);

    // The name for this user on this display.
    static QString DefaultServerName();

    // True when another instance answers; it has been asked to come to the front.
    bool AnotherIsRunning();
    // Takes the name for this instance; onActivate runs when a later start asks for the window.
    bool Listen(std::function<void()> onActivate);

private:
    QString serverName_;
    QLocalServer* server_ = nullptr;
    std::function<void()> onActivate_;
};

} // namespace telmo
