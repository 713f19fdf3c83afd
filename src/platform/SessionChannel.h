#pragma once
// The name of a local channel (QLocalServer) that every program of the current user's desktop
// session finds under the same name, and no other session does.
#include <QString>

namespace telmo {

// On X11 the user id and the display make the key, and the channel lives in the user's private
// runtime folder when there is one. On Windows (named pipes, one namespace per machine) the user
// name and the session id make the key.
QString SessionChannelName(const QString& base);

} // namespace telmo
