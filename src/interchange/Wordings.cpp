#include "interchange/Wordings.h"

namespace kvx {

std::optional<std::vector<std::string_view>> MatchWording(std::string_view pattern,
                                                          std::string_view text) {
    std::vector<std::string_view> parts;
    while (!pattern.empty()) {
        const std::size_t hole = pattern.find('{');
        if (hole == std::string_view::npos) {
            if (text != pattern) return std::nullopt;
            return parts;
        }
        if (text.substr(0, hole) != pattern.substr(0, hole)) return std::nullopt;
        text.remove_prefix(hole);
        pattern.remove_prefix(pattern.find('}', hole) + 1);
        const std::size_t nextHole = pattern.find('{');
        const std::string_view next = pattern.substr(0, nextHole);
        if (next.empty()) {
            parts.push_back(text);
            text = {};
            continue;
        }
        // Where the words after the part stand: the last place for the pattern's last words.
        const std::size_t at =
            nextHole == std::string_view::npos ? text.rfind(next) : text.find(next);
        if (at == std::string_view::npos) return std::nullopt;
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at);
    }
    if (!text.empty()) return std::nullopt;
    return parts;
}

std::optional<std::string> Reworded(std::span<const Wording> table, WordingSide from,
                                    std::string_view line) {
    const bool fromEnglish = from == WordingSide::English;
    for (const Wording& w : table) {
        const auto parts = MatchWording(fromEnglish ? w.english : w.french, line);
        if (!parts) continue;
        std::string out;
        std::string_view to = fromEnglish ? w.french : w.english;
        std::size_t k = 0;
        for (std::size_t hole = to.find('{'); hole != std::string_view::npos; hole = to.find('{')) {
            out += to.substr(0, hole);
            const std::size_t close = to.find('}', hole);
            const bool sentence = to.substr(hole, close - hole + 1) == "{r}";
            const std::string_view part = k < parts->size() ? (*parts)[k++] : std::string_view();
            out += sentence ? Reworded(table, from, part).value_or(std::string(part))
                            : std::string(part);
            to.remove_prefix(close + 1);
        }
        return out + std::string(to);
    }
    return std::nullopt;
}

}  // namespace kvx
