#pragma once
// The real input backend and host services of this platform, for runs that drive the display.
#include "platform/InputBackend.h"
#include "platform/RunHost.h"

#include <QString>
#include <functional>
#include <memory>

namespace telmo {

struct RealBackends {
    std::unique_ptr<InputBackend> input;
    std::unique_ptr<RunHost> host;
};

// Whether a display for real input can be opened (checked before a QApplication is created, which
// would abort without one). On false, *error says why.
bool DisplayAvailable(QString* error);

// Creates the input backend and the host for one run; needs a QApplication on that display. From
// the run's first stop check until the backend is destroyed, the stop keys (Pause, Shift+Esc) stop
// the run (the host's stopRequested()); the host must go before the input backend, as RealBackends
// orders them. showTip shows the message window of MSG steps (the widgets library's ShowTip). On
// failure both are empty and *error says why (no display, no input extension).
RealBackends CreateRealBackends(std::function<void(const QString&)> showTip, QString* error);

} // namespace telmo
