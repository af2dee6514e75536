#pragma once

#include <iosfwd>
#include <string>

#include "base/transfer_host.h"

namespace lumo::cli {

// Shows a transfer's progress on stderr: a bar with the percentage when stderr is a
// terminal, else one line at the end.
class TerminalProgress final : public BlockingTransferHost {
  public:
    explicit TerminalProgress(std::string what);
    TerminalProgress(std::string what, std::ostream& out, bool terminal);

    void progress(int position, int maximum) override;
    void resetProgress() override {}
    // Prints the one line when stderr is no terminal, once the transfer is over.
    void finish(bool succeeded);

  private:
    std::string what_;
    std::ostream& out_;
    bool terminal_;
    int position_ = 0;
    int maximum_ = 0;
    int shownPercent_ = -1;
};

}  // namespace lumo::cli
