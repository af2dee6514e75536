#include "cli/terminal_progress.h"

#include <unistd.h>

#include <iostream>

namespace lumo::cli {
namespace {

constexpr int kBarWidth = 40;

int percentOf(int position, int maximum) {
    return maximum > 0 ? static_cast<int>(100LL * position / maximum) : 0;
}

}  // namespace

TerminalProgress::TerminalProgress(std::string what)
    : TerminalProgress(std::move(what), std::cerr, isatty(STDERR_FILENO) != 0) {}

TerminalProgress::TerminalProgress(std::string what, std::ostream& out, bool terminal)
    : what_(std::move(what)), out_(out), terminal_(terminal) {}

void TerminalProgress::progress(int position, int maximum) {
    position_ = position;
    maximum_ = maximum;
    const int percent = percentOf(position, maximum);
    if (!terminal_ || percent == shownPercent_) {
        return;
    }
    shownPercent_ = percent;
    const int filled = kBarWidth * percent / 100;
    // A full bar ends its line, so the completion message gets its own; a failure's
    // message follows the trailing blank of an unfinished bar and ends the line itself.
    out_ << "\r" << what_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] " << percent
         << "% " << (percent == 100 ? "\n" : "") << std::flush;
}

void TerminalProgress::finish(bool succeeded) {
    if (maximum_ == 0) {
        return;  // never connected: the messages have said why
    }
    if (terminal_) {
        return;
    }
    out_ << what_ << (succeeded ? ": " : ": stopped at ") << position_ << " of " << maximum_ << " ("
         << percentOf(position_, maximum_) << "%)\n"
         << std::flush;
}

}  // namespace lumo::cli
