#include <iostream>

#include "cli/verbs.h"

namespace lumo::cli {

Verb pingVerb() {
    return {
        "ping",
        "connect to the radio and close again",
        "lumo-cli ping [--port P]\n"
        "  Opens the port, performs the radio's handshake, closes the port and prints\n"
        "  'connected'. Exits 1 when the radio does not answer.\n",
        [](CliContext& context) {
            if (!context.line().args.empty()) {
                std::cerr << "lumo-cli ping: unexpected argument '" << context.line().args[0]
                          << "'\n";
                return 2;
            }
            HexLink& link = context.link();
            if (!link.ConnectRadio(link.PortName)) {
                return 1;
            }
            link.CloseLinkPort();
            std::cout << "connected" << std::endl;
            return 0;
        },
    };
}

}  // namespace lumo::cli
