#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/verbs.h"
#include "cli/write_verify.h"
#include "settings/settings_commands.h"
#include "settings/settings_listing.h"

namespace lumo::cli {
namespace {

constexpr int kUsageError = 2;

int usageError(const std::string& what) {
    std::cerr << "lumo-cli settings: " << what << " (see lumo-cli help settings)\n";
    return kUsageError;
}

void printListing(const SettingsForm& form) {
    for (const std::string& line : settingsListing(form)) {
        std::cout << line << "\n";
    }
    std::cout << std::flush;
}

// Radio operations run as the window's buttons do, so they hold Busy and report
// through the same texts.
struct RadioSettings {
    explicit RadioSettings(CliContext& context)
        : session(strings), commands(form, session, context.link()) {}

    LanguageStrings strings;
    Session session;
    SettingsForm form;
    SettingsCommands commands;
};

int readSettings(CliContext& context, const std::vector<std::string>& args) {
    std::optional<std::string> output;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size()) {
            output = args[++i];
        } else {
            return usageError("unexpected argument '" + args[i] + "'");
        }
    }
    RadioSettings radio(context);
    if (!radio.commands.read()) {
        return 1;
    }
    backUpSettings(context, radio.form);
    if (output) {
        return radio.commands.save(*output) ? 0 : 1;
    }
    printListing(radio.form);
    return 0;
}

int writeSettings(CliContext& context, const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool verify = false;
    bool verbose = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--verify") {
            verify = true;
        } else if (args[i] == "-v" || args[i] == "--verbose") {
            verbose = true;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1) {
        return usageError("write needs one settings file");
    }
    RadioSettings radio(context);
    if (!radio.commands.open(files[0])) {
        return 1;  // the radio was not touched
    }
    if (!radio.commands.write()) {
        return 1;
    }
    recordSettingsWrite(context, radio.form);
    return verify ? verifySettingsWrite(context, radio.form, verbose) : 0;
}

int showSettings(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        return usageError("show needs one settings file");
    }
    SettingsForm form;
    if (const auto failure = loadSettingsFile(form, args[1])) {
        std::cerr << *failure << std::endl;
        return 1;
    }
    printListing(form);
    return 0;
}

int printSettings(CliContext& context, const std::vector<std::string>& args) {
    std::string input;
    std::string output;
    if (!parsePrintArguments(args, 1, input, output)) {
        return usageError("print needs FILE.optw -o OUT.pdf");
    }
    if (!context.printers.settingsWindow) {
        std::cerr << "lumo-cli settings: this lumo-cli was built without printing\n";
        return 1;
    }
    if (const auto failure = context.printers.settingsWindow(input, output)) {
        std::cerr << "lumo-cli settings print: " << *failure << std::endl;
        return 1;
    }
    return 0;
}

}  // namespace

Verb settingsVerb() {
    return {
        "settings",
        "read, write or show the radio's function settings (optw files)",
        "lumo-cli settings read [--port P] [-o FILE.optw]\n"
        "  Reads the radio's settings. With -o writes them to FILE.optw as the window's\n"
        "  Save would; without, prints them one per line. A copy is kept in the backups\n"
        "  folder unless --no-backup.\n"
        "lumo-cli settings write [--port P] FILE.optw [--verify] [-v]\n"
        "  Writes the settings of FILE.optw to the radio. A file that does not fit is\n"
        "  refused before the radio is reached. --verify reads them back, keeps what it\n"
        "  read as a backup and compares them control by control, listing each that\n"
        "  differs (exit 3); bytes no control shows never fail it. -v (--verbose) lists\n"
        "  every byte that differs as well, the reserved one excepted.\n"
        "lumo-cli settings show FILE.optw\n"
        "  Prints the settings of FILE.optw one per line, hidden ones last.\n"
        "lumo-cli settings print FILE.optw -o OUT.pdf\n"
        "  Writes the settings window showing FILE.optw as a PDF page, as the window's\n"
        "  Print would print it. Needs no display.\n"
        "Exits 1 when the radio or the file fails, 2 on a malformed command line.\n",
        [](CliContext& context) {
            const std::vector<std::string>& args = context.line().args;
            if (args.empty()) {
                return usageError("needs read, write, show or print");
            }
            if (args[0] == "read") {
                return readSettings(context, args);
            }
            if (args[0] == "write") {
                return writeSettings(context, args);
            }
            if (args[0] == "show") {
                return showSettings(args);
            }
            if (args[0] == "print") {
                return printSettings(context, args);
            }
            return usageError("no sub-verb '" + args[0] + "'");
        },
    };
}

}  // namespace lumo::cli
