// When a paste is over, from what the target asked for since the chord.
#include "platform/PasteSettling.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

using telmo::PasteSettling;
using telmo::PasteTraffic;

namespace {

constexpr std::uintptr_t kChromium = 0x400000, kOffice = 0x1e00007;

// One request as the target sends it: at ms after the chord, for the text or only the format list.
struct Request {
    int ms;
    bool text;
    std::uintptr_t from = 0; // another program than the focused one, which asks otherwise
};

class Conversation {
public:
    explicit Conversation(PasteSettling& s, std::uintptr_t reader) : s_(s), reader_(reader) {}

    // Sends the chord at the current time, feeds the requests in, and answers when the paste was over
    // (ms after the chord), checking every millisecond up to limitMs.
    // The target's window draws more than a caret at the redraws (ms after the chord), when given.
    int paste(const std::vector<Request>& requests, int limitMs = 5000, std::int64_t lagMs = 0,
              const std::vector<int>* redraws = nullptr) {
        const std::int64_t chord = now_;
        traffic_.firstRequestMs = -1;
        traffic_.redrawsSeen = redraws != nullptr;
        s_.chordSent(traffic_, chord);
        std::size_t next = 0;
        for (int ms = 0; ms <= limitMs; ++ms) {
            now_ = chord + ms;
            if (redraws)
                for (int r : *redraws)
                    if (r == ms) traffic_.lastRedrawMs = now_;
            while (next < requests.size() && requests[next].ms == ms) {
                traffic_.lastRequestMs = now_;
                if (traffic_.firstRequestMs < 0) traffic_.firstRequestMs = now_;
                const Request& r = requests[next];
                if (r.text) {
                    ++traffic_.reads;
                    traffic_.lastReader = r.from ? r.from : reader_;
                    if (traffic_.focusKnown && !r.from)
                        ++traffic_.focusReads, traffic_.lastFocusReader = reader_;
                }
                ++next;
            }
            if (s_.over(traffic_, now_, lagMs)) {
                now_ += 100; // the run goes on to its next steps
                return ms;
            }
        }
        return -1;
    }

    PasteTraffic traffic_;

private:
    PasteSettling& s_;
    std::uintptr_t reader_;
    std::int64_t now_ = 1'000'000;
};

// Chromium: the formats, the text, a dozen format lists, the text again, a few more lists.
std::vector<Request> ChromiumPaste(int start = 3, int gap = 1) {
    std::vector<Request> r{{start, false}, {start + gap, true}};
    for (int i = 0; i < 10; ++i) r.push_back({start + gap * (2 + i), false});
    r.push_back({start + gap * 12, true});
    for (int i = 0; i < 4; ++i) r.push_back({start + gap * (13 + i), false});
    return r;
}

// A window that animates: a redraw every 16 ms from first on.
std::vector<int> Frames(int first, int count) {
    std::vector<int> r;
    for (int i = 0; i < count; ++i) r.push_back(first + 16 * i);
    return r;
}

} // namespace

TEST(PasteSettling, TheFirstPasteIntoATargetWaitsLongEnoughToLearnItsHabit) {
    PasteSettling s;
    Conversation c(s, kChromium);
    const auto paste = ChromiumPaste();
    const int last = paste.back().ms;
    EXPECT_EQ(c.paste(paste), last + PasteSettling::kUnsureQuietMs);
    // Now the target is known to take the text twice: once it has, a short quiet is enough.
    EXPECT_EQ(c.paste(paste), last + PasteSettling::kQuietMs);
}

TEST(PasteSettling, FewerReadsThanUsualWaitLongForTheMissingOne) {
    PasteSettling s;
    Conversation c(s, kChromium);
    c.paste(ChromiumPaste());
    c.paste(ChromiumPaste());
    // The second read comes 100 ms after the first: far beyond the short quiet, still waited for.
    std::vector<Request> late = {{3, false}, {4, true}, {104, true}};
    EXPECT_EQ(c.paste(late), 104 + PasteSettling::kQuietMs);
}

TEST(PasteSettling, ATargetThatReactsSlowlyOrAMachineRunningLateIsGivenMoreQuiet) {
    PasteSettling s;
    Conversation c(s, kChromium);
    c.paste(ChromiumPaste());
    // First question 40 ms after the chord: three times that as quiet.
    const auto slow = ChromiumPaste(40);
    EXPECT_EQ(c.paste(slow), slow.back().ms + 3 * 40);
    // Waits that come back 10 ms late add four times that.
    const auto paste = ChromiumPaste();
    EXPECT_EQ(c.paste(paste, 5000, 10), paste.back().ms + PasteSettling::kQuietMs + 40);
}

