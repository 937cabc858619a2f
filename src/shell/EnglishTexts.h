#pragma once
// The English texts that stand beside the described French ones: the commands' labels by their
// identifier, every other text (popup titles, dialog texts, messages, file dialogs, the tools'
// and keys' help, the key reference) by its French text, and the messages composed with names
// and numbers by their wording.

#include <cstdint>
#include <span>
#include <string_view>

#include "interchange/Wordings.h"

namespace kvx {

// The English label of the command with this identifier, or null when it has none.
const char* EnglishCommandText(std::uint32_t id);
// The English of a whole French text, or null when it has none.
const char* EnglishText(std::string_view french);
// The English of the texts made of words and parts (names, numbers, reasons).
std::span<const Wording> EnglishWordings();

}  // namespace kvx
