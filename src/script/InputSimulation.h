#pragma once
// Synthetic keyboard and mouse input and the pause that keeps the interface alive, on top of the
// platform seam. Every key and button this object presses is remembered until it is released, so a
// stopped run can let go of everything it still holds.
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace telmo {

class InputBackend;
class RunHost;

enum class Modifier : std::uint8_t { Shift = 16, Ctrl = 17, Alt = 18, Win = 91 };

class InputSimulator {
public:
    InputSimulator(InputBackend& input, RunHost& host) : input_(input), host_(host) {}

    // Pauses at least ms milliseconds while handling window events, sleeping between them; zero or
    // a negative ms handles events once. Returns early once the host asks the run to stop.
    void WaitMs(std::int32_t ms);
    void SendMouseEvent(std::uint32_t flags, std::int32_t data);
    // Absolute move to a pixel of the primary screen; false (and nothing sent) when the normalised
    // coordinates are not finite or do not fit 32 bits, e.g. on a screen of size zero.
    bool MoveMouseTo(std::int32_t x, std::int32_t y);
    void ModifierDown(Modifier m);
    void ModifierUp(Modifier m);
    void TapKey(std::uint8_t vk);
    // Holds the modifiers of the mask (Win, Alt, Ctrl, Shift), taps the key, releases them in reverse.
    // A mask outside 0-15 or a key outside 0-255 sends nothing.
    void PressKeyChord(std::int32_t vk, std::int32_t mask);
    // "m X,Y", "h MS" or "k VK,MASK" (any case). Every number is read before the first event is sent,
    // so a command that cannot be read sends nothing.
    void ExecuteCommandString(QStringView text);

    // Waits, at most maxMs, until no key is down that this run did not press (the Enter that
    // confirmed the run, or closed a message window, may still be held); then lets go of what is
    // still down. Handles window events meanwhile, and ends early once the host asks the run to stop.
    void WaitForReleasedKeys(std::int32_t maxMs);

    // Releases, newest first, every key and mouse button pressed here and not yet released.
    void ReleaseHeldInput();
    bool holdsInput() const { return !heldKeys_.empty() || !heldButtons_.empty(); }

private:
    static constexpr int kKeyPollMs = 10;
    void keyEvent(std::uint8_t vk, bool up);

    struct Button {
        std::uint32_t upFlags;
        std::int32_t data;
        bool operator==(const Button&) const = default;
    };

    InputBackend& input_;
    RunHost& host_;
    std::vector<std::uint8_t> heldKeys_; // in the order pressed
    std::vector<Button> heldButtons_;
};

} // namespace telmo
