#include "cli/cli_context.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "link/port_choice.h"
#include "link/present_ports.h"
#include "link/serial_opener.h"

namespace lumo::cli {
namespace {

constexpr int kMaxAutomaticYes = 5;

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& argv, std::string& error) {
    CommandLine line;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        if (arg == "--port") {
            if (i + 1 >= argv.size()) {
                error = "--port needs a port name or device path";
                return line;
            }
            line.port = argv[++i];
        } else if (arg.rfind("--port=", 0) == 0) {
            line.port = arg.substr(7);
        } else if (arg == "--yes" || arg == "-y") {
            line.answer = Answer::Yes;
        } else if (arg == "--no") {
            line.answer = Answer::No;
        } else if (arg == "--no-backup") {
            line.noBackup = true;
        } else if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--version") {
            line.version = true;
        } else if (line.verb.empty() && !(arg.size() > 1 && arg[0] == '-')) {
            line.verb = arg;
        } else {
            line.args.push_back(arg);
        }
    }
    if (line.port && line.port->empty()) {
        error = "--port needs a port name or device path";
    }
    return line;
}

void TerminalDialogs::showMessage(const std::string& text, const std::string& caption) {
    if (!caption.empty()) {
        std::cerr << caption << ": ";
    }
    std::cerr << text << std::endl;
}

bool TerminalDialogs::askYesNo(const std::string& text, const std::string& detail) {
    std::cerr << text << std::endl;
    std::size_t start = 0;
    while (start < detail.size()) {
        const std::size_t end = std::min(detail.find('\n', start), detail.size());
        std::cerr << "  " << detail.substr(start, end - start) << std::endl;
        start = end + 1;
    }
    switch (answer_) {
        case Answer::Yes:
            if (yesGiven_ < kMaxAutomaticYes) {
                ++yesGiven_;
                std::cerr << "  -> Yes (--yes)" << std::endl;
                return true;
            }
            std::cerr << "  -> No (--yes gave up after " << kMaxAutomaticYes << " retries)"
                      << std::endl;
            return false;
        case Answer::No:
            std::cerr << "  -> No (--no)" << std::endl;
            return false;
        case Answer::Ask:
            break;
    }
    if (isatty(STDIN_FILENO) == 0) {
        std::cerr << "  -> No (no terminal to ask; use --yes or --no)" << std::endl;
        return false;
    }
    std::cerr << "Try again? [y/N] " << std::flush;
    std::string reply;
    if (!std::getline(std::cin, reply)) {
        return false;
    }
    return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

CliContext::CliContext(CommandLine line) : line_(std::move(line)), dialogs_(line_.answer) {}

HexLink& CliContext::link() {
    if (!link_) {
        IniSettingsStore store(userSettingsFile());
        const PortAssignments ports(store, listPresentPorts());
        link_ = std::make_unique<HexLink>(makeSerialOpener(ports.portMap()), dialogs_);
        // Without --port the command line picks the port as the window does.
        link_->PortName = line_.port ? *line_.port : defaultPortName(store, ports);
    }
    return *link_;
}

}  // namespace lumo::cli
