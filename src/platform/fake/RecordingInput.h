#pragma once
// The input backend of dry runs and tests: injects nothing, writes one trace line per call:
//   key VK down | key VK up | mouse 0xFFFF DX DY DATA
#include "platform/InputBackend.h"
#include "platform/fake/TraceWriter.h"

namespace telmo {

class RecordingInput : public InputBackend {
public:
    RecordingInput(TraceWriter& trace, QSize screen = QSize(1920, 1080)) : trace_(trace), screen_(screen) {}

    void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra) override;
    void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                     std::uintptr_t extra) override;
    QSize primaryScreenSize() const override { return screen_; }
    void setPrimaryScreenSize(QSize size) { screen_ = size; }

private:
    TraceWriter& trace_;
    QSize screen_;
    QByteArray line_; // reused, so recording allocates nothing per event
};

} // namespace telmo
