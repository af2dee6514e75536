#include "cli/verbs.h"

#include <vector>

namespace lumo::cli {

std::span<const Verb> allVerbs() {
    static const std::vector<Verb> verbs = {
        pingVerb(),
        portsVerb(),
        convertVerb(),
        editVerb(),
        showVerb(),
        readVerb(),
        writeVerb(),
        settingsVerb(),
        printVerb(),
        diffVerb(),
        backupsVerb(),
    };
    return verbs;
}

}  // namespace lumo::cli
