#include "shell/Language.h"

#include <optional>

#include "interchange/FrenchReasons.h"
#include "platform/Settings.h"
#include "shell/CommandTable.h"
#include "shell/EnglishTexts.h"

namespace kvx {
namespace {

constexpr const char* EnglishName = "en";
constexpr const char* FrenchName = "fr";

std::optional<std::string> EnglishLine(std::string_view line) {
    if (const char* english = EnglishText(line)) return std::string(english);
    if (auto reworded = Reworded(EnglishWordings(), WordingSide::French, line)) return reworded;
    const std::string reason = EnglishReason(line);
    if (reason != line) return reason;
    return std::nullopt;
}

// Each line of text through `each`; the line breaks stay.
template <typename Each>
void ForEachLine(std::string_view text, Each each) {
    while (true) {
        const std::size_t end = text.find('\n');
        each(text.substr(0, end), end != std::string_view::npos);
        if (end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
    }
}

}  // namespace

std::string InLanguage(Language language, std::string_view french) {
    if (language == Language::French) return std::string(french);
    if (const char* english = EnglishText(french)) return english;
    std::string out;
    ForEachLine(french, [&](std::string_view line, bool more) {
        out += EnglishLine(line).value_or(std::string(line));
        if (more) out += '\n';
    });
    return out;
}

bool HasEnglish(std::string_view french) {
    if (EnglishText(french)) return true;
    bool all = true;
    ForEachLine(french, [&](std::string_view line, bool) { all = all && EnglishLine(line); });
    return all;
}

std::string CommandLabel(Language language, const CommandRow& row) {
    const std::string french = row.label ? row.label : "";
    if (language == Language::French || french.empty()) return french;
    const char* english = EnglishCommandText(row.id);
    return english ? english : french;
}

Language StoredLanguage(platform::Settings* settings) {
    if (!settings) return Language::French;
    const auto list = settings->StringList(LanguageKey);
    return !list.empty() && list.front() == EnglishName ? Language::English : Language::French;
}

void StoreLanguage(platform::Settings* settings, Language language) {
    if (settings)
        settings->SetStringList(LanguageKey,
                                {language == Language::English ? EnglishName : FrenchName});
}

}  // namespace kvx
