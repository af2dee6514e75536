#include "cli/terminal_progress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace lumo::cli {
namespace {

TEST(TerminalProgress, BarOnATerminalOneLineOtherwise) {
    std::ostringstream terminal;
    TerminalProgress bar("read", terminal, true);
    bar.progress(0, 4416);
    bar.progress(40, 4416);  // still 0 %: not drawn again
    bar.progress(2208, 4416);
    bar.progress(4416, 4416);  // a full bar ends its line
    bar.finish(true);
    EXPECT_EQ(terminal.str(),
              "\rread [........................................] 0% "
              "\rread [####################....................] 50% "
              "\rread [########################################] 100% \n");

    std::ostringstream log;
    TerminalProgress line("write", log, false);
    line.progress(0, 4096);
    line.progress(1024, 4096);
    line.finish(false);
    EXPECT_EQ(log.str(), "write: stopped at 1024 of 4096 (25%)\n");

    std::ostringstream never;
    TerminalProgress unconnected("write", never, false);
    unconnected.finish(false);
    EXPECT_EQ(never.str(), "");
}

}  // namespace
}  // namespace lumo::cli
