// Writes the telmo-cli(1) manual page, made from the same text that telmo-cli --help prints.
#include "Version.h"
#include "cli/CliUsage.h"
#include "cli/man/ManPage.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: telmo-manpage OUTPUT\n", stderr);
        return 2;
    }
    const std::string page = telmo::man::HelpToManPage(
        telmo::cli::kUsageText,
        {"telmo-cli", "the command line of the Telmo form-filling assistant", telmo::kVersion, "telmo"});
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << page;
    out.close();
    if (!out) {
        std::fprintf(stderr, "telmo-manpage: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
