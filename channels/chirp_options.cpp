#include "channels/chirp_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "channels/word_match.h"

namespace lumo {
namespace {

constexpr int kPower = 5;
constexpr int kWidth = 6;
constexpr int kBusyLock = 7;
constexpr int kOptSignal = 8;
constexpr int kSpUnmute = 9;
constexpr int kWithout = 10;
constexpr int kScanAdd = 11;
constexpr double kLowPowerBelowWatts = 2.0;

// The column words of each option field, in the order the vocabulary lists the
// field's entries.
struct FieldWords {
    int field;
    std::string_view column;
    std::array<std::string_view, 3> words;
    std::size_t count;
    std::size_t newChannel;  // the entry a new channel starts with
};

constexpr std::array<FieldWords, 7> kFieldWords{{
    // CHIRP reads its Power column only as watts. The radio's own figures are not
    // known; these two read back as High and Low on either side of the 2 W limit.
    {kPower, "Power", {"5.0W", "1.0W"}, 2, 0},
    {kWidth, "Mode", {"FM", "NFM"}, 2, 0},
    {kBusyLock, "BusyLock", {"On", "Off"}, 2, 1},
    {kOptSignal, "OptSignal", {"DTMF", "Off"}, 2, 1},
    {kSpUnmute, "SPUnmute", {"QT*DTMF", "QT+DTMF", "QT"}, 3, 2},
    {kWithout, "Without", {"On", "Off"}, 2, 1},
    {kScanAdd, "Skip", {"", "S"}, 2, 0},
}};

const FieldWords& wordsOf(int field) {
    return kFieldWords[static_cast<std::size_t>(field - kPower)];
}

std::vector<const OptionWord*> entriesOf(const ChannelVocabulary& vocabulary, int field) {
    std::vector<const OptionWord*> entries;
    for (const OptionWord& entry : vocabulary.optionWords) {
        if (descriptorField(entry.descriptor) == field) {
            entries.push_back(&entry);
        }
    }
    return entries;
}

std::string_view columnWord(const ChannelFields& fields, const ChannelVocabulary& vocabulary,
                            int field) {
    const std::vector<const OptionWord*> entries = entriesOf(vocabulary, field);
    std::size_t index = entries.size() - 1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i]->word == fields[static_cast<std::size_t>(field)]) {
            index = i;
            break;
        }
    }
    return wordsOf(field).words[index];
}

void setEntry(ChannelFields& fields, const ChannelVocabulary& vocabulary, int field,
              std::size_t index) {
    fields[static_cast<std::size_t>(field)] = entriesOf(vocabulary, field).at(index)->word;
}

// "1.0W", "0.5 W" or "4": a wattage under the low-power limit.
bool isLowWattage(std::string_view text) {
    if (!text.empty() && (text.back() == 'W' || text.back() == 'w')) {
        text.remove_suffix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    double watts = 0;
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, watts);
    return !text.empty() && parsed.ec == std::errc() && parsed.ptr == end && watts >= 0 &&
           watts < kLowPowerBelowWatts;
}

std::string listOfWords(const FieldWords& words) {
    std::string list;
    for (std::size_t i = 0; i < words.count; ++i) {
        list += (i == 0 ? "" : i + 1 == words.count ? " or " : ", ") + std::string(words.words[i]);
    }
    return list;
}

// One of our own columns: its word, or the new channel's entry.
void readOurColumn(const std::string& text, int field, const ChannelVocabulary& vocabulary,
                   ChannelFields& fields, std::vector<std::string>& warnings) {
    const FieldWords& words = wordsOf(field);
    std::size_t index = words.newChannel;
    if (!text.empty()) {
        const auto* found =
            std::find_if(words.words.begin(), words.words.begin() + words.count,
                         [&](std::string_view word) { return sameWordIgnoringCase(word, text); });
        if (found != words.words.begin() + words.count) {
            index = static_cast<std::size_t>(found - words.words.begin());
        } else {
            warnings.push_back(std::string(words.column) + " \"" + text + "\" is not " +
                               listOfWords(words) + "; " +
                               std::string(words.words[words.newChannel]) + " taken");
        }
    }
    setEntry(fields, vocabulary, field, index);
}

}  // namespace

ChirpOptionColumns chirpOptionColumns(const ChannelFields& fields,
                                      const ChannelVocabulary& vocabulary) {
    const auto word = [&](int field) { return std::string(columnWord(fields, vocabulary, field)); };
    return {word(kPower),     word(kWidth),    word(kScanAdd), word(kBusyLock),
            word(kOptSignal), word(kSpUnmute), word(kWithout)};
}

void readChirpOptionColumns(const ChirpOptionColumns& columns, const ChannelVocabulary& vocabulary,
                            ChannelFields& fields, std::vector<std::string>& problems,
                            std::vector<std::string>& warnings) {
    const bool low = sameWordIgnoringCase(columns.power, "Low") ||
                     sameWordIgnoringCase(columns.power, "L") || isLowWattage(columns.power);
    setEntry(fields, vocabulary, kPower, low ? 1 : 0);

    if (sameWordIgnoringCase(columns.mode, "FM") || sameWordIgnoringCase(columns.mode, "NFM")) {
        setEntry(fields, vocabulary, kWidth, sameWordIgnoringCase(columns.mode, "FM") ? 0 : 1);
    } else {
        problems.push_back("Mode \"" + columns.mode + "\" is neither FM nor NFM");
    }

    const bool skipped =
        sameWordIgnoringCase(columns.skip, "S") || sameWordIgnoringCase(columns.skip, "P");
    setEntry(fields, vocabulary, kScanAdd, skipped ? 1 : 0);

    readOurColumn(columns.busyLock, kBusyLock, vocabulary, fields, warnings);
    readOurColumn(columns.optSignal, kOptSignal, vocabulary, fields, warnings);
    readOurColumn(columns.spUnmute, kSpUnmute, vocabulary, fields, warnings);
    readOurColumn(columns.without, kWithout, vocabulary, fields, warnings);
}

}  // namespace lumo
