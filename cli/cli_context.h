#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/user_dialogs.h"
#include "channels/channel_table.h"
#include "link/hex_link.h"

namespace lumo::cli {

enum class Answer { Ask, Yes, No };

// The command line after the global options (--port, --yes, --no) were taken out,
// wherever they stood.
struct CommandLine {
    std::string verb;
    std::vector<std::string> args;
    std::optional<std::string> port;
    Answer answer = Answer::Ask;
    bool help = false;
    bool version = false;  // --version: print the version, run nothing
    bool noBackup = false;  // --no-backup: keep no copy of what this command reads
};

// Parses argv; on a malformed global option fills `error`.
CommandLine parseCommandLine(const std::vector<std::string>& argv, std::string& error);

// Prompts on the terminal: messages go to stderr, Yes/No boxes are answered from
// --yes/--no, else asked on the terminal, else answered No.
class TerminalDialogs final : public UserDialogs {
public:
    explicit TerminalDialogs(Answer answer) : answer_(answer) {}
    void showMessage(const std::string& text, const std::string& caption) override;
    bool askYesNo(const std::string& text, const std::string& detail) override;

private:
    Answer answer_;
    int yesGiven_ = 0;  // --yes must not retry a dead port for ever
};

// How the print verbs make a PDF: the window program's printing, given to the command
// line by its entry when it is built with the window library. Each returns what went
// wrong, or nothing.
struct DocumentPrinters {
    std::function<std::optional<std::string>(const ChannelTable& table,
                                             const std::filesystem::path& pdf)>
        channelTable;
    std::function<std::optional<std::string>(const std::filesystem::path& optw,
                                             const std::filesystem::path& pdf)>
        settingsWindow;
};

// What a verb works with: the parsed line and, on demand, the radio link.
class CliContext {
public:
    explicit CliContext(CommandLine line);

    const CommandLine& line() const { return line_; }
    HexLink& link();
    UserDialogs& dialogs() { return dialogs_; }
    DocumentPrinters printers;

private:
    CommandLine line_;
    TerminalDialogs dialogs_;
    std::unique_ptr<HexLink> link_;
};

}  // namespace lumo::cli
