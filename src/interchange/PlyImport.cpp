#include "interchange/PlyImport.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "interchange/FaceSplit.h"
#include "interchange/ObjImport.h"
#include "interchange/ObjNames.h"
#include "scene/Coordinates.h"
#include "scene/Limits.h"

namespace kvx {
namespace {

enum class Kind { I8, U8, I16, U16, I32, U32, F32, F64 };

struct Property {
    std::string name;
    Kind kind = Kind::F32;
    bool list = false;
    Kind countKind = Kind::U8;
};

struct Element {
    std::string name;
    std::uint64_t count = 0;
    std::vector<Property> properties;
    int Find(std::string_view n) const {
        for (std::size_t i = 0; i < properties.size(); ++i)
            if (properties[i].name == n) return static_cast<int>(i);
        return -1;
    }
};

enum class Format { Text, Little, Big };

struct Header {
    Format format = Format::Text;
    std::vector<Element> elements;
    std::size_t bodyStart = 0;
};

bool KindOf(std::string_view name, Kind& kind) {
    static const std::pair<const char*, Kind> names[] = {
        {"char", Kind::I8},   {"int8", Kind::I8},     {"uchar", Kind::U8},   {"uint8", Kind::U8},
        {"short", Kind::I16}, {"int16", Kind::I16},   {"ushort", Kind::U16}, {"uint16", Kind::U16},
        {"int", Kind::I32},   {"int32", Kind::I32},   {"uint", Kind::U32},   {"uint32", Kind::U32},
        {"float", Kind::F32}, {"float32", Kind::F32}, {"double", Kind::F64}, {"float64", Kind::F64},
    };
    for (const auto& [n, k] : names)
        if (name == n) {
            kind = k;
            return true;
        }
    return false;
}

std::size_t SizeOf(Kind k) {
    switch (k) {
        case Kind::I8:
        case Kind::U8:
            return 1;
        case Kind::I16:
        case Kind::U16:
            return 2;
        case Kind::I32:
        case Kind::U32:
        case Kind::F32:
            return 4;
        case Kind::F64:
            return 8;
    }
    return 1;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool HeaderLine(const std::vector<std::string_view>& w, Header& h, std::string& reason) {
    if (w.empty() || w[0] == "comment" || w[0] == "obj_info") return true;
    if (w[0] == "format" && w.size() >= 2) {
        if (w[1] == "ascii")
            h.format = Format::Text;
        else if (w[1] == "binary_little_endian")
            h.format = Format::Little;
        else if (w[1] == "binary_big_endian")
            h.format = Format::Big;
        else {
            reason = "unknown PLY format \"" + std::string(w[1]) + "\"";
            return false;
        }
        return true;
    }
    if (w[0] == "element" && w.size() == 3) {
        Element e;
        e.name = w[1];
        const auto [end, ec] = std::from_chars(w[2].data(), w[2].data() + w[2].size(), e.count);
        if (ec != std::errc() || end != w[2].data() + w[2].size()) {
            reason =
                "element \"" + e.name + "\": count \"" + std::string(w[2]) + "\" is not a number";
            return false;
        }
        h.elements.push_back(e);
        return true;
    }
    if (w[0] == "property" && !h.elements.empty()) {
        Property p;
        bool ok = false;
        if (w.size() == 5 && w[1] == "list") {
            p.list = true;
            p.name = w[4];
            ok = KindOf(w[2], p.countKind) && KindOf(w[3], p.kind);
        } else if (w.size() == 3) {
            p.name = w[2];
            ok = KindOf(w[1], p.kind);
        }
        if (ok) {
            h.elements.back().properties.push_back(p);
            return true;
        }
    }
    reason = "header line \"" + std::string(w[0]) + " ...\" is not understood";
    return false;
}

bool ReadHeader(std::string_view bytes, Header& h, std::string& reason) {
    std::size_t at = 0;
    bool first = true;
    for (;;) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) {
            reason = "the PLY header has no end_header line";
            return false;
        }
        const auto words = Words(bytes.substr(at, end - at));
        at = end + 1;
        if (first) {
            if (words.size() != 1 || words[0] != "ply") {
                reason = "not a PLY file (no \"ply\" first)";
                return false;
            }
            first = false;
            continue;
        }
        if (!words.empty() && words[0] == "end_header") break;
        if (!HeaderLine(words, h, reason)) return false;
    }
    h.bodyStart = at;
    return true;
}

// The values of the body one after the other, as numbers.
class Values {
  public:
    Values(std::string_view body, Format format) : body_(body), format_(format) {}

    bool Next(Kind kind, double& value) {
        return format_ == Format::Text ? NextWord(value) : NextBinary(kind, value);
    }
    std::size_t Left() const { return body_.size() - at_; }
    std::size_t MinSize(Kind kind) const { return format_ == Format::Text ? 2 : SizeOf(kind); }

