#include "platform/Prompts.h"

#include "platform/Constants.h"

namespace kvx::platform {

int ScriptedPrompts::MessageBox(const std::string& text, const std::string& title,
                                std::uint32_t type) {
    messages_.push_back({text, title});
    if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    const std::uint32_t buttons = type & 0xF;
    return buttons == MB_YESNOCANCEL || buttons == MB_YESNO ? questionAnswer : IDOK;
}

std::optional<std::string> ScriptedPrompts::Next(bool save, FileDialogSettings& settings) {
    dialogs_.push_back({save, settings});
    if (fileNames_.empty()) return std::nullopt;
    auto name = std::move(fileNames_.front());
    fileNames_.pop_front();
    if (name && settings.keepFileName) settings.fileName = *name;
    return name;
}

std::optional<std::string> ScriptedPrompts::OpenFileName(FileDialogSettings& settings) {
    return Next(false, settings);
}

std::optional<std::string> ScriptedPrompts::SaveFileName(FileDialogSettings& settings) {
    return Next(true, settings);
}

}  // namespace kvx::platform
