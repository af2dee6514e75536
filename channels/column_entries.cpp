#include "channels/column_entries.h"

namespace lumo {

std::vector<std::string> optionEntries(int column, const LanguageStrings& s,
                                       const ChannelVocabulary& vocabulary) {
    switch (column) {
        case 3:
        case 4: return vocabulary.toneList;
        case 5: return {s.wordHigh, s.wordLow};
        case 6: return {s.word25K, s.word12_5K};
        case 7: return {s.wordOff, s.wordOn};
        case 8: return {s.wordOff, "DTMF"};
        case 9: return {"QT", "QT+DTMF", "QT*DTMF"};
        case 10:
        case 11: return {s.wordOff, s.wordOn};
        default: return {};
    }
}

std::array<std::string, 13> newChannelOptions(const LanguageStrings& s) {
    return {"",        "",        "",        s.wordOff, s.wordOff, s.wordHigh, s.word25K,
            s.wordOff, s.wordOff, "QT",      s.wordOff, s.wordOn,  ""};
}

}  // namespace lumo
