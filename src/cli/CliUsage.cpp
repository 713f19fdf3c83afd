#include "cli/CliUsage.h"

namespace telmo::cli {

const char kUsageText[] =
    R"usage(Usage:
  telmo-cli text OP [FILE]                          OP: 0..18 or the operation's identifier
  telmo-cli replace [--regex] FIND REPLACEMENT [FILE]
  telmo-cli read [--gb2312] FILE
  telmo-cli run [--dry-run] [--yes] [--count N] [--interval S] [--items FILE]
                [--screen WxH] [--now YYYY-MM-DDTHH:MM:SS] SCRIPT
  telmo-cli --help | --version
Input files are read as UTF-8; results go to standard output as UTF-8.
Without FILE, or with FILE "-", the input is read from standard input.

Commands:
  text OP [FILE]
      Applies one of the nineteen text operations of the text page to the input.
      OP is its number, 0 to 18, or its identifier (RemoveBlankLines, ...).
  replace [--regex] FIND REPLACEMENT [FILE]
      Replaces every FIND in the input by REPLACEMENT; with --regex, FIND is a regular
      expression in the VBScript dialect and REPLACEMENT may use $1 and the like.
      The result is written as it is found; a replace refused part way (exit status 3)
      leaves what was written incomplete.
  read [--gb2312] FILE
      Decodes a text file as the import commands do: UTF-8 or, with --gb2312, GBK.
  run [OPTIONS] SCRIPT
      Runs the script SCRIPT as the script page does, as real keyboard and mouse input
      on the display. The options below are read like the boxes of the script page.

Options of run:
  --dry-run      Injects nothing; prints every action of the run, one a line, in order.
  --yes          Starts without asking for the run confirmation, for scripted runs.
  --count N      The repeat count, as typed into the count box (missing: the box left empty).
  --interval S   The pause after each pass in seconds, as typed into the interval box.
  --items FILE   The data items, one a line, as in the work text box of the text page.
  --screen WxH   The primary screen size of a dry run (default 1920x1080).
  --now TIME     The clock of a dry run starts at TIME, as YYYY-MM-DDTHH:MM:SS.

Exit status:
  0    Success.
  1    The work could not be done: a file unreadable, no display, the run declined.
  2    Bad arguments.
  3    The input was refused, for example a pattern the engine rejects.
  130  The run was stopped.
)usage";

std::string_view UsageSynopsis() {
    const std::string_view text(kUsageText);
    const auto end = text.find("\n\n");
    return end == std::string_view::npos ? text : text.substr(0, end + 1);
}

} // namespace telmo::cli
