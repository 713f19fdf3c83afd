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
    const std::uint64_t focusReads = t.focusReads - atChord_.focusReads;
    const bool byFocus = focusReads > 0;
    const std::uint64_t reads = byFocus ? focusReads : t.reads - atChord_.reads;
    const std::uintptr_t reader = byFocus ? t.lastFocusReader : t.lastReader;
    // Requests from before the chord belong to an earlier conversation, where requests are seen.
    const std::int64_t lastRequest =
        t.firstRequestMs >= 0 ? std::max(t.lastRequestMs, chordMs_) : t.lastRequestMs;
    const std::uint64_t usual = reads > 0 ? usualReads(reader) : 0;
    // A redraw before the last request shows an earlier key's effect, not the text. Nor does a redraw
    // show anything while only another program than the focused one has read, one never seen to
    // end a paste: that may be a watcher, and the target has still to ask.
    const bool drewAfter = t.redrawsSeen && reads > 0 && t.lastRedrawMs > lastRequest;
    const bool drawn = drewAfter && (byFocus || !t.focusKnown || usual > 0);
    bool done = false;
    if (reads == 0) {
        done = sinceChord >= kNoReadMs && !transferring;
    } else {
        const std::int64_t reaction = std::max<std::int64_t>(t.firstRequestMs - chordMs_, 0);
        const bool sure = usual > 0 && reads >= usual;
        const std::int64_t lag = kLagFactor * std::max<std::int64_t>(lagMs, 0);
        const std::int64_t quiet =
            (sure ? std::max<std::int64_t>(kQuietMs, kReactionFactor * reaction) : kUnsureQuietMs) + lag;
        // The quiet runs from the first redraw seen after the last request: a window that animates
        // goes on drawing.
        if (drawn && drawnMs_ <= lastRequest) drawnMs_ = t.lastRedrawMs;
        // Short of the reads it usually takes, a target has not inserted the text yet, whatever its
        // window drew: a key sent before the chord can take effect this late, or an input method's.
        const bool shortOfUsual = usual > 0 && reads < usual;
        if (drawn && !shortOfUsual)
            done = nowMs - drawnMs_ >= kDrawnQuietMs + lag && (sure || nowMs - lastRequest >= quiet);
        else if (t.redrawsSeen && !drawsNothing(reader))
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
    lastReader_ = reader;
    pending_ = false;
    if (reads > 0) {
        ++habits_[reader][reads];
        if (t.redrawsSeen) ++(drewAfter ? drawings_[reader].first : drawings_[reader].second);
    }
    return true;
}

bool ClipboardWatchers::readIsThePastes(std::uint32_t program) {
    if (!pasteOpen_) {
        Seen& seen = seen_[program];
        if (seen.generation != generation_) seen.generation = generation_, ++seen.generations;
        return false;
    }
    if (program == focusProgram_) return true;
    const auto it = seen_.find(program);
    return it == seen_.end() || it->second.generations < 2;
}

} // namespace telmo
