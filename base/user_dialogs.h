#pragma once

#include <string>

namespace lumo {

// How core code speaks to the user. The window shows modal boxes (blocking the calling
// worker until answered), the command line prints and answers from flags or the
// terminal, tests script the answers and record the texts.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A modal message. `caption` empty means the platform's default caption.
    virtual void showMessage(const std::string& text, const std::string& caption = {}) = 0;

    // A refusal or a failure, told apart from a notice: a warning box. Front ends
    // without such a box show it as any other message.
    virtual void showWarning(const std::string& text) { showMessage(text); }

    // An error box with Yes and No; true for Yes. `detail` carries what the operating
    // system said, for front ends that can show more than the box's own text.
    virtual bool askYesNo(const std::string& text, const std::string& detail = {}) = 0;

    // A question that reports no fault: an information box with Yes and No. Front
    // ends without such a distinction ask it as any other question.
    virtual bool askQuestion(const std::string& text) { return askYesNo(text); }

    // A choice the user makes, neither fault nor notice ("Stop the transfer?"): a
    // question box with Yes and No.
    virtual bool confirm(const std::string& text) { return askYesNo(text); }

    // A question whose Yes does one named thing ("Take the 14 good rows"): a box with a
    // button saying `action` and Cancel; true when the action is chosen. `text` asks
    // the question itself, so front ends without such buttons confirm it as it is.
    virtual bool offer(const std::string& text, const std::string& /*action*/) {
        return confirm(text);
    }
};

}  // namespace lumo