  private:
    bool NextWord(double& value) {
        while (at_ < body_.size() && std::isspace(static_cast<unsigned char>(body_[at_])))
            ++at_;
        const char* begin = body_.data() + at_;
        const auto [end, ec] = std::from_chars(begin, body_.data() + body_.size(), value);
        if (ec == std::errc::result_out_of_range) {
            value = HUGE_VAL;  // refused as a coordinate, or as an index
        } else if (ec != std::errc()) {
            return false;
        }
        at_ += static_cast<std::size_t>(end - begin);
        return true;
    }
    template <typename T>
    T Take() {
        std::uint8_t b[sizeof(T)];
        std::memcpy(b, body_.data() + at_, sizeof(T));
        at_ += sizeof(T);
        if ((format_ == Format::Big) == (std::endian::native == std::endian::little))
            std::reverse(b, b + sizeof(T));
        T v;
        std::memcpy(&v, b, sizeof(T));
        return v;
    }
    bool NextBinary(Kind kind, double& value) {
        if (Left() < SizeOf(kind)) return false;
        switch (kind) {
            case Kind::I8:
                value = Take<std::int8_t>();
                break;
            case Kind::U8:
                value = Take<std::uint8_t>();
                break;
            case Kind::I16:
                value = Take<std::int16_t>();
                break;
            case Kind::U16:
                value = Take<std::uint16_t>();
                break;
            case Kind::I32:
                value = Take<std::int32_t>();
                break;
            case Kind::U32:
                value = Take<std::uint32_t>();
                break;
            case Kind::F32:
                value = Take<float>();
                break;
            case Kind::F64:
                value = Take<double>();
                break;
        }
        return true;
    }

    std::string_view body_;
    Format format_;
    std::size_t at_ = 0;
};

using Color = obj::ColorBytes;

std::uint8_t ColorValue(Kind kind, double v) {
    if (kind == Kind::F32 || kind == Kind::F64) return obj::ColorByte(v);
    return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
}

// One element's records, read property by property; the caller keeps what it needs.
struct ElementReading {
    const Element& element;
    Values& values;
    std::string& reason;
    std::vector<double> scalars;             // per property, the last record's value
    std::vector<std::vector<double>> lists;  // per property, the last record's list

    bool Record(std::uint64_t index) {
        scalars.assign(element.properties.size(), 0.0);
        lists.resize(element.properties.size());
        for (std::size_t p = 0; p < element.properties.size(); ++p)
            if (!Value(element.properties[p], scalars[p], lists[p])) {
                reason = element.name + " " + std::to_string(index) + ": " +
                         (reason.empty() ? "the file ends or a value is broken" : reason);
                return false;
            }
        return true;
    }
    // The last record's colour from the properties r, g, b.
    Color RecordColor(int r, int g, int b) const { return {Channel(r), Channel(g), Channel(b)}; }

  private:
    std::uint8_t Channel(int p) const {
        const auto at = static_cast<std::size_t>(p);
        return ColorValue(element.properties[at].kind, scalars[at]);
    }
    bool Value(const Property& p, double& scalar, std::vector<double>& list) {
        if (!p.list) return values.Next(p.kind, scalar);
        double count = 0;
        if (!values.Next(p.countKind, count)) return false;
        if (!(count >= 0) || count != std::floor(count) ||
            count * static_cast<double>(values.MinSize(p.kind)) >
                static_cast<double>(values.Left())) {
            reason = "list of " + std::to_string(count) + " values does not fit the file";
            return false;
        }
        list.resize(static_cast<std::size_t>(count));
        for (double& v : list)
            if (!values.Next(p.kind, v)) return false;
        return true;
    }
};

// The smallest size of one record: what a count is checked against before anything is kept.
std::size_t MinRecordSize(const Element& e, const Values& values) {
    std::size_t size = 0;
    for (const Property& p : e.properties)
        size += values.MinSize(p.list ? p.countKind : p.kind);
    return std::max<std::size_t>(size, 1);
}

struct PlyReader {
    SceneFileData& data;
    std::string& reason;
    std::vector<Color> vertexColors;
    bool hasVertexColors = false;
    std::uint64_t shortFaces = 0;

    bool Vertices(const Element& e, Values& values) {
        const int x = e.Find("x"), y = e.Find("y"), z = e.Find("z");
        const int r = e.Find("red"), g = e.Find("green"), b = e.Find("blue");
        if (x < 0 || y < 0 || z < 0) {
            reason = "the vertices have no x, y and z";
            return false;
        }
        if (e.count > static_cast<std::uint64_t>(MaxVertices)) {
            reason = std::to_string(e.count) + " vertices: more than a scene holds (" +
                     std::to_string(MaxVertices) + ")";
            return false;
        }
        hasVertexColors = r >= 0 && g >= 0 && b >= 0;
        ElementReading read{e, values, reason, {}, {}};
        data.vertices.resize(static_cast<std::size_t>(e.count));
        if (hasVertexColors) vertexColors.resize(data.vertices.size());
        for (std::uint64_t i = 0; i < e.count; ++i) {
            if (!read.Record(i)) return false;
            const auto& s = read.scalars;
            SceneFileData::VertexRecord& v = data.vertices[i];
            v.x = s[static_cast<std::size_t>(x)];
            v.y = s[static_cast<std::size_t>(y)];
            v.z = s[static_cast<std::size_t>(z)];
            if (!FitsFloat(v.x, v.y, v.z)) {
                reason = "vertex " + std::to_string(i) +
                         ": coordinate beyond the range of a 32-bit float";
                return false;
            }
            if (hasVertexColors) vertexColors[i] = read.RecordColor(r, g, b);
        }
        return true;
    }

