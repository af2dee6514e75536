#pragma once

#include <optional>
#include <string>

#include "channels/channel_table.h"
#include "cli/cli_context.h"

namespace lumo::cli {

// What `write --each` is given besides the table.
struct EachOptions {
    std::optional<std::string> settingsFile;  // --settings FILE.optw
    bool waitRadio = false;                   // --wait-radio
};

// Writes `table` (already checked) and the settings, if any, to one radio after another:
// Enter (or a radio answering, with --wait-radio) starts the next, q or Ctrl-C ends the
// job. One line a radio, then the summary and the log's file on stdout. Returns 0 only
// when every radio was written and verified.
int writeEach(CliContext& context, ChannelTable table, const EachOptions& options);

}  // namespace lumo::cli
