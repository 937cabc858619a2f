#include "interchange/ObjLineScan.h"

#include <algorithm>
#include <charconv>

#include "scene/Limits.h"

namespace kvx::obj {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text up to the end of the line ("\n", "\r\n" or "\r", as tinyobjloader splits lines);
// at is moved past the line ending.
std::string_view NextLine(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
        at = text.size();
        return text.substr(start);
    }
    at = end + 1;
    if (text[end] == '\r' && at < text.size() && text[at] == '\n') ++at;
    std::string_view line = text.substr(start, end - start);
    // tinyobjloader reads each line as a C string.
    return line.substr(0, line.find('\0'));
}

std::string_view SkipBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.substr(i);
}

// The next blank-separated token of s, which is moved past it.
std::string_view NextToken(std::string_view& s) {
    s = SkipBlanks(s);
    std::size_t end = 0;
    while (end < s.size() && !IsBlank(s[end]))
        ++end;
    const std::string_view token = s.substr(0, end);
    s.remove_prefix(end);
    return token;
}

// Whether line is the keyword followed by a blank, as tinyobjloader recognises its lines.
bool Starts(std::string_view line, std::string_view keyword) {
    return line.size() > keyword.size() && line.starts_with(keyword) &&
           IsBlank(line[keyword.size()]);
}

// A number in the form tinyobjloader reads: [sign] digits [. digits] [(e|E) [sign] digits], with
// at least one digit before the exponent; anything else it would read as 0.
bool IsNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t exponentStart = i;
        while (i < s.size() && IsDigit(s[i]))
            ++i;
        if (i == exponentStart) return false;
    }
    return i == s.size();
}

// A number IsNumber accepts, as tinyobjloader reads it right: it takes an exponent of at most a
// few digits (a longer one comes out as 0, or overflows inside it). A longer exponent gives 0
// when negative and a number too large for any float (1e999) when positive; a zero mantissa
// stays zero.
std::string ParserNumber(std::string_view number) {
    constexpr std::size_t MaxExponentDigits = 4;
    const std::size_t e = number.find_first_of("eE");
    if (e == std::string_view::npos) return std::string(number);
    std::string_view exponent = number.substr(e + 1);
    const bool negative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) exponent.remove_prefix(1);
    exponent.remove_prefix(std::min(exponent.find_first_not_of('0'), exponent.size()));
    if (exponent.size() <= MaxExponentDigits) return std::string(number);
    const std::string_view mantissa = number.substr(0, e);
    const std::string sign = mantissa.starts_with('-') ? "-" : "";
    const bool zero = mantissa.find_first_of("123456789") == std::string_view::npos;
    return sign + (negative || zero ? "0" : "1e999");
}

bool IsNonFiniteWord(std::string_view s) {
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
    std::string lower(s);
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower == "nan" || lower == "inf" || lower == "infinity";
}

// The names of an "mtllib" line: split at blanks, a backslash escaping the next character.
void AddMaterialFiles(std::string_view names, std::vector<std::string>& files) {
    std::string name;
    bool escaping = false;
    for (const char c : names) {
        if (!escaping && c == '\\') {
            escaping = true;
            continue;
        }
        if (!escaping && IsBlank(c)) {
            if (!name.empty()) files.push_back(name);
            name.clear();
            continue;
        }
        escaping = false;
        name += c;
    }
    if (!name.empty()) files.push_back(name);
}

std::string At(std::int32_t line) {
    return "line " + std::to_string(line) + ": ";
}

// Checks a vertex line and writes it with its three coordinates only.
bool ScanVertex(std::string_view rest, std::int32_t line, std::string& out, std::string& reason) {
    out += 'v';
    for (int i = 0; i < 3; ++i) {
        const std::string_view token = NextToken(rest);
        if (token.empty()) {
            reason = At(line) + "vertex with fewer than three coordinates";
            return false;
        }
        if (!IsNumber(token)) {
            reason = At(line) + "coordinate '" + std::string(token) +
                     (IsNonFiniteWord(token) ? "' is not a finite number" : "' is not a number");
            return false;
        }
        out += ' ';
        out += ParserNumber(token);
    }
    out += '\n';
    return true;
}