    Color MeanColor(const std::vector<std::int32_t>& corners) const {
        if (!hasVertexColors) return {0, 0, 255};
        int sum[3] = {0, 0, 0};
        for (const std::int32_t c : corners)
            for (int k = 0; k < 3; ++k)
                sum[k] += vertexColors[static_cast<std::size_t>(c)][static_cast<std::size_t>(k)];
        const int n = static_cast<int>(corners.size());
        return {static_cast<std::uint8_t>((sum[0] + n / 2) / n),
                static_cast<std::uint8_t>((sum[1] + n / 2) / n),
                static_cast<std::uint8_t>((sum[2] + n / 2) / n)};
    }

    bool Corners(const std::vector<double>& list, std::uint64_t face,
                 std::vector<std::int32_t>& corners) {
        corners.clear();
        for (const double v : list) {
            if (!(v >= 0) || v != std::floor(v) || v >= static_cast<double>(data.vertices.size())) {
                reason = "face " + std::to_string(face) + ": vertex index " + std::to_string(v) +
                         " out of range";
                return false;
            }
            corners.push_back(static_cast<std::int32_t>(v));
        }
        return true;
    }

    bool Faces(const Element& e, Values& values) {
        int list = e.Find("vertex_indices");
        if (list < 0) list = e.Find("vertex_index");
        const int r = e.Find("red"), g = e.Find("green"), b = e.Find("blue");
        if (list < 0 || !e.properties[static_cast<std::size_t>(list)].list) {
            reason = "the faces have no list \"vertex_indices\"";
            return false;
        }
        const bool ownColors = r >= 0 && g >= 0 && b >= 0;
        ElementReading read{e, values, reason, {}, {}};
        std::vector<std::int32_t> corners;
        for (std::uint64_t i = 0; i < e.count; ++i) {
            if (!read.Record(i) || !Corners(read.lists[static_cast<std::size_t>(list)], i, corners))
                return false;
            if (corners.size() < 3) {
                ++shortFaces;
                continue;
            }
            if (!AppendModelPolygon(corners,
                                    ownColors ? read.RecordColor(r, g, b) : MeanColor(corners),
                                    data, reason))
                return false;
        }
        return true;
    }

    bool Skip(const Element& e, Values& values) {
        ElementReading read{e, values, reason, {}, {}};
        for (std::uint64_t i = 0; i < e.count; ++i)
            if (!read.Record(i)) return false;
        return true;
    }
};

bool ReadBody(const Header& h, std::string_view body, PlyReader& reader, std::string& notes) {
    Values values(body, h.format);
    bool sawVertices = false;
    for (const Element& e : h.elements) {
        if (e.count > values.Left() / MinRecordSize(e, values)) {
            reader.reason = "the file is shorter than its " + std::to_string(e.count) + " " +
                            e.name + " records";
            return false;
        }
        if (e.name == "vertex" && !sawVertices) {
            sawVertices = true;
            if (!reader.Vertices(e, values)) return false;
        } else if (e.name == "face" && sawVertices) {
            if (!reader.Faces(e, values)) return false;
        } else {
            if (!reader.Skip(e, values)) return false;
            if (e.count) notes += std::to_string(e.count) + " " + e.name + " records skipped\n";
        }
    }
    if (!sawVertices || reader.data.vertices.empty()) {
        reader.reason = "no vertex in the file";
        return false;
    }
    if (reader.shortFaces)
        notes += std::to_string(reader.shortFaces) + " faces of fewer than 3 corners skipped\n";
    return true;
}

}  // namespace

bool ReadPlyBytes(std::string_view bytes, SceneFileData& data, std::string& reason,
                  std::string& notes) {
    data = SceneFileData{};
    data.version = SceneFileVersion;
    Header header;
    if (!ReadHeader(bytes, header, reason)) return false;
    PlyReader reader{data, reason, {}, false, 0};
    if (!ReadBody(header, bytes.substr(header.bodyStart), reader, notes)) {
        data = SceneFileData{};
        return false;
    }
    return true;
}

bool ReadPlyFile(const std::string& path, SceneFileData& data, std::string& reason,
                 std::string& notes) {
    std::string why;
    const std::optional<std::string> bytes = ReadPlainFile(path, MaxObjFileBytes, why);
    if (!bytes) {
        reason = "cannot read the file (" + (why.empty() ? "missing" : why) + ")";
        return false;
    }
    return ReadPlyBytes(*bytes, data, reason, notes);
}

}  // namespace kvx
