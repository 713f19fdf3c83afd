#include "cli/man/ManPage.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace telmo::man {
namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

size_t Indent(std::string_view line) {
    const auto first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? line.size() : first;
}

std::string_view Trimmed(std::string_view line) {
    line.remove_prefix(Indent(line));
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    return line;
}

bool IsBlank(std::string_view line) {
    return Trimmed(line).empty();
}

bool IsHeading(std::string_view line) {
    return Indent(line) == 0 && !line.empty() && line.back() == ':';
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

std::string RoffEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    if (!text.empty() && (text.front() == '.' || text.front() == '\'')) out += "\\&";
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

std::string HelpToManPage(std::string_view help, const ManPageInfo& info) {
    std::string out;
    out += ".TH \"" + RoffEscape(Upper(info.program)) + "\" 1 \"\" \"" + RoffEscape(info.program) + " " +
           RoffEscape(info.version) + "\" \"User Commands\"\n";
    out += ".SH NAME\n" + RoffEscape(info.program) + " \\- " + RoffEscape(info.summary) + "\n";

    const std::vector<std::string_view> lines = SplitLines(help);
    size_t i = 0;
    if (i < lines.size() && Trimmed(lines[i]) == "Usage:") {
        out += ".SH SYNOPSIS\n.nf\n";
        for (++i; i < lines.size() && Indent(lines[i]) > 0 && !IsBlank(lines[i]); ++i)
            out += RoffEscape(lines[i].substr(std::min<size_t>(2, Indent(lines[i])))) + "\n";
        out += ".fi\n";
    }

    bool seenText = false, seenHeading = false, paragraphOpen = false;
    for (; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (IsBlank(line)) {
            paragraphOpen = false;
            continue;
        }
        if (IsHeading(line)) {
            out += ".SH \"" + RoffEscape(Upper(Trimmed(line.substr(0, line.size() - 1)))) + "\"\n";
            seenHeading = true;
            paragraphOpen = true;
            continue;
        }
        const size_t indent = Indent(line);
        if (indent == 0) { // running text: the description before the first heading, paragraphs after
            if (!seenText && !seenHeading) {
                out += ".SH DESCRIPTION\n";
            } else if (!paragraphOpen) {
                out += ".PP\n";
            }
            seenText = true;
            paragraphOpen = true;
            out += RoffEscape(Trimmed(line)) + "\n";
        } else if (indent <= 2) { // an entry: its tag, and on the same line after two spaces its text
            std::string_view entry = Trimmed(line);
            const auto gap = entry.find("  ");
            out += ".TP\n\\fB" + RoffEscape(entry.substr(0, gap)) + "\\fR\n";
            if (gap != std::string_view::npos) out += RoffEscape(Trimmed(entry.substr(gap))) + "\n";
            paragraphOpen = false; // running text after the entries starts a paragraph of its own
        } else {                   // the text of the entry above
            out += RoffEscape(Trimmed(line)) + "\n";
        }
    }
    if (!info.seeAlso.empty()) out += ".SH \"SEE ALSO\"\n.BR " + RoffEscape(info.seeAlso) + " (1)\n";
    return out;
}

} // namespace telmo::man
