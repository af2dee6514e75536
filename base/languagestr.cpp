#include "base/languagestr.h"

namespace lumo {

const LanguageStrings& defaultStrings() {
    static const LanguageStrings strings;
    return strings;
}

}  // namespace lumo
