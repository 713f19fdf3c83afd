#pragma once
// A name for the current user's desktop session, the same for every program of that session.
#include <QString>

namespace telmo {

// On X11: the user id and the display; on Windows: the user name and the session id.
QString UserSessionKey();

} // namespace telmo
