#include <iostream>

#include "cli/verbs.h"
#include "shell/backups.h"

namespace lumo::cli {

Verb backupsVerb() {
    return {
        "backups",
        "list the copies kept of what was read from radios",
        "lumo-cli backups\n"
        "  Lists the backups kept after every successful read, newest first: the time,\n"
        "  the kind, the file, and for a channel image how many channels are set. They\n"
        "  live in $XDG_DATA_HOME/Lumo/backups (~/.local/share/Lumo/backups). Restore one\n"
        "  with 'lumo-cli write FILE.img' or 'lumo-cli settings write FILE.optw'.\n",
        [](CliContext& context) {
            if (!context.line().args.empty()) {
                std::cerr << "usage: lumo-cli backups\n";
                return 2;
            }
            const std::vector<BackupEntry> entries = listBackups(backupFolder());
            if (entries.empty()) {
                std::cout << "no backups in " << backupFolder().string() << "\n";
                return 0;
            }
            for (const BackupEntry& entry : entries) {
                std::cout << entry.time << "  "
                          << (entry.kind == BackupKind::Channels ? "channels" : "settings") << "  "
                          << entry.file.string();
                if (entry.channelsSet >= 0) {
                    std::cout << "  (" << entry.channelsSet << " channels set)";
                }
                std::cout << "\n";
            }
            return 0;
        },
    };
}

}  // namespace lumo::cli
