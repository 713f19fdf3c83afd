#pragma once
// When a paste is over. Where the clipboard is a conversation between two programs (X11), the target
// asks for the list of formats and for the text after the paste chord, at its own pace: Chromium
// takes the text twice with a dozen format lists around it, office programs handle the keys that
// follow the chord before they ask at all. Until the target has done so, the run must send no
// further input and must leave the clipboard alone, or the text lands in the wrong field or not at
// all. This decides, from what the target asked for since the chord, when it is done; each target's
// own habit (how often it takes the text) is learnt over the run.
#include <cstdint>
#include <map>
#include <utility>

namespace telmo {

// What the targets asked of our clipboard so far; the counters only grow. Times in milliseconds of
// one steady clock.
struct PasteTraffic {
    std::uint64_t reads = 0;       // requests for the text itself (a watcher's not counted)
    std::uintptr_t lastReader = 0; // who asked for it last (a window of the target)
    // The same for the program that had the keyboard focus at the chord, where that can be told.
    // Another program's reads may be a watcher's (ClipboardWatchers), or those of a target that asks
    // through a connection of its own; once the focused program has read, only its reads count.
    bool focusKnown = false;
    std::uint64_t focusReads = 0;
    std::uintptr_t lastFocusReader = 0;
    std::int64_t lastRequestMs = 0;   // the last request of any kind: formats, text or an increment
    std::int64_t lastTransferMs = 0;  // the last increment of a large text taken
    std::int64_t firstRequestMs = -1; // the first request since the paste chord; -1 for none yet
    // How the window that had the focus at the chord redraws: the last time it drew more than a caret
    // (-1 for never), and whether its redraws can be seen at all.
    std::int64_t lastRedrawMs = -1;
    bool redrawsSeen = false;
};

class PasteSettling {
public:
    // Quiet after the target has taken the text as often as it usually does. A target that is slow to
    // react to the chord (a loaded machine) is given that much more: kReactionFactor times the time
    // it took to ask its first question.
    static constexpr int kQuietMs = 60;
    static constexpr int kReactionFactor = 3;
    // Quiet after fewer reads than usual, or on the first paste into a target.
    static constexpr int kUnsureQuietMs = 120;
    // A target that does not ask at all (no text field) holds the run no longer than this.
    static constexpr int kNoReadMs = 1000;
    // Nor does one that never goes quiet, unless a large text is still being handed over.
    static constexpr int kMaxMs = 3000;
    // Where the target's redraws can be seen, it has inserted the text once its window drew more than
    // a caret after the last request; the paste is over after this much quiet (no request) from the
    // first such redraw. Until it has drawn, or while it has taken the text fewer times than it
    // usually does, a target is waited for up to kMaxMs (a busy one can stall for two seconds between
    // two reads); one whose pastes mostly end without a redraw (its drawing cannot be seen) holds the
    // run up to kUndrawnMs after its last request.
    static constexpr int kDrawnQuietMs = 20;
    static constexpr int kUndrawnMs = 500;

    // A paste chord went out at nowMs; traffic is what had been asked until then.
    void chordSent(const PasteTraffic& traffic, std::int64_t nowMs);
    bool pending() const { return pending_; }
    // Whether the paste is over by nowMs, given the traffic so far. lagMs is how late the machine runs
    // its programs just now (a wait that overslept): other programs are that late too, so every quiet
    // time grows by kLagFactor times it. When the paste is over, the target's habit is learnt and
    // nothing is pending any more.
    bool over(const PasteTraffic& traffic, std::int64_t nowMs, std::int64_t lagMs = 0);
    static constexpr int kLagFactor = 4;
    // How often the target took the text in the paste that ended last, and how often it usually does.
    std::uint64_t lastReads() const { return lastReads_; }
    std::uint64_t usualReads(std::uintptr_t reader) const;
    // Whether the target's window was seen to draw after the last request of the paste that ended last.
    bool lastDrawn() const { return lastDrawn_; }
    // Who took the text last in the paste that ended last.
    std::uintptr_t lastReader() const { return lastReader_; }

private:
    bool drawsNothing(std::uintptr_t reader) const;

    std::uint64_t lastReads_ = 0;
    bool lastDrawn_ = false;
    std::uintptr_t lastReader_ = 0;

    bool pending_ = false;
    PasteTraffic atChord_;
    std::int64_t chordMs_ = 0;
    std::int64_t drawnMs_ = -1; // when the window was first seen to draw after the last request
    // For each target, how many pastes took the text how many times.
    std::map<std::uintptr_t, std::map<std::uint64_t, int>> habits_;
    // For each target, how many pastes were seen drawn and how many not.
    std::map<std::uintptr_t, std::pair<int, int>> drawings_;
};

// Some programs read the clipboard whenever it changes owner and paste nothing: an input method or a
// clipboard manager keeps a history of it. When such a program is slow, its reads come after the
// paste chord and look like the target's; counted as the target's, they end the paste before the
// target has taken the text. A program that has read our text outside a paste in two or more
// clipboard generations (the gaps between pastes) is such a watcher: its reads are not the target's.
// The program that has the keyboard focus at the chord is never taken for a watcher. Programs are
// named by any number that tells them apart (on X11, the client bits of a window id).
class ClipboardWatchers {
public:
    void pasteStarted(std::uint32_t focusProgram) {
        pasteOpen_ = true;
        focusProgram_ = focusProgram;
    }
    void pasteOver() {
        pasteOpen_ = false;
        ++generation_;
    }
    // The program read our text: whether that read is the paste's.
    bool readIsThePastes(std::uint32_t program);

private:
    struct Seen {
        std::uint64_t generation = 0; // the last generation it read in outside a paste
        int generations = 0;          // in how many it did
    };
    bool pasteOpen_ = false;
    std::uint32_t focusProgram_ = 0;
    std::uint64_t generation_ = 1;
    std::map<std::uint32_t, Seen> seen_;
};

} // namespace telmo
