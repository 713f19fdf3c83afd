#include "platform/PasteSettling.h"

#include <algorithm>

namespace telmo {

void PasteSettling::chordSent(const PasteTraffic& traffic, std::int64_t nowMs) {
    pending_ = true;
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

bool PasteSettling::over(const PasteTraffic& t, std::int64_t nowMs, std::int64_t lagMs) {
    if (!pending_) return true;
    const std::int64_t sinceChord = nowMs - chordMs_;
    const bool transferring = t.lastTransferMs > chordMs_ && nowMs - t.lastTransferMs < kNoReadMs;
    const std::uint64_t reads = t.reads - atChord_.reads;
    bool done = false;
    if (reads == 0) {
        done = sinceChord >= kNoReadMs && !transferring;
    } else {
        const std::uint64_t usual = usualReads(t.lastReader);
        const std::int64_t reaction = std::max<std::int64_t>(t.firstRequestMs - chordMs_, 0);
        const std::int64_t quiet =
            (usual > 0 && reads >= usual ? std::max<std::int64_t>(kQuietMs, kReactionFactor * reaction)
                                         : kUnsureQuietMs) +
            kLagFactor * std::max<std::int64_t>(lagMs, 0);
        // Requests from before the chord belong to an earlier conversation, where requests are seen.
        const std::int64_t lastRequest =
            t.firstRequestMs >= 0 ? std::max(t.lastRequestMs, chordMs_) : t.lastRequestMs;
        done = nowMs - lastRequest >= quiet || (sinceChord >= kMaxMs && !transferring);
    }
    if (!done) return false;
    lastReads_ = reads;
    pending_ = false;
    if (reads > 0) ++habits_[t.lastReader][reads];
    return true;
}

} // namespace telmo
