#pragma once
// Running a script: the Execute button's reading of its settings, and the runner that replays the
// steps pass after pass through the platform seam.
#include <QString>
#include <QStringView>
#include <cstdint>

namespace telmo {

class InputBackend;
class RunHost;

struct RunSettings {
    std::int32_t count = 1;    // passes; negative means none
    std::int32_t interval = 1; // seconds of pause after every pass
    bool confirm = true;       // false: no confirmation is asked for (scripted runs)
};

// The repeat count and the interval as the Execute button reads its two digit boxes: the leading
// number of each (empty reads 0), 0 becomes 1, negative values stay. A number beyond the signed
// 32-bit range is taken as the nearest value in range, so a huge count runs as many passes as
// possible, and a huge interval, like any above 2147483 seconds, gives no pause.
RunSettings ReadRunSettings(QStringView countBox, QStringView intervalBox);

// True when the script holds nothing once its line ends and outer spaces are gone; the Execute
// button then does nothing at all.
bool IsBlankScript(QStringView scriptText);

enum class RunOutcome {
    Declined, // the confirmation was answered with Cancel; no step ran
    Finished,
    Stopped, // the host asked for a stop; every key and button the run held has been released
};

// Asks for confirmation, then runs the steps of scriptText settings.count times with the pause
// after each pass, copy steps cycling through the items of workText across passes. Failed actions
// are skipped. The host's stop request is honoured before every step and inside every pause.
RunOutcome RunScript(const QString& scriptText, const QString& workText, const RunSettings& settings,
                     InputBackend& input, RunHost& host);

} // namespace telmo
