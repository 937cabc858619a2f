#include "interchange/TextDecoding.h"

#include <cstdint>
#include <string_view>

namespace kvx {
namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleMark = "\xFF\xFE";
constexpr std::string_view Utf16BigMark = "\xFE\xFF";
constexpr std::uint32_t Replacement = 0xFFFD;

void AppendUtf8(std::uint32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The UTF-16 units after the mark, as UTF-8. An odd last byte is dropped.
std::string FromUtf16(std::string_view bytes, bool big) {
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<std::uint8_t>(bytes[i]);
        const auto b = static_cast<std::uint8_t>(bytes[i + 1]);
        return static_cast<std::uint32_t>(big ? a << 8 | b : b << 8 | a);
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (c >= 0xD800 && c < 0xE000) c = Replacement;
        AppendUtf8(c, out);
    }
    return out;
}

}  // namespace

bool DecodeText(std::string& text, std::string& reason) {
    const std::string_view view = text;
    if (view.starts_with(Utf8Mark)) {
        text.erase(0, Utf8Mark.size());
    } else if (view.starts_with(Utf16LittleMark) || view.starts_with(Utf16BigMark)) {
        text = FromUtf16(view.substr(2), view.starts_with(Utf16BigMark));
    }
    if (text.find('\0') != std::string::npos) {
        reason = "the file holds binary data (NUL bytes), not text";
        return false;
    }
    return true;
}

}  // namespace kvx
