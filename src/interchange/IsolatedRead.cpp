#include "interchange/IsolatedRead.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <exception>

#include "scene/ByteSpanReader.h"
#include "scene/Coordinates.h"
#include "scene/Face.h"
#include "scene/Limits.h"

namespace kvx {
namespace {

constexpr char Magic[4] = {'K', 'V', 'X', 'R'};

class ByteWriter {
  public:
    std::vector<std::uint8_t> bytes;
    template <typename T>
    void Put(T value) {
        const auto* b = reinterpret_cast<const std::uint8_t*>(&value);
        bytes.insert(bytes.end(), b, b + sizeof value);
    }
    void Text(const std::string& text) {
        Put(static_cast<std::int32_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
};

bool ReadText(ByteSpanReader& in, std::string& text) {
    const std::int32_t n = in.ReadI32();
    if (in.ReadFailed() || n < 0 || static_cast<std::uint64_t>(n) > in.Size()) return false;
    text.resize(static_cast<std::size_t>(n));
    return in.ReadBytes(text.data(), text.size());
}

bool IsFlag(std::int32_t v) {
    return v == 0 || v == 1;
}
bool IsLayer(std::int32_t v) {
    return v >= -1 && v < LayerCount;
}

bool CheckVertices(const SceneFileData& data, std::string& reason) {
    for (std::size_t i = 0; i < data.vertices.size(); ++i) {
        const SceneFileData::VertexRecord& v = data.vertices[i];
        if (FitsFloat(v.x, v.y, v.z) && IsLayer(v.layer) && IsFlag(v.hidden)) continue;
        reason = "vertex " + std::to_string(i) +
                 (FitsFloat(v.x, v.y, v.z) ? ": layer or flag out of range"
                                           : ": coordinate beyond the range of a 32-bit float");
        return false;
    }
    return true;
}

bool CheckFace(const SceneFileData& data, std::size_t i, std::string& reason) {
    const SceneFileData::FaceRecord& f = data.faces[i];
    const std::string where = "face " + std::to_string(i);
    if (f.indexCount < 3 || f.indexCount > MaxFaceVertices || f.firstIndex < 0 ||
        static_cast<std::size_t>(f.firstIndex) + static_cast<std::size_t>(f.indexCount) >
            data.indices.size()) {
        reason = where + ": " + std::to_string(f.indexCount) + " corners or their place is wrong";
        return false;
    }
    for (std::int32_t k = 0; k < f.indexCount; ++k) {
        const std::int32_t v = data.indices[static_cast<std::size_t>(f.firstIndex + k)];
        if (v < 0 || static_cast<std::size_t>(v) >= data.vertices.size()) {
            reason = where + ": vertex index " + std::to_string(v) + " out of range";
            return false;
        }
    }
    if (!IsLayer(f.layer) || !IsFlag(f.hidden) ||
        (f.renderType != RenderFlat && f.renderType != RenderSmooth)) {
        reason = where + ": layer, flag or kind out of range";
        return false;
    }
    return true;
}

// Waits for the child's whole answer; false with a reason when it does not come in time.
bool Collect(int fd, pid_t child, int seconds, std::vector<std::uint8_t>& out,
             std::string& reason) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::uint8_t buf[1 << 16];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            ::kill(child, SIGKILL);
            reason = "reading stopped after " + std::to_string(seconds) + " seconds";
            return false;
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 1000)));
        if (ready < 0 && errno != EINTR) break;
        if (ready <= 0) continue;
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return true;
        out.insert(out.end(), buf, buf + n);
    }
    ::kill(child, SIGKILL);
    reason = "the reading could not be followed";
    return false;
}

// In the child: runs the reader, sends its answer and ends without running anything of the
// parent's (no exit handlers, no flushing of the parent's buffers).
[[noreturn]] void RunChild(const DataReader& read, int fd) {
    std::vector<std::uint8_t> bytes;
    try {
        SceneFileData data;
        std::string reason, notes;
        const bool ok = read(data, reason, notes);
        bytes = ReadingBytes(ok, reason, notes, ok ? data : SceneFileData{});
    } catch (const std::exception& e) {
        bytes = ReadingBytes(false, std::string("the reader failed: ") + e.what(), "", {});
    } catch (...) {
        bytes = ReadingBytes(false, "the reader failed", "", {});
    }
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + sent, bytes.size() - sent);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ::_exit(2);
        sent += static_cast<std::size_t>(n);
    }
    ::_exit(0);
}

std::string EndOf(int status) {
    if (WIFSIGNALED(status))
        return std::string("the reader stopped on this file (") + ::strsignal(WTERMSIG(status)) +
               ")";
    return "the reader ended without an answer (status " + std::to_string(WEXITSTATUS(status)) +
           ")";
}

}  // namespace

