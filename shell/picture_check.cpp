#include "shell/picture_check.h"

#include "base/languagestr.h"
#include "shell/picture_file.h"

namespace lumo {

bool checkPictureFiles(const std::filesystem::path& appDir, std::ostream& out) {
    bool allLoad = true;
    for (const char* name : {kSplashPicture, kBackgroundPicture}) {
        LanguageStrings strings;  // a title in the file lands here, unused
        try {
            const RgbImage image = LoadPictureFile(appDir, name, strings);
            out << (appDir / name).string() << ": " << image.width << "x" << image.height
                << "\n";
        } catch (const PictureFileError& e) {
            out << e.what() << "\n";
            allLoad = false;
        }
    }
    return allLoad;
}

}  // namespace lumo
