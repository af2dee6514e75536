#include "tests/support/scripted_dialogs.h"

namespace lumo::test {

void ScriptedDialogs::showMessage(const std::string& text, const std::string& caption) {
    if (onMessage) {
        onMessage(text);
    }
    std::lock_guard lock(mutex_);
    messages_.push_back(caption.empty() ? text : caption + ": " + text);
}

void ScriptedDialogs::showWarning(const std::string& text) {
    showMessage(text, {});
    std::lock_guard lock(mutex_);
    warnings_.push_back(text);
}

bool ScriptedDialogs::askYesNo(const std::string& text, const std::string& detail) {
    std::lock_guard lock(mutex_);
    questions_.push_back(text);
    details_.push_back(detail);
    if (answers_.empty()) {
        return false;
    }
    const bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedDialogs::askQuestion(const std::string& text) {
    {
        std::lock_guard lock(mutex_);
        informationQuestions_.push_back(text);
    }
    return askYesNo(text, {});
}

void ScriptedDialogs::answerNext(bool yes) {
    std::lock_guard lock(mutex_);
    answers_.push_back(yes);
}

bool ScriptedDialogs::offer(const std::string& text, const std::string& action) {
    {
        std::lock_guard lock(mutex_);
        offeredActions_.push_back(action);
    }
    return askYesNo(text, {});
}

std::vector<std::string> ScriptedDialogs::offeredActions() const {
    std::lock_guard lock(mutex_);
    return offeredActions_;
}

std::vector<std::string> ScriptedDialogs::informationQuestions() const {
    std::lock_guard lock(mutex_);
    return informationQuestions_;
}

std::vector<std::string> ScriptedDialogs::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::string> ScriptedDialogs::warnings() const {
    std::lock_guard lock(mutex_);
    return warnings_;
}

std::vector<std::string> ScriptedDialogs::questions() const {
    std::lock_guard lock(mutex_);
    return questions_;
}

std::vector<std::string> ScriptedDialogs::details() const {
    std::lock_guard lock(mutex_);
    return details_;
}

}  // namespace lumo::test
