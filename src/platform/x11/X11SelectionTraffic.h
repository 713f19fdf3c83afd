#pragma once
// What other programs ask of the selections that this application owns, seen on Qt's own X
// connection: every request (the list of formats, the text, a time stamp) and every increment of a
// large text that a requestor takes. The run host follows a paste's conversation with it. No X11
// types in this header. Reads by a program that watches the clipboard (ClipboardWatchers) are not
// counted.
#include "platform/PasteSettling.h"

namespace telmo::x11 {

// Starts watching (once per application; needs a Qt GUI application on the xcb platform). False
// when there is nothing to watch.
bool WatchSelectionTraffic();

// The traffic seen so far, as Qt's event loop handled the X events; the counters only grow. Times are
// milliseconds of std::chrono::steady_clock.
PasteTraffic SelectionTrafficSoFar();

// A paste chord went out: starts the count of firstRequestMs anew, and from now until PasteOver()
// reads are taken as the paste's.
void MarkSelectionTraffic();
// The paste is over: reads from now until the next chord are no paste's; they show who watches.
void PasteOver();

} // namespace telmo::x11
