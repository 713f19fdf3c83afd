#include "platform/StopSignals.h"

#include <csignal>

namespace telmo {

void OnStopSignals(void (*handler)(int)) {
#ifdef TELMO_HAVE_WIN32
    // The C runtime delivers Ctrl+C as SIGINT and Ctrl+Break as SIGBREAK; writes are not interrupted.
    std::signal(SIGINT, handler);
    std::signal(SIGTERM, handler);
    std::signal(SIGBREAK, handler);
#else
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

} // namespace telmo
