#pragma once

#include <optional>
#include <string>

namespace sigmora::edit {

enum class MessageIcon { None, Information, Warning, Error, Question };

// Everything the editor shows or asks the user goes through this port: message boxes, Yes/No
// questions, file names and dialogs (each dialog takes and returns a plain value).
class UiPort {
public:
    virtual ~UiPort() = default;

    virtual void showMessage(const std::string& text, const std::string& caption = {},
                             MessageIcon icon = MessageIcon::None) = 0;
    // True for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption,
                          MessageIcon icon = MessageIcon::Question) = 0;

    // "Setup Default Period": the divider chosen (1 ... 64), or nothing when cancelled.
    virtual std::optional<int> choosePeriodDivider(int currentDivider) = 0;
};

} // namespace sigmora::edit