bool CheckSceneFileData(const SceneFileData& data, std::string& reason) {
    if (data.vertices.size() > static_cast<std::size_t>(MaxVertices) ||
        data.faces.size() > static_cast<std::size_t>(MaxFaces)) {
        reason = "more vertices or faces (" + std::to_string(data.vertices.size()) + ", " +
                 std::to_string(data.faces.size()) + ") than a scene holds (" +
                 std::to_string(MaxVertices) + ")";
        return false;
    }
    if (!CheckVertices(data, reason)) return false;
    for (std::size_t i = 0; i < data.faces.size(); ++i)
        if (!CheckFace(data, i, reason)) return false;
    return true;
}

std::vector<std::uint8_t> ReadingBytes(bool read, const std::string& reason,
                                       const std::string& notes, const SceneFileData& data) {
    ByteWriter w;
    w.bytes.insert(w.bytes.end(), Magic, Magic + 4);
    w.Put(static_cast<std::uint8_t>(read ? 1 : 0));
    w.Text(reason);
    w.Text(notes);
    w.Put(static_cast<std::int32_t>(data.vertices.size()));
    w.Put(static_cast<std::int32_t>(data.faces.size()));
    w.Put(static_cast<std::int32_t>(data.indices.size()));
    w.bytes.reserve(w.bytes.size() + data.vertices.size() * 32 + data.faces.size() * 23 +
                    data.indices.size() * 4);
    for (const SceneFileData::VertexRecord& v : data.vertices) {
        w.Put(v.x);
        w.Put(v.y);
        w.Put(v.z);
        w.Put(v.hidden);
        w.Put(v.layer);
    }
    for (const SceneFileData::FaceRecord& f : data.faces) {
        w.Put(f.firstIndex);
        w.Put(f.indexCount);
        w.Put(f.red);
        w.Put(f.green);
        w.Put(f.blue);
        w.Put(f.layer);
        w.Put(f.hidden);
        w.Put(f.renderType);
    }
    for (const std::int32_t i : data.indices)
        w.Put(i);
    return std::move(w.bytes);
}

bool ParseReadingBytes(std::span<const std::uint8_t> bytes, SceneFileData& data,
                       std::string& reason, std::string& notes) {
    data = SceneFileData{};
    ByteSpanReader in(bytes);
    char magic[4] = {};
    const std::string broken = "the reader's answer is broken";
    if (!in.ReadBytes(magic, 4) || std::memcmp(magic, Magic, 4) != 0) {
        reason = broken;
        return false;
    }
    const std::uint8_t read = in.ReadU8();
    std::string said;
    if (!ReadText(in, said) || !ReadText(in, notes)) {
        reason = broken;
        return false;
    }
    if (read != 1) {
        reason = said.empty() ? broken : said;
        return false;
    }
    const std::int32_t vertices = in.ReadI32(), faces = in.ReadI32(), indices = in.ReadI32();
    const std::uint64_t need = std::uint64_t{32} * static_cast<std::uint32_t>(vertices) +
                               std::uint64_t{23} * static_cast<std::uint32_t>(faces) +
                               std::uint64_t{4} * static_cast<std::uint32_t>(indices);
    if (in.ReadFailed() || vertices < 0 || faces < 0 || indices < 0 ||
        static_cast<std::uint64_t>(in.Position()) + need != bytes.size() ||
        vertices > MaxVertices || faces > MaxFaces) {
        reason = broken;
        return false;
    }
    data.version = SceneFileVersion;
    data.vertices.resize(static_cast<std::size_t>(vertices));
    for (SceneFileData::VertexRecord& v : data.vertices) {
        v.x = in.ReadF64();
        v.y = in.ReadF64();
        v.z = in.ReadF64();
        v.hidden = in.ReadI32();
        v.layer = in.ReadI32();
    }
    data.faces.resize(static_cast<std::size_t>(faces));
    for (SceneFileData::FaceRecord& f : data.faces) {
        f.firstIndex = in.ReadI32();
        f.indexCount = in.ReadI32();
        f.red = in.ReadU8();
        f.green = in.ReadU8();
        f.blue = in.ReadU8();
        f.layer = in.ReadI32();
        f.hidden = in.ReadI32();
        f.renderType = in.ReadI32();
    }
    data.indices.resize(static_cast<std::size_t>(indices));
    for (std::int32_t& i : data.indices)
        i = in.ReadI32();
    if (in.ReadFailed() || !CheckSceneFileData(data, reason)) {
        if (!in.ReadFailed())
            reason = broken + ": " + reason;
        else
            reason = broken;
        data = SceneFileData{};
        return false;
    }
    return true;
}

bool ReadIsolated(const DataReader& read, SceneFileData& data, std::string& reason,
                  std::string& notes, int seconds) {
    data = SceneFileData{};
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        reason = "no pipe for the reader: " + std::string(std::strerror(errno));
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        reason = "no process for the reader: " + std::string(std::strerror(errno));
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        ::close(fds[0]);
        RunChild(read, fds[1]);
    }
    ::close(fds[1]);
    std::vector<std::uint8_t> answer;
    const bool collected = Collect(fds[0], child, seconds, answer, reason);
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!collected) return false;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        reason = EndOf(status);
        return false;
    }
    return ParseReadingBytes(answer, data, reason, notes);
}

}  // namespace kvx
