#include "channels/chirp_tones.h"

#include <algorithm>
#include <cstdio>

#include "channels/channel_codec.h"
#include "channels/word_match.h"

namespace lumo {
namespace {

constexpr int kDecodeColumn = 3;
constexpr int kEncodeColumn = 4;
constexpr std::string_view kCrossArrow = "->";

// One side of a channel's tones.
struct Tone {
    enum class Kind { Off, Ctcss, Dcs };
    Kind kind = Kind::Off;
    std::string value;    // "88.5" for CTCSS, "023" for DCS
    char polarity = 'N';  // DCS: 'N' normal, 'I' inverted
};

bool inToneList(std::string_view text, const ChannelVocabulary& vocabulary) {
    return std::find(vocabulary.toneList.begin() + 1, vocabulary.toneList.end(), text) !=
           vocabulary.toneList.end();
}

Tone toneOfCell(const std::string& text, const ChannelVocabulary& vocabulary, int column) {
    if (text.empty() || text == vocabulary.toneOff) {
        return {};
    }
    if (!inToneList(text, vocabulary)) {
        throw ConversionError(ConversionError(text, "is not in the tone list"), column);
    }
    // DCS entries are "D023N" and "D023I"; every other entry is a CTCSS frequency.
    if (text.size() == 5 && text[0] == 'D') {
        return {Tone::Kind::Dcs, text.substr(1, 3), text[4]};
    }
    return {Tone::Kind::Ctcss, text};
}

std::string cellOfTone(const Tone& tone, const ChannelVocabulary& vocabulary) {
    switch (tone.kind) {
        case Tone::Kind::Off:
            return vocabulary.toneOff;
        case Tone::Kind::Ctcss:
            return tone.value;
        case Tone::Kind::Dcs:
            return "D" + tone.value + tone.polarity;
    }
    return vocabulary.toneOff;
}

char chirpPolarity(const Tone& tone) {
    return tone.kind == Tone::Kind::Dcs && tone.polarity == 'I' ? 'R' : 'N';
}

std::string_view crossSide(const Tone& tone) {
    switch (tone.kind) {
        case Tone::Kind::Off:
            return "";
        case Tone::Kind::Ctcss:
            return "Tone";
        case Tone::Kind::Dcs:
            return "DTCS";
    }
    return "";
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string quoted(std::string_view column, std::string_view text) {
    return std::string(column) + " \"" + std::string(text) + "\"";
}

// Reads one side from the columns, noting what cannot be read.
class SideReader {
  public:
    SideReader(const ChirpToneColumns& columns, const ChannelVocabulary& vocabulary,
               std::vector<std::string>& problems)
        : columns_(columns), vocabulary_(vocabulary), problems_(problems) {}

    // "88.5", "88.50" and "100" name tones of the list; anything else is a problem.
    Tone ctcss(std::string_view column, std::string_view text) {
        const std::size_t point = text.find('.');
        const std::string_view whole = text.substr(0, point);
        const std::string_view decimals =
            point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
        if (allDigits(whole) && whole.size() <= 3 && allDigits(decimals) &&
            decimals.find_first_not_of('0', 1) == std::string_view::npos) {
            const std::string tone =
                std::to_string(std::stoi(std::string(whole))) + "." + decimals.front();
            if (inToneList(tone, vocabulary_)) {
                return {Tone::Kind::Ctcss, tone};
            }
        }
        problems_.push_back(quoted(column, text) + " is not a CTCSS tone of the radio");
        return {};
    }

    // "023" and "23" name codes of the list; `side` 0 is transmit, 1 receive.
    Tone dcs(std::string_view column, std::string_view text, std::size_t side) {
        const std::string_view polarities = columns_.dtcsPolarity;
        const bool polarityKnown =
            polarities.size() == 2 && std::all_of(polarities.begin(), polarities.end(), [](char c) {
                return c == 'N' || c == 'R' || c == 'n' || c == 'r';
            });
        if (!polarityKnown) {
            if (!polarityTold_) {
                problems_.push_back(quoted("DtcsPolarity", polarities) +
                                    " is not two letters N or R");
                polarityTold_ = true;
            }
            return {};
        }
        const char polarity = polarities[side] == 'R' || polarities[side] == 'r' ? 'I' : 'N';
        if (allDigits(text) && text.size() <= 3) {
            const std::string code = std::string(3 - text.size(), '0') + std::string(text);
            if (inToneList("D" + code + polarity, vocabulary_)) {
                return {Tone::Kind::Dcs, code, polarity};
            }
        }
        problems_.push_back(quoted(column, text) + " is not a DCS code of the radio");
        return {};
    }

    // One side of a cross mode: "", "Tone" or "DTCS".
    Tone crossSide(std::string_view word, std::size_t side) {
        if (word.empty()) {
            return {};
        }
        if (sameWordIgnoringCase(word, "Tone")) {
            return side == 0 ? ctcss("rToneFreq", columns_.rToneFreq)
                             : ctcss("cToneFreq", columns_.cToneFreq);
        }
        return side == 0 ? dcs("DtcsCode", columns_.dtcsCode, 0)
                         : dcs("RxDtcsCode", columns_.rxDtcsCode, 1);
    }

  private:
    const ChirpToneColumns& columns_;
    const ChannelVocabulary& vocabulary_;
    std::vector<std::string>& problems_;
    bool polarityTold_ = false;
};

bool isCrossSide(std::string_view word) {
    return word.empty() || sameWordIgnoringCase(word, "Tone") || sameWordIgnoringCase(word, "DTCS");
}

}  // namespace

ChirpToneColumns chirpToneColumns(const ChannelTones& tones, const ChannelVocabulary& vocabulary) {
    const Tone encode = toneOfCell(tones.encode, vocabulary, kEncodeColumn);
    const Tone decode = toneOfCell(tones.decode, vocabulary, kDecodeColumn);
    using Kind = Tone::Kind;
    ChirpToneColumns columns;
    columns.dtcsPolarity = {chirpPolarity(encode), chirpPolarity(decode)};
    if (encode.kind == Kind::Off && decode.kind == Kind::Off) {
        return columns;
    }
    if (encode.kind == Kind::Ctcss && decode.kind == Kind::Off) {
        columns.tone = "Tone";
        columns.rToneFreq = encode.value;
        return columns;
    }
    if (encode.kind == Kind::Ctcss && decode.kind == Kind::Ctcss && encode.value == decode.value) {
        columns.tone = "TSQL";
        columns.rToneFreq = columns.cToneFreq = encode.value;
        return columns;
    }
    if (encode.kind == Kind::Dcs && decode.kind == Kind::Dcs && encode.value == decode.value) {
        columns.tone = "DTCS";
        columns.dtcsCode = columns.rxDtcsCode = encode.value;
        return columns;
    }
    columns.tone = "Cross";
    columns.crossMode =
        std::string(crossSide(encode)) + std::string(kCrossArrow) + std::string(crossSide(decode));
    if (encode.kind == Kind::Ctcss) {
        columns.rToneFreq = encode.value;
    } else if (encode.kind == Kind::Dcs) {
        columns.dtcsCode = encode.value;
    }
    if (decode.kind == Kind::Ctcss) {
        columns.cToneFreq = decode.value;
    } else if (decode.kind == Kind::Dcs) {
        columns.rxDtcsCode = decode.value;
    }
    return columns;
}

ChannelTones channelTones(const ChirpToneColumns& columns, const ChannelVocabulary& vocabulary,
                          std::vector<std::string>& problems) {
    SideReader reader(columns, vocabulary, problems);
    Tone encode;
    Tone decode;
    const std::string_view mode = columns.tone;
    if (mode.empty()) {
        // Neither side has a tone.
    } else if (sameWordIgnoringCase(mode, "Tone")) {
        encode = reader.ctcss("rToneFreq", columns.rToneFreq);
    } else if (sameWordIgnoringCase(mode, "TSQL")) {
        encode = decode = reader.ctcss("cToneFreq", columns.cToneFreq);
    } else if (sameWordIgnoringCase(mode, "DTCS")) {
        encode = reader.dcs("DtcsCode", columns.dtcsCode, 0);
        if (encode.kind == Tone::Kind::Dcs) {
            decode = reader.dcs("DtcsCode", columns.dtcsCode, 1);
        }
    } else if (sameWordIgnoringCase(mode, "Cross")) {
        const std::string_view cross = columns.crossMode;
        const std::size_t arrow = cross.find(kCrossArrow);
        const std::string_view transmit = cross.substr(0, arrow);
        const std::string_view receive =
            arrow == std::string_view::npos ? std::string_view() : cross.substr(arrow + 2);
        if (arrow == std::string_view::npos || !isCrossSide(transmit) || !isCrossSide(receive) ||
            (transmit.empty() && receive.empty())) {
            problems.push_back(quoted("CrossMode", cross) + " is not a cross mode such as " +
                               "Tone->DTCS");
        } else {
            encode = reader.crossSide(transmit, 0);
            decode = reader.crossSide(receive, 1);
        }
    } else {
        problems.push_back(quoted("Tone", mode) + " is not empty, Tone, TSQL, DTCS or Cross");
    }
    return {cellOfTone(encode, vocabulary), cellOfTone(decode, vocabulary)};
}

}  // namespace lumo
