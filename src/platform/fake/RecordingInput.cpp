#include "platform/fake/RecordingInput.h"

namespace telmo {

void RecordingInput::keybd_event(std::uint8_t vk, std::uint8_t, std::uint32_t flags, std::uintptr_t) {
    line_.resize(0);
    line_.append("key ");
    AppendDecimal(line_, vk);
    line_.append((flags & KEYEVENTF_KEYUP) ? " up" : " down");
    trace_.writeLine(line_);
}

void RecordingInput::mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                                 std::uintptr_t) {
    static const char kHex[] = "0123456789ABCDEF";
    line_.resize(0);
    line_.append("mouse 0x");
    // four digits as a rule; flags beyond 16 bits keep all their digits
    int digits = 4;
    while (digits < 8 && (flags >> (4 * digits)) != 0) ++digits;
    for (int i = digits - 1; i >= 0; --i) line_.append(kHex[(flags >> (4 * i)) & 15]);
    for (std::int32_t v : {dx, dy, data}) {
        line_.append(' ');
        AppendDecimal(line_, v);
    }
    trace_.writeLine(line_);
}

} // namespace telmo