TEST(PasteSettling, BoundsForTargetsThatNeverAskOrNeverStop) {
    PasteSettling s;
    Conversation c(s, kOffice);
    EXPECT_EQ(c.paste({}), PasteSettling::kNoReadMs); // a window without a text field
    std::vector<Request> endless;
    for (int ms = 1; ms < 5000; ms += 5) endless.push_back({ms, ms == 1});
    EXPECT_EQ(c.paste(endless), PasteSettling::kMaxMs);
}

TEST(PasteSettling, ALargeTextHandedOverInIncrementsIsAlwaysWaitedFor) {
    PasteSettling s;
    // The office program asks late, after it handled the keys that followed the chord, then takes a
    // large text in increments for four seconds, past every bound.
    s.chordSent(PasteTraffic{}, 0);
    PasteTraffic t;
    t.reads = 1;
    t.lastReader = kOffice;
    t.firstRequestMs = 400;
    for (int ms = 400; ms <= 4400; ms += 20) {
        t.lastRequestMs = t.lastTransferMs = ms;
        ASSERT_FALSE(s.over(t, ms + 10)) << ms;
    }
    EXPECT_FALSE(s.over(t, 4400 + PasteSettling::kUnsureQuietMs - 1));
    EXPECT_TRUE(s.over(t, 4400 + PasteSettling::kUnsureQuietMs));
}

TEST(PasteSettling, WithoutAViewOfTheRequestsTheFirstReadEndsThePaste) {
    PasteSettling s;
    s.chordSent(PasteTraffic{}, 1000);
    PasteTraffic t;
    t.lastRequestMs = std::numeric_limits<std::int64_t>::min() / 4;
    EXPECT_FALSE(s.over(t, 1500));
    t.reads = 1;
    EXPECT_TRUE(s.over(t, 1501, 20));
}

TEST(PasteSettling, WhereRedrawsAreSeenTheTextIsInOnceTheWindowDrewAfterTheLastRequest) {
    const auto paste = ChromiumPaste();
    const int last = paste.back().ms;
    const int drawnQuiet = PasteSettling::kDrawnQuietMs;
    // Chromium stalls for half a second between its two reads, then takes the text and draws it.
    auto stalled = paste;
    for (auto it = stalled.begin() + 12; it != stalled.end(); ++it) it->ms += 500;
    enum Before { kNew, kLearnt, kLearntUndrawn }; // what the earlier pastes into the target showed
    struct Row {
        const char* what;
        Before before;
        std::vector<Request> requests;
        std::vector<int> redraws; // ms after the chord
        std::int64_t lagMs;
        int overAtMs;
    } rows[] = {
        {"drawn soon after the last request", kLearnt, paste, {last + 10}, 0, last + 10 + drawnQuiet},
        {"drawn late, on a loaded page", kLearnt, paste, {last + 170}, 0, last + 170 + drawnQuiet},
        {"the window animates on", kLearnt, paste, Frames(last + 10, 60), 0, last + 10 + drawnQuiet},
        {"the machine runs late", kLearnt, paste, {last + 10}, 10, last + 10 + drawnQuiet + 40},
        {"stalled between the reads", kLearnt, stalled, {last + 510}, 0, last + 510 + drawnQuiet},
        // A redraw in the stall (the Tab before the chord, late) is not the text: one read is missing.
        {"stalled, something else drawn", kLearnt, stalled, {60, last + 510}, 0, last + 510 + drawnQuiet},
        // The window drew while the target was still asking (an earlier key's effect): not the text.
        {"drawn only during the requests", kLearnt, paste, {5, last}, 0, PasteSettling::kMaxMs},
        {"never drawn", kNew, paste, {}, 0, PasteSettling::kMaxMs},
        {"its drawing is not seen", kLearntUndrawn, paste, {}, 0, last + PasteSettling::kUndrawnMs},
        {"first paste, drawn early", kNew, paste, {last + 10}, 0, last + PasteSettling::kUnsureQuietMs},
        {"first paste, drawn late", kNew, paste, {last + 200}, 0, last + 200 + drawnQuiet},
    };
    for (const Row& row : rows) {
        PasteSettling s;
        Conversation c(s, kChromium);
        const std::vector<int> none;
        if (row.before == kLearnt) c.paste(paste);
        if (row.before == kLearntUndrawn) c.paste(paste, 5000, 0, &none);
        EXPECT_EQ(c.paste(row.requests, 5000, row.lagMs, &row.redraws), row.overAtMs) << row.what;
        EXPECT_EQ(s.lastDrawn(), !row.redraws.empty() && row.redraws.back() > last) << row.what;
    }
}

