#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/verbs.h"

namespace lumo::test {

// Runs a lumo-cli verb in this process, as `lumo-cli ARGV...` would; exceptions pass
// through (main turns them into a message and status 1).
inline int runVerb(const std::vector<std::string>& argv) {
    std::string error;
    cli::CliContext context(cli::parseCommandLine(argv, error));
    EXPECT_EQ(error, "");
    for (const cli::Verb& verb : cli::allVerbs()) {
        if (verb.name == context.line().verb) {
            return verb.run(context);
        }
    }
    ADD_FAILURE() << "no verb in the line";
    return -1;
}

}  // namespace lumo::test
