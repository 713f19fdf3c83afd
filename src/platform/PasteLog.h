#pragma once
// What every part of paste settling shares: its debug log (QT_LOGGING_RULES="telmo.paste.debug=true")
// and its clock, milliseconds of std::chrono::steady_clock.
#include <QLoggingCategory>
#include <chrono>
#include <cstdint>

namespace telmo {

Q_DECLARE_LOGGING_CATEGORY(lcPaste)

inline std::int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace telmo