// An input method reads every new clipboard text; on a loaded machine its read can come after the
// chord, before the focused program has asked at all, or between the focused program's reads.
TEST(PasteSettling, ReadsOfAnotherProgramThanTheFocusedOneDoNotEndThePaste) {
    constexpr std::uintptr_t kInputMethod = 0x600000;
    const auto paste = ChromiumPaste();
    const int last = paste.back().ms;
    const auto late = ChromiumPaste(300);
    std::vector<Request> imFirst = {{26, true, kInputMethod}};
    imFirst.insert(imFirst.end(), late.begin(), late.end());
    // The input method reads, then Chromium once, then it stalls half a second with a redraw in it.
    std::vector<Request> imBetween = {{2, true, kInputMethod}};
    for (std::size_t i = 0; i < paste.size(); ++i)
        imBetween.push_back({paste[i].ms + (i >= 12 ? 500 : 0), paste[i].text});
    struct Row {
        const char* what;
        bool learnt;
        std::vector<Request> requests;
        std::vector<int> redraws;
        int overAtMs;
    } rows[] = {
        {"first paste, the page repaints before Chromium asks",
         false,
         imFirst,
         {50, 100, late.back().ms + 10},
         late.back().ms + PasteSettling::kUnsureQuietMs},
        {"between the reads of a stalled Chromium",
         true,
         imBetween,
         {60, last + 510},
         last + 510 + PasteSettling::kDrawnQuietMs},
    };
    for (const Row& row : rows) {
        PasteSettling s;
        Conversation c(s, kChromium);
        c.traffic_.focusKnown = true;
        const std::vector<int> drawnSoon = {last + 10};
        if (row.learnt) c.paste(paste, 5000, 0, &drawnSoon);
        EXPECT_EQ(c.paste(row.requests, 5000, 0, &row.redraws), row.overAtMs) << row.what;
    }
    // An office program asks through a connection of its own, never the focused one: its first paste
    // is waited for in full, and once its habit is known its pastes end as soon as they are drawn.
    PasteSettling s;
    Conversation office(s, kOffice);
    office.traffic_.focusKnown = true;
    const std::vector<Request> twice = {{100, true, kOffice}, {200, true, kOffice}};
    const std::vector<int> drawn = {300};
    EXPECT_EQ(office.paste(twice, 5000, 0, &drawn), PasteSettling::kMaxMs);
    EXPECT_EQ(office.paste(twice, 5000, 0, &drawn), 300 + PasteSettling::kDrawnQuietMs);
}

// An input method reads every new clipboard text at once; loaded, it reads after the chord.
TEST(ClipboardWatchers, AProgramThatReadsOutsidePastesIsNotTheTarget) {
    using telmo::ClipboardWatchers;
    constexpr std::uint32_t kTarget = 0x800000, kInputMethod = 0x600000;
    struct Row {
        const char* what;
        int promptGenerations; // clipboard generations the input method read in outside a paste
        std::uint32_t focus;   // the program with the keyboard focus at the chord
        std::uint32_t reader;
        bool thePastes;
    } rows[] = {
        {"the target's own read", 5, kTarget, kTarget, true},
        {"once outside a paste proves nothing", 1, kTarget, kInputMethod, true},
        {"a watcher reading late", 2, kTarget, kInputMethod, false},
        {"a watcher that has the focus", 3, kInputMethod, kInputMethod, true},
        {"a program never seen before", 3, kTarget, 0x1e00000, true},
    };
    for (const Row& row : rows) {
        ClipboardWatchers w;
        for (int g = 0; g < row.promptGenerations; ++g) {
            EXPECT_FALSE(w.readIsThePastes(kInputMethod)) << row.what; // a read before the chord
            EXPECT_FALSE(w.readIsThePastes(kInputMethod)) << row.what; // twice in one generation
            w.pasteStarted(row.focus);
            w.pasteOver();
        }
        w.pasteStarted(row.focus);
        EXPECT_EQ(w.readIsThePastes(row.reader), row.thePastes) << row.what;
    }
}
