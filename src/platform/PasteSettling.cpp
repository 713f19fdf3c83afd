#include "platform/PasteSettling.h"

#include <algorithm>

namespace telmo {

void PasteSettling::chordSent(const PasteTraffic& traffic, std::int64_t nowMs) {
    pending_ = true;
    drawnMs_ = -1;
    atChord_ = traffic;
    chordMs_ = nowMs;
}

std::uint64_t PasteSettling::usualReads(std::uintptr_t reader) const {
    const auto it = habits_.find(reader);
    if (it == habits_.end()) return 0;
    // The most frequent count; on a tie the larger one, which waits rather than cuts short.
    std::uint64_t best = 0;
    int bestPastes = 0;
    for (const auto& [reads, pastes] : it->second)
        if (pastes >= bestPastes) best = reads, bestPastes = pastes;
    return best;
}

bool PasteSettling::drawsNothing(std::uintptr_t reader) const {
    const auto it = drawings_.find(reader);
    return it != drawings_.end() && it->second.second > it->second.first;
}

bool PasteSettling::over(const PasteTraffic& t, std::int64_t nowMs, std::int64_t lagMs) {
    if (!pending_) return true;
    const std::int64_t sinceChord = nowMs - chordMs_;
    const bool transferring = t.lastTransferMs > chordMs_ && nowMs - t.lastTransferMs < kNoReadMs;
    const std::uint64_t reads = t.reads - atChord_.reads;
    // Requests from before the chord belong to an earlier conversation, where requests are seen.
    const std::int64_t lastRequest =
        t.firstRequestMs >= 0 ? std::max(t.lastRequestMs, chordMs_) : t.lastRequestMs;
    // A redraw before the last request shows an earlier key's effect, not the text.
    const bool drawn = t.redrawsSeen && reads > 0 && t.lastRedrawMs > lastRequest;
    bool done = false;
    if (reads == 0) {
        done = sinceChord >= kNoReadMs && !transferring;
    } else {
        const std::uint64_t usual = usualReads(t.lastReader);
        const std::int64_t reaction = std::max<std::int64_t>(t.firstRequestMs - chordMs_, 0);
        const bool sure = usual > 0 && reads >= usual;
        const std::int64_t lag = kLagFactor * std::max<std::int64_t>(lagMs, 0);
        const std::int64_t quiet =
            (sure ? std::max<std::int64_t>(kQuietMs, kReactionFactor * reaction) : kUnsureQuietMs) + lag;
        // The quiet runs from the first redraw seen after the last request: a window that animates
        // goes on drawing.
        if (drawn && drawnMs_ <= lastRequest) drawnMs_ = t.lastRedrawMs;
        if (drawn)
            done = nowMs - drawnMs_ >= kDrawnQuietMs + lag && (sure || nowMs - lastRequest >= quiet);
        else if (t.redrawsSeen && !drawsNothing(t.lastReader))
            done = false; // the text is still to come: a stalled target is waited for up to kMaxMs
        else if (t.redrawsSeen)
            done = nowMs - lastRequest >= std::max<std::int64_t>(quiet, kUndrawnMs + lag);
        else
            done = nowMs - lastRequest >= quiet;
        done = done || (sinceChord >= kMaxMs && !transferring);
    }
    if (!done) return false;
    lastReads_ = reads;
    lastDrawn_ = drawn;
    pending_ = false;
    if (reads > 0) {
        ++habits_[t.lastReader][reads];
        if (t.redrawsSeen) ++(drawn ? drawings_[t.lastReader].first : drawings_[t.lastReader].second);
    }
    return true;
}

} // namespace telmo
