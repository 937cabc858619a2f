#pragma once
// The reasons the file readers and writers give, in French for the editor's messages. The
// readers and writers word their reasons in English (kvxtool shows them as they are); each
// wording has its French one here, with the same parts (line numbers, names, counts) in it.

#include <string>
#include <string_view>

namespace kvx {

// The French of a reason, line by line. A line of no known wording stays as it is.
std::string FrenchReason(std::string_view english);
// The English of a reason put in French, line by line (for the editor's messages in English).
std::string EnglishReason(std::string_view french);

}  // namespace kvx
