#pragma once

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

namespace lumo::test {

// Points the backups at a folder of the test's own while it lives.
class BackupHome {
  public:
    explicit BackupHome(const std::filesystem::path& dataHome) {
        if (const char* old = std::getenv("XDG_DATA_HOME")) {
            saved_ = old;
        }
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    }
    ~BackupHome() {
        if (saved_) {
            setenv("XDG_DATA_HOME", saved_->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }
    BackupHome(const BackupHome&) = delete;
    BackupHome& operator=(const BackupHome&) = delete;

  private:
    std::optional<std::string> saved_;
};

}  // namespace lumo::test
