#include <iostream>

#include "cli/verbs.h"
#include "shell/backups.h"

namespace lumo::cli {

Verb backupsVerb() {
    return {
        "backups",
        "list the copies kept of what was read from radios and written to them",
        "lumo-cli backups\n"
        "  Lists the backups kept after every successful read, and the record kept of\n"
        "  every successful write (files ending in -written), newest first: the time,\n"
        "  the kind (channels or settings), read or written, the file, and for a channel\n"
        "  image how many channels are set. They live in $XDG_DATA_HOME/Lumo/backups\n"
        "  (~/.local/share/Lumo/backups). Restore one with 'lumo-cli write FILE.img' or\n"
        "  'lumo-cli settings write FILE.optw'.\n",
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
                          << originName(entry.origin) << (entry.origin == BackupOrigin::Read ? "     " : "  ")
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
