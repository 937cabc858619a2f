#pragma once
// Wordings: the same sentence in two languages, with holes for the parts that stay as they are.
// "{}" stands for a part taken over as it is (a name, a number), "{r}" for a part that is itself
// a sentence and is reworded too. A table of wordings turns a text of one language into the other.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

struct Wording {
    std::string_view english;
    std::string_view french;
};

enum class WordingSide { English, French };

// The parts of text that stand where pattern has "{}" or "{r}", or nothing when text does not
// have the pattern's wording. A part ends where the pattern's next words are found (the last
// time, for the part at the pattern's end: the rest).
std::optional<std::vector<std::string_view>> MatchWording(std::string_view pattern,
                                                          std::string_view text);

// One line reworded from side `from` into the other by the first wording of the table it
// matches (the "{r}" parts by the table again); nothing when it matches none.
std::optional<std::string> Reworded(std::span<const Wording> table, WordingSide from,
                                    std::string_view line);

}  // namespace kvx
