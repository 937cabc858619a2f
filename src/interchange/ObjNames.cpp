#include "interchange/ObjNames.h"

#include <charconv>
#include <cmath>

namespace kvx::obj {
namespace {

constexpr std::string_view LayerPrefix = "layer";
constexpr std::string_view HiddenGroup = "hidden";
constexpr std::string_view MaterialPrefix = "kvx_";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A decimal byte of one to three digits, all of the text.
std::optional<std::uint8_t> ParseByte(std::string_view text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    unsigned value = 256;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

}  // namespace

std::string GroupNames(std::int32_t layer, bool hidden) {
    std::string names = std::string(LayerPrefix) + std::to_string(layer);
    if (hidden) names += " " + std::string(HiddenGroup);
    return names;
}

ObjGroups ParseGroupNames(std::string_view names) {
    ObjGroups groups;
    std::size_t at = 0;
    while (at < names.size()) {
        if (IsBlank(names[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < names.size() && !IsBlank(names[end]))
            ++end;
        const std::string_view name = names.substr(at, end - at);
        if (name == HiddenGroup) {
            groups.hidden = true;
        } else if (groups.layer < 0 && name.size() == LayerPrefix.size() + 1 &&
                   name.starts_with(LayerPrefix) && name.back() >= '0' && name.back() <= '9') {
            groups.layer = name.back() - '0';
        }
        at = end;
    }
    return groups;
}

std::string MaterialName(const ColorBytes& color) {
    return std::string(MaterialPrefix) + std::to_string(color[0]) + "_" + std::to_string(color[1]) +
           "_" + std::to_string(color[2]);
}

std::optional<ColorBytes> ParseMaterialName(std::string_view name) {
    if (!name.starts_with(MaterialPrefix)) return std::nullopt;
    name.remove_prefix(MaterialPrefix.size());
    ColorBytes color{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t end = i < 2 ? name.find('_') : name.size();
        if (end == std::string_view::npos) return std::nullopt;
        const auto byte = ParseByte(name.substr(0, end));
        if (!byte) return std::nullopt;
        color[i] = *byte;
        name.remove_prefix(i < 2 ? end + 1 : end);
    }
    return color;
}

std::uint8_t ColorByte(double component) {
    if (!(component > 0)) return 0;  // also NaN
    if (component >= 1) return 255;
    return static_cast<std::uint8_t>(std::lround(component * 255.0));
}

}  // namespace kvx::obj
