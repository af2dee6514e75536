#pragma once

#include <span>
#include <string>

namespace lumo {

// What the window program's own command line asks for. Everything else on the line
// is left to Qt (such as -platform), as it always was.
enum class LumoAction {
    Run,         // open the window
    Help,        // --help, -h
    Version,     // --version
    CheckFiles,  // --check-files: load the picture files, report, exit
};

// The first of the program's own options among `args` (argv without the program).
LumoAction lumoActionOf(std::span<char* const> args);

// The text of `lumo --help`.
std::string lumoUsage();

}  // namespace lumo
