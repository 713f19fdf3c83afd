#pragma once
// The one text that describes telmo-cli's command line. --help prints it as it stands; the build turns
// it into the telmo-cli(1) manual page (src/cli/man), so the two always say the same.
//
// Layout the manual page generator relies on:
//   "Usage:" and its indented lines             the synopsis
//   unindented text before the first heading    the description
//   an unindented line ending in ':'            a section heading
//   "  TAG" or "  TAG  TEXT" inside a section   an entry; lines indented further continue its text
#include <string_view>

namespace telmo::cli {

extern const char kUsageText[];

// The synopsis alone (the text up to its first blank line), for the message after a usage error.
std::string_view UsageSynopsis();

} // namespace telmo::cli
