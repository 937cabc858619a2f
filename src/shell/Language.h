#pragma once
// The language the editor speaks. The described French texts are the source: callers pass them
// as they are, and what reaches the screen (menus, dialogs, message boxes, file dialogs, the key
// reference) asks InLanguage for the text in the language in use. French is what starts; the
// user's choice ("?" > "English" / "Français") is kept in the settings.

#include <cstdint>
#include <string>
#include <string_view>

namespace kvx {

namespace platform {
class Settings;
}
struct CommandRow;

enum class Language : std::uint8_t { French, English };

inline constexpr const char* LanguageKey = "language";

// A described French text in language: as it is in French; in English its English text, line by
// line, the lines composed with names and numbers by their wording (the reasons of the file
// readers and writers in them too). A line with no English (a file's path) stays as it is.
std::string InLanguage(Language language, std::string_view french);
// Whether the French text, or each of its lines, has an English text.
bool HasEnglish(std::string_view french);
// A command row's label in language.
std::string CommandLabel(Language language, const CommandRow& row);
// One of two wordings: the French one or the English one.
inline const char* Pick(Language language, const char* french, const char* english) {
    return language == Language::English ? english : french;
}

// The language kept in the settings; French when none is kept or there are no settings.
Language StoredLanguage(platform::Settings* settings);
void StoreLanguage(platform::Settings* settings, Language language);

}  // namespace kvx
