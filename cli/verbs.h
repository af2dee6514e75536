#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace lumo::cli {

struct Verb {
    std::string name;
    std::string summary;  // one line for the verb list
    std::string usage;    // the full description for `help VERB`
    std::function<int(CliContext&)> run;  // returns the exit status
};

std::span<const Verb> allVerbs();

// One verb per file; each defines its own.
Verb pingVerb();
Verb portsVerb();
Verb convertVerb();
Verb editVerb();
Verb showVerb();
Verb readVerb();
Verb writeVerb();
Verb settingsVerb();
Verb printVerb();
Verb backupsVerb();
Verb diffVerb();

// `FILE -o OUT.pdf` in any order, from args[first] on.
bool parsePrintArguments(const std::vector<std::string>& args, std::size_t first,
                         std::string& input, std::string& output);

}  // namespace lumo::cli
