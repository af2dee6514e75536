#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace lumo::test {

// A fresh, empty folder for one test, removed with everything in it afterwards.
class TempDir {
  public:
    explicit TempDir(const std::string& purpose)
        : path_(std::filesystem::temp_directory_path() /
                ("lumo-" + purpose + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

}  // namespace lumo::test
