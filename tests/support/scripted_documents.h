#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/document_dialogs.h"

namespace lumo::test {

// Answers file dialogs and the save-changes question from scripts: a queued path, or
// nothing (Cancel) once the script runs out. Records what was asked.
class ScriptedDocuments final : public DocumentDialogs {
public:
    std::deque<std::optional<std::filesystem::path>> openAnswers;
    std::deque<std::optional<std::filesystem::path>> saveAnswers;
    std::deque<SaveChangesAnswer> saveChangesAnswers;
    std::vector<FileDialogKind> opened;
    std::vector<FileDialogKind> saved;
    // The current file each Save proposed, empty for none.
    std::vector<std::filesystem::path> proposed;
    std::vector<std::string> questions;

    std::optional<std::filesystem::path> chooseOpenFile(const FileDialogKind& kind) override {
        opened.push_back(kind);
        return next(openAnswers);
    }
    std::optional<std::filesystem::path> chooseSaveFile(
        const FileDialogKind& kind, const std::filesystem::path& currentFile = {}) override {
        saved.push_back(kind);
        proposed.push_back(currentFile);
        return next(saveAnswers);
    }
    SaveChangesAnswer askSaveChanges(const std::string& question) override {
        questions.push_back(question);
        if (saveChangesAnswers.empty()) {
            return SaveChangesAnswer::Cancel;
        }
        const SaveChangesAnswer answer = saveChangesAnswers.front();
        saveChangesAnswers.pop_front();
        return answer;
    }

private:
    static std::optional<std::filesystem::path> next(
        std::deque<std::optional<std::filesystem::path>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace lumo::test
