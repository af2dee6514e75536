#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "base/user_dialogs.h"

namespace lumo::test {

// Records every text shown and answers Yes/No boxes from a script (No once it runs out).
class ScriptedDialogs final : public UserDialogs {
public:
    explicit ScriptedDialogs(std::deque<bool> answers = {}) : answers_(std::move(answers)) {}

    // Adds an answer to the end of the script.
    void answerNext(bool yes);

    void showMessage(const std::string& text, const std::string& caption) override;
    // Recorded with the other messages, and also apart as shown in a warning box.
    void showWarning(const std::string& text) override;
    bool askYesNo(const std::string& text, const std::string& detail) override;
    // Recorded with the other questions, and also apart as asked in an information box.
    bool askQuestion(const std::string& text) override;
    // Recorded and answered as the other questions; the action's words apart.
    bool offer(const std::string& text, const std::string& action) override;

    std::vector<std::string> messages() const;
    std::vector<std::string> warnings() const;
    // Called with each message as it is shown, before it is recorded.
    std::function<void(const std::string&)> onMessage;
    std::vector<std::string> questions() const;
    std::vector<std::string> details() const;
    std::vector<std::string> informationQuestions() const;
    std::vector<std::string> offeredActions() const;

private:
    mutable std::mutex mutex_;
    std::deque<bool> answers_;
    std::vector<std::string> messages_;
    std::vector<std::string> warnings_;
    std::vector<std::string> questions_;
    std::vector<std::string> details_;
    std::vector<std::string> informationQuestions_;
    std::vector<std::string> offeredActions_;
};

}  // namespace lumo::test
