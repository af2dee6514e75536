// pack-picture: turns a JPEG (and an optional title) into one of the program's picture
// files, such as Spl.dat and bkg.dat.
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "shell/picture_file.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::optional<std::string> title;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--title" && i + 1 < args.size()) {
            title = args[++i];
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) {
        std::cerr << "usage: pack-picture IN.jpg OUT.dat [--title TEXT]\n";
        return 2;
    }
    if (title && title->size() > 256) {
        std::cerr << "pack-picture: a title may have at most 256 characters\n";
        return 2;
    }
    std::ifstream in(files[0], std::ios::binary);
    if (!in) {
        std::cerr << "pack-picture: cannot read " << files[0] << "\n";
        return 1;
    }
    const std::vector<std::uint8_t> jpeg{std::istreambuf_iterator<char>(in), {}};
    const std::vector<std::uint8_t> packed = lumo::packPictureFile(jpeg, title);
    try {
        // The result must load, or the program would start without its pictures.
        lumo::decodePictureFile(packed);
        lumo::writeFileAtomically(
            files[1], std::string_view(reinterpret_cast<const char*>(packed.data()), packed.size()));
    } catch (const std::exception& e) {
        std::cerr << "pack-picture: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