// Counts the corners of a face line and checks each corner's vertex index (the part before any
// '/'): a nonzero integer no larger in size than a scene's vertex table. Writes the line with the
// vertex indices only.
bool ScanFace(std::string_view rest, std::int32_t line, std::int32_t& corners, std::string& out,
              std::string& reason) {
    corners = 0;
    out += 'f';
    for (std::string_view token = NextToken(rest); !token.empty(); token = NextToken(rest)) {
        const std::string_view index = token.substr(0, token.find('/'));
        const std::string_view digits =
            !index.empty() && (index[0] == '+' || index[0] == '-') ? index.substr(1) : index;
        std::int64_t value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        const bool whole =
            !digits.empty() && IsDigit(digits[0]) && end == digits.data() + digits.size();
        if (!whole || (error != std::errc{} && error != std::errc::result_out_of_range)) {
            reason = At(line) + "corner '" + std::string(token) + "' has no vertex index";
            return false;
        }
        if (error == std::errc::result_out_of_range || value > MaxVertices) {
            reason = At(line) + "vertex index " + std::string(index) + " out of range";
            return false;
        }
        if (value == 0) {
            reason = At(line) + "vertex index 0 (indices start at 1)";
            return false;
        }
        out += ' ';
        out += index;
        ++corners;
    }
    out += '\n';
    if (corners < 3) {
        reason = At(line) + "face with " + std::to_string(corners) + " corners (at least 3 needed)";
        return false;
    }
    return true;
}

// A face is smooth in a positive smoothing group; "off", 0, a negative number or a word is none.
// An "s" line without a group changes nothing.
void ScanSmoothing(std::string_view rest, std::string& out) {
    const std::string_view token = NextToken(rest);
    if (token.empty()) return;
    bool smooth = false;
    if (!token.starts_with("off") && token[0] != '-') {
        for (std::size_t i = token[0] == '+' ? 1 : 0; i < token.size() && IsDigit(token[i]); ++i)
            smooth = smooth || token[i] != '0';
    }
    out += smooth ? "s 1\n" : "s 0\n";
}

// Writes the keyword and the rest of the line as it stands.
void CopyLine(std::string_view keyword, std::string_view rest, std::string& out) {
    out += keyword;
    out += ' ';
    out += rest;
    out += '\n';
}

}  // namespace

std::int64_t SplitFaceCount(std::int64_t corners) {
    constexpr std::int64_t perFace = MaxFaceVertices - 2;  // new corners of each further face
    if (corners <= MaxFaceVertices) return 1;
    return 1 + (corners - MaxFaceVertices + perFace - 1) / perFace;
}

bool ScanObjLines(std::string_view text, ObjLineScan& scan, std::string& reason) {
    scan = ObjLineScan{};
    ObjGroups groups;
    std::int32_t lineNumber = 0;
    std::string& out = scan.parserText;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view line = SkipBlanks(NextLine(text, at));
        ++lineNumber;
        if (Starts(line, "v")) {
            if (!ScanVertex(line.substr(2), lineNumber, out, reason)) return false;
            if (static_cast<std::int64_t>(scan.vertices.size()) == MaxVertices) {
                reason = At(lineNumber) + "more than " + std::to_string(MaxVertices) +
                         " vertices (the most a scene holds)";
                return false;
            }
            scan.vertices.push_back({lineNumber, groups});
        } else if (Starts(line, "f")) {
            std::int32_t corners = 0;
            if (!ScanFace(line.substr(2), lineNumber, corners, out, reason)) return false;
            scan.splitFaceCount += SplitFaceCount(corners);
            if (scan.splitFaceCount > MaxFaces) {
                reason = At(lineNumber) + "more than " + std::to_string(MaxFaces) +
                         " faces (the most a scene holds, polygons split to eight corners)";
                return false;
            }
            scan.faces.push_back({lineNumber, corners});
        } else if (Starts(line, "g") || Starts(line, "o")) {
            groups = ParseGroupNames(line.substr(2));
            CopyLine(line.substr(0, 1), line.substr(2), out);
        } else if (Starts(line, "s")) {
            ScanSmoothing(line.substr(2), out);
        } else if (Starts(line, "usemtl")) {
            std::string_view rest = line.substr(7);
            CopyLine("usemtl", NextToken(rest), out);
        } else if (Starts(line, "mtllib")) {
            // The material files' text is given to tinyobjloader as one, read at this line.
            if (scan.materialFiles.empty()) out += "mtllib materials\n";
            AddMaterialFiles(line.substr(7), scan.materialFiles);
        }
    }
    return true;
}

std::vector<std::string> DeclaredMaterialNames(std::string_view text) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view line = SkipBlanks(NextLine(text, at));
        if (!Starts(line, "newmtl")) continue;
        std::string_view rest = line.substr(7);
        names.emplace_back(NextToken(rest));
    }
    return names;
}

std::string ParserMaterialText(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view line = SkipBlanks(NextLine(text, at));
        if (Starts(line, "newmtl")) {
            std::string_view rest = line.substr(7);
            CopyLine("newmtl", NextToken(rest), out);
        } else if (Starts(line, "Kd")) {
            std::string_view rest = line.substr(3);
            std::string kd = "Kd";
            for (int i = 0; i < 3; ++i) {
                const std::string_view token = NextToken(rest);
                if (!IsNumber(token)) break;
                kd += ' ';
                kd += ParserNumber(token);
                if (i == 2) out += kd + '\n';
            }
        }
    }
    return out;
}

}  // namespace kvx::obj
