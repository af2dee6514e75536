#include "shell/lumo_options.h"

#include <string_view>

namespace lumo {

LumoAction lumoActionOf(std::span<char* const> args) {
    for (const char* arg : args) {
        const std::string_view option(arg);
        if (option == "--help" || option == "-h") {
            return LumoAction::Help;
        }
        if (option == "--version") {
            return LumoAction::Version;
        }
        if (option == "--check-files") {
            return LumoAction::CheckFiles;
        }
    }
    return LumoAction::Run;
}

std::string lumoUsage() {
    return "Usage: lumo [--help | --version | --check-files]\n"
           "\n"
           "Programs the Tarn hand-held UHF radio over a serial cable: reads, edits and\n"
           "writes its channel table and function settings, and keeps them as files\n"
           "(.chnw, .optw). Opens a window and takes no arguments; lumo-cli does the same\n"
           "work from the command line. Qt's own options, such as -platform NAME, are\n"
           "passed to Qt.\n"
           "\n"
           "Options:\n"
           "  -h, --help     print this text and exit\n"
           "  --version      print the version and exit\n"
           "  --check-files  load the picture files from the program's folder, name each\n"
           "                 with its size, and exit: 0 when all load, 1 otherwise\n"
           "\n"
           "Files:\n"
           "  ~/.config/Vantor/Lumo.conf\n"
           "                      per-user settings: the port chosen and the comN names\n"
           "                      (under $XDG_CONFIG_HOME when that is set)\n"
           "  ~/.local/share/Lumo/backups/\n"
           "                      a copy of everything read from a radio\n"
           "                      (under $XDG_DATA_HOME when that is set)\n"
           "  Spl.dat, bkg.dat    the splash and background pictures, beside the program\n";
}

}  // namespace lumo
