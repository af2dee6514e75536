// lumo-cli: programs a Tarn radio and converts its files without a window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/verbs.h"
#include "lumo_version.h"
#ifdef LUMO_CLI_PRINTS
#include "cli/pdf_printers.h"
#endif

namespace {

void printOverview() {
    std::cout << "Usage: lumo-cli [--port P] [--yes|--no] [--no-backup] VERB [ARGS]\n"
                 "   or: lumo-cli help [VERB]\n"
                 "\n"
                 "Global options, allowed anywhere on the line:\n"
                 "  --port P   com1..com9, or a device path such as /dev/ttyUSB0; without it,\n"
                 "             the saved choice when present, else the first port present\n"
                 "  --yes      answer Yes to every retry question (at most a few times)\n"
                 "  --no       answer No to every retry question\n"
                 "  --no-backup  keep no backup of what this command reads, nor a record of what\n"
                 "             it writes\n"
                 "  -h, --help  print this text, or with a verb that verb's description\n"
                 "  --version  print the version and exit\n"
                 "Without --yes or --no a retry question is asked on the terminal, and answered\n"
                 "No when there is none.\n"
                 "\n"
                 "Verbs:\n";
    for (const auto& verb : lumo::cli::allVerbs()) {
        std::cout << "  " << verb.name << std::string(12 - std::min<std::size_t>(11, verb.name.size()), ' ')
                  << verb.summary << "\n";
    }
    std::cout << "\n'lumo-cli help VERB' describes one verb.\n";
}

const lumo::cli::Verb* findVerb(const std::string& name) {
    for (const auto& verb : lumo::cli::allVerbs()) {
        if (verb.name == name) {
            return &verb;
        }
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    lumo::cli::CommandLine line =
        lumo::cli::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!error.empty()) {
        std::cerr << "lumo-cli: " << error << "\n";
        return 2;
    }
    if (line.version) {
        std::cout << "lumo-cli " << kLumoVersion << "\n";
        return 0;
    }
    if (line.verb == "help") {
        if (line.args.empty()) {
            printOverview();
            return 0;
        }
        const auto* verb = findVerb(line.args[0]);
        if (verb == nullptr) {
            std::cerr << "lumo-cli: no verb '" << line.args[0] << "'\n";
            return 2;
        }
        std::cout << verb->usage;
        return 0;
    }
    if (line.verb.empty()) {
        printOverview();
        return line.help ? 0 : 2;
    }
    const auto* verb = findVerb(line.verb);
    if (verb == nullptr) {
        std::cerr << "lumo-cli: no verb '" << line.verb << "' (see lumo-cli --help)\n";
        return 2;
    }
    if (line.help) {
        std::cout << verb->usage;
        return 0;
    }
    try {
        lumo::cli::CliContext context(std::move(line));
#ifdef LUMO_CLI_PRINTS
        context.printers = lumo::cli::pdfPrinters();
#endif
        return verb->run(context);
    } catch (const std::exception& e) {
        std::cerr << "lumo-cli " << verb->name << ": " << e.what() << "\n";
        return 1;
    }
}
