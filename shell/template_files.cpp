#include "shell/template_files.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "shell/data_folder.h"

namespace lumo {
namespace {

bool isTemplateExtension(std::string extension) {
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".csv" || extension == ".chnw";
}

}  // namespace

std::filesystem::path templateFolder() {
    return lumoDataFolder() / "templates";
}

std::vector<std::filesystem::path> listTemplateFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && isTemplateExtension(it->path().extension().string())) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        return a.filename() < b.filename();
    });
    return files;
}

}  // namespace lumo
