#pragma once
// Turns telmo-cli's help text (laid out as CliUsage.h describes) into a manual page in roff.
#include <string>
#include <string_view>

namespace telmo::man {

struct ManPageInfo {
    std::string_view program; // "telmo-cli"
    std::string_view summary; // the NAME line after the dash
    std::string_view version; // "2.0"
    std::string_view seeAlso; // a program named under SEE ALSO, or empty
};

std::string HelpToManPage(std::string_view help, const ManPageInfo& info);

// Text made safe for a roff line: backslashes, minus signs and a leading control character escaped.
std::string RoffEscape(std::string_view text);

} // namespace telmo::man
