#include "script/InputSimulation.h"

#include "platform/InputBackend.h"
#include "platform/RunHost.h"
#include "script/ScriptLanguage.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace telmo {

namespace {

// The release that matches a press, or nullopt when the flags press no button.
std::optional<std::uint32_t> UpFlagsFor(std::uint32_t downFlags) {
    switch (downFlags) {
    case MOUSEEVENTF_LEFTDOWN:
        return MOUSEEVENTF_LEFTUP;
    case MOUSEEVENTF_RIGHTDOWN:
        return MOUSEEVENTF_RIGHTUP;
    case MOUSEEVENTF_MIDDLEDOWN:
        return MOUSEEVENTF_MIDDLEUP;
    case MOUSEEVENTF_XDOWN:
        return MOUSEEVENTF_XUP;
    default:
        return std::nullopt;
    }
}

bool IsButtonUp(std::uint32_t flags) {
    return flags == MOUSEEVENTF_LEFTUP || flags == MOUSEEVENTF_RIGHTUP || flags == MOUSEEVENTF_MIDDLEUP ||
           flags == MOUSEEVENTF_XUP;
}

std::optional<std::int32_t> Normalise(std::int32_t pixel, int extent) {
    const double v = std::nearbyint(double(pixel) * 65536.0 / double(extent)); // ties to even
    if (!std::isfinite(v) || v < double(INT32_MIN) || v > double(INT32_MAX)) return std::nullopt;
    return std::int32_t(v);
}

// The first two comma-separated fields of rest, each read as a number; nullopt when there are fewer
// than two fields or a number does not fit.
std::optional<std::pair<std::int32_t, std::int32_t>> TwoFields(QStringView rest) {
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0) return std::nullopt;
    QStringView second = rest.sliced(comma + 1);
    const qsizetype next = second.indexOf(u',');
    if (next >= 0) second = second.first(next);
    const auto a = ReadNumericField(rest.first(comma));
    const auto b = ReadNumericField(second);
    if (!a || !b) return std::nullopt;
    return std::pair{*a, *b};
}

} // namespace

void InputSimulator::WaitMs(std::int32_t ms) {
    host_.pauseStarting(ms);
    const std::uint32_t start = host_.timeGetTime();
    for (;;) {
        host_.processEvents();
        if (host_.stopRequested()) return;
        // Unsigned difference: right across a wrap of the 32-bit counter.
        const std::uint32_t elapsed = host_.timeGetTime() - start;
        if (std::int64_t(elapsed) >= std::int64_t(ms)) return;
        host_.waitForEvents(int(std::int64_t(ms) - std::int64_t(elapsed)));
    }
}

void InputSimulator::SendMouseEvent(std::uint32_t flags, std::int32_t data) {
    host_.inputStarting();
    input_.mouse_event(flags, 0, 0, data, 0);
    if (auto up = UpFlagsFor(flags)) {
        const Button b{*up, data};
        if (std::find(heldButtons_.begin(), heldButtons_.end(), b) == heldButtons_.end())
            heldButtons_.push_back(b);
    } else if (IsButtonUp(flags)) {
        std::erase(heldButtons_, Button{flags, data});
    }
}

bool InputSimulator::MoveMouseTo(std::int32_t x, std::int32_t y) {
    const QSize screen = input_.primaryScreenSize();
    const auto dx = Normalise(x, screen.width());
    const auto dy = Normalise(y, screen.height());
    if (!dx || !dy) return false;
    host_.inputStarting();
    input_.mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, *dx, *dy, 0, 0);
    return true;
}

void InputSimulator::keyEvent(std::uint8_t vk, bool up) {
    host_.inputStarting();
    input_.keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0);
    if (up)
        std::erase(heldKeys_, vk);
    else if (std::find(heldKeys_.begin(), heldKeys_.end(), vk) == heldKeys_.end())
        heldKeys_.push_back(vk);
}

void InputSimulator::ModifierDown(Modifier m) {
    keyEvent(std::uint8_t(m), false);
}

void InputSimulator::ModifierUp(Modifier m) {
    keyEvent(std::uint8_t(m), true);
}

void InputSimulator::TapKey(std::uint8_t vk) {
    keyEvent(vk, false);
    keyEvent(vk, true);
}

void InputSimulator::PressKeyChord(std::int32_t vk, std::int32_t mask) {
    if (mask < 0 || mask > 15 || vk < 0 || vk > 255) return;
    // Pressed in this order, released in the reverse one.
    constexpr struct {
        int bit;
        Modifier modifier;
    } kOrder[] = {{8, Modifier::Win}, {4, Modifier::Alt}, {2, Modifier::Ctrl}, {1, Modifier::Shift}};
    for (const auto& m : kOrder)
        if (mask & m.bit) ModifierDown(m.modifier);
    TapKey(std::uint8_t(vk));
    for (int i = 3; i >= 0; --i)
        if (mask & kOrder[i].bit) ModifierUp(kOrder[i].modifier);
}

void InputSimulator::ExecuteCommandString(QStringView text) {
    // Lower-casing the whole command changes no digit, sign, point, comma or blank, so only the
    // two-character head is compared in lower case and the rest is read as it stands.
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ') --end;
    if (end <= 1 || text.size() <= 2) return; // blank, a single letter, or no room for an argument
    const QChar h0 = text[0].toLower(), h1 = text[1];
    if (h1 != u' ') return;
    const QStringView rest = text.sliced(2);
    if (h0 == u'm') {
        if (auto xy = TwoFields(rest)) MoveMouseTo(xy->first, xy->second);
    } else if (h0 == u'h') {
        if (auto ms = ReadNumericField(rest)) WaitMs(*ms);
    } else if (h0 == u'k') {
        auto chord = TwoFields(rest);
        if (chord && chord->first >= 0 && chord->first <= 255) PressKeyChord(chord->first, chord->second);
    }
}

void InputSimulator::WaitForReleasedKeys(std::int32_t maxMs) {
    const std::uint32_t start = host_.timeGetTime();
    while (input_.keysHeldElsewhere()) {
        if (host_.stopRequested()) return;
        if (std::int64_t(host_.timeGetTime() - start) >= maxMs) {
            input_.releaseKeysHeldElsewhere();
            return;
        }
        host_.waitForEvents(kKeyPollMs);
    }
}

void InputSimulator::ReleaseHeldInput() {
    while (!heldButtons_.empty()) {
        const Button b = heldButtons_.back();
        heldButtons_.pop_back();
        host_.inputStarting();
        input_.mouse_event(b.upFlags, 0, 0, b.data, 0);
    }
    while (!heldKeys_.empty()) keyEvent(heldKeys_.back(), true);
}

} // namespace telmo
