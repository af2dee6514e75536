#include "shell/channel_write_subject.h"

#include <algorithm>

#include "channels/channel_image.h"
#include "channels/channel_write_check.h"
#include "channels/channel_write_review.h"
#include "channels/image_file.h"

namespace lumo {

RadioBytes radioBytesOf(const MemoryImage& image) {
    return RadioBytes(image.begin(), image.end());
}

MemoryImage memoryImageOf(const RadioBytes& bytes) {
    MemoryImage image = blankMemoryImage();
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
    return image;
}

ChannelWriteSubject::ChannelWriteSubject(const ChannelTable& table, ChannelCommands& commands,
                                         ChannelEditor& editor, const Session& session,
                                         const ChannelVocabulary& vocabulary)
    : table_(table), commands_(commands), editor_(editor), session_(session), vocabulary_(vocabulary) {}

const SubjectWords& ChannelWriteSubject::words() const {
    static const SubjectWords words{"channel table", "channel area", "The table was left as it was.",
                                    "channel(s)", "The radio does not hold what was written."};
    return words;
}

RadioBytes ChannelWriteSubject::toSend() const {
    MemoryImage image = blankMemoryImage();
    StoreGridToImage(table_, image, vocabulary_);
    return radioBytesOf(image);
}

WriteProblems ChannelWriteSubject::problems(const RadioBytes* radio) const {
    std::optional<MemoryImage> held;
    if (radio != nullptr) {
        held = memoryImageOf(*radio);
    }
    const std::vector<ConversionError> found =
        writeProblems(table_, session_, vocabulary_, held ? &*held : nullptr);
    WriteProblems problems;
    if (found.empty()) {
        return problems;
    }
    // The first problem is told as always, then all of them.
    problems.messages.push_back(found.front().what());
    if (found.size() > 1) {
        problems.messages.push_back(listWriteProblems(found));
    }
    // A radio that held this very table would settle every frequency outside the bands,
    // and nothing else.
    try {
        const MemoryImage self = memoryImageOf(toSend());
        problems.radioMaySettle = writeProblems(table_, session_, vocabulary_, &self).empty();
    } catch (const ConversionError&) {
        problems.radioMaySettle = false;
    }
    return problems;
}

std::vector<std::string> ChannelWriteSubject::changes(const RadioBytes& radio) const {
    return channelChangeLines(table_, memoryImageOf(radio), vocabulary_);
}

std::vector<std::string> ChannelWriteSubject::warnings(const RadioBytes& radio) const {
    return outOfBandHeld(table_, session_, memoryImageOf(radio));
}

std::vector<std::string> ChannelWriteSubject::differences(const RadioBytes& wrote,
                                                          const RadioBytes& held) const {
    std::vector<std::string> lines;
    for (const ChannelDifference& difference :
         compareWrittenChannels(memoryImageOf(wrote), memoryImageOf(held), vocabulary_)) {
        lines.push_back(describeDifference(difference, "wrote ", ", radio holds "));
    }
    return lines;
}

std::string ChannelWriteSubject::backupContent(const RadioBytes& bytes) const {
    return std::string(bytes.begin(), bytes.end());
}

RadioBytes ChannelWriteSubject::loadBackup(const std::filesystem::path& file) const {
    return radioBytesOf(readImageFile(file));
}

std::optional<RadioBytes> ChannelWriteSubject::readIntoWindow(TransferHost& host,
                                                              TransferCancel& cancel) {
    bool read = false;
    // The read is one undo step.
    editor_.change([&] { read = commands_.readFromRadio(host, &cancel); });
    if (!read) {
        return std::nullopt;
    }
    return radioBytesOf(commands_.image());
}

std::optional<RadioBytes> ChannelWriteSubject::look(TransferHost& host, TransferCancel& cancel) {
    MemoryImage held = blankMemoryImage();
    if (!commands_.readRadioImage(held, host, &cancel)) {
        return std::nullopt;
    }
    return radioBytesOf(held);
}

bool ChannelWriteSubject::send(TransferHost& host, TransferCancel& cancel) {
    return commands_.writeCheckedTable(host, &cancel);
}

void ChannelWriteSubject::markInStep() {
    editor_.markUnmodified();
}

}  // namespace lumo
