#include "views/GroupedFaces.h"

#include <algorithm>
#include <array>
#include <utility>

#include "scene/Limits.h"
#include "views/FaceSettling.h"
#include "views/ProcessorPaths.h"
#include "views/RenderPasses.h"
#include "views/RunBox.h"

namespace kvx {
namespace {

using namespace settling;

// Faces handled together: when none of them can write a pixel of a view, the view skips them.
constexpr std::size_t RunLength = 16;
// The same for a model whose projection table fits the caches: finding a run's rectangle then
// costs less, and shorter runs are passed over more often.
constexpr std::size_t SmallRunLength = 8;
// How far ahead of the run being drawn backwards its table rows are fetched, in corners.
constexpr std::ptrdiff_t PrefetchCorners = 3 * RunLength * 3;
// From which size of projection table on rows are fetched ahead, in runs of RunLength. Debug
// builds take that way for every model, so that the tests' small scenes check it too.
#ifdef NDEBUG
constexpr std::size_t PrefetchFromBytes = std::size_t{8} << 20;
#else
constexpr std::size_t PrefetchFromBytes = 0;
#endif

// Draws one face into the views whose bits are set in `views`, its corners' table rows found
// once for them all. packed and colour carry the outline colour last packed from face to face.
template <int Bits, FacePass Pass>
KVX_HOT_INLINE void GroupFace(std::span<GroupMember> members, const PreparedScene::FaceEntry& e,
                              const std::int32_t* corner, std::uint32_t views,
                              const std::int32_t* table, std::size_t width, bool spans, int& packed,
                              PixelValue& colour) {
    std::array<const std::int32_t*, MaxFaceVertices> at;
    const std::int32_t n = e.count;
    for (std::int32_t k = 0; k < n; ++k)
        at[static_cast<std::size_t>(k)] = table + static_cast<std::size_t>(corner[k]) * width;
    if constexpr (Pass == FacePass::Outlines) {
        const int bytes = e.red << 16 | e.green << 8 | e.blue;
        if (bytes != packed) {
            packed = bytes;
            colour = PackColor(e.red, e.green, e.blue, Bits);
        }
    }
    if (n == 3 && spans) {
        TriangleSpan span;
        SpanOf(at.data(), span);
        for (std::size_t i = 0; i < members.size(); ++i)
            if ((views >> i & 1u) != 0)
                SettleTriangle<Bits, Pass>(members[i], span, at.data(), colour);
        return;
    }
    for (std::size_t i = 0; i < members.size(); ++i)
        if ((views >> i & 1u) != 0) SettleFace<Bits, Pass>(members[i], at.data(), n, colour);
}

// Walking backwards, the processor foresees neither the table rows of the next runs nor their
// corner numbers: the rows of the faces a few runs on from runCorners are fetched ahead, and the
// corner numbers of the runs after those.
KVX_HOT_INLINE void FetchAhead(const std::int32_t* table, std::size_t width,
                               const std::int32_t* corners, const std::int32_t* runCorners,
                               std::size_t cornerCount) {
    const auto count = static_cast<std::ptrdiff_t>(cornerCount);
    const std::ptrdiff_t ahead = (runCorners - corners) - PrefetchCorners;
    for (std::ptrdiff_t i = std::max<std::ptrdiff_t>(ahead, 0); i < ahead + count; ++i)
        __builtin_prefetch(table + static_cast<std::size_t>(corners[i]) * width);
    constexpr std::ptrdiff_t line = 64 / sizeof(std::int32_t);
    const std::ptrdiff_t further = ahead - 2 * PrefetchCorners;
    for (std::ptrdiff_t i = further; i < further + count; i += line)
        if (i >= 0) __builtin_prefetch(corners + i);
}

// The views (one bit each) where a run whose corners are runCorners[0 .. count - 1] may still
// write a pixel: in the others every pixel of the rectangle the corners lie in is settled.
KVX_HOT_INLINE std::uint32_t ViewsReached(std::span<const GroupMember> members,
                                          const std::int32_t* table, std::size_t width,
                                          const std::int32_t* runCorners, std::size_t count) {
    std::array<std::int32_t, MaxRunBoxWidth> lo, hi;
    RunBox(table, width, runCorners, count, lo.data(), hi.data());
    std::uint32_t views = 0;
    for (std::size_t i = 0; i < members.size(); ++i) {
        const GroupMember& m = members[i];
        if (!m.settled->AllSettled(lo[m.x], lo[m.y], hi[m.x], hi[m.y])) views |= 1u << i;
    }
    return views;
}

// A pass over faces for several views at Bits bits per pixel, each face's corners found once
// for them all: the outlines from the last face back, the selected faces from the first.
template <int Bits, FacePass Pass, bool Spans>
KVX_HOT_INLINE void GroupFacesAt(std::span<GroupMember> members,
                                 std::span<const PreparedScene::FaceEntry> list,
                                 std::span<const std::int32_t> cornerList,
                                 const std::int32_t* table, std::size_t width, bool fetchAhead) {
    if (members.empty()) return;
    for (const GroupMember& m : members)
        m.settled->Reset(m.buffer.width, m.buffer.height);
    constexpr bool backwards = Pass == FacePass::Outlines;
    const bool spans = Spans && width <= SpanNumbers;  // triangles take SettleTriangle
    int packed = -1;  // the colour bytes last packed, as one number
    PixelValue colour = RawSelectedFace;
    const auto face = [&](std::size_t f, const std::int32_t* corner, std::uint32_t views)
        __attribute__((always_inline)) {
        GroupFace<Bits, Pass>(members, list[f], corner, views, table, width, spans, packed, colour);
    };
    const std::size_t total = list.size();
    const std::int32_t* corners = cornerList.data();
    // Past the corners of the faces before the run (walking backwards, of the faces after it).
    const std::int32_t* end = backwards ? corners + cornerList.size() : corners;
    for (std::size_t done = 0; done < total;) {
        const std::size_t length = std::min(fetchAhead ? RunLength : SmallRunLength, total - done);
        const std::size_t from = backwards ? total - done - length : done;
        std::size_t cornerCount = 0;
        for (std::size_t f = from; f < from + length; ++f)
            cornerCount += list[f].count;
        const std::int32_t* runCorners = backwards ? end - cornerCount : end;
        if (backwards && fetchAhead) FetchAhead(table, width, corners, runCorners, cornerCount);
        const std::uint32_t views = ViewsReached(members, table, width, runCorners, cornerCount);
        if (views != 0) {
            if constexpr (backwards) {
                const std::int32_t* corner = end;
                for (std::size_t f = from + length; f-- > from;) {
                    corner -= list[f].count;
                    face(f, corner, views);
                }
            } else {
                const std::int32_t* corner = end;
                for (std::size_t f = from; f < from + length; ++f) {
                    face(f, corner, views);
                    corner += list[f].count;
                }
            }
        }
        end = backwards ? runCorners : runCorners + cornerCount;
        done += length;
    }
}

// GroupFacesAt on the AVX2 path, where a triangle's span takes one instruction a step, and on
// the others, where finding spans costs more than it saves. Debug builds find spans there too,
// so that the sanitizer run of the tests checks them on any processor.
template <int Bits, FacePass Pass>
[[gnu::target("avx2")]] void GroupFacesAvx2(std::span<GroupMember> members,
                                            std::span<const PreparedScene::FaceEntry> list,
                                            std::span<const std::int32_t> corners,
                                            const std::int32_t* table, std::size_t width,
                                            bool fetchAhead) {
    GroupFacesAt<Bits, Pass, true>(members, list, corners, table, width, fetchAhead);
}
template <int Bits, FacePass Pass>
void GroupFacesPlain(std::span<GroupMember> members, std::span<const PreparedScene::FaceEntry> list,
                     std::span<const std::int32_t> corners, const std::int32_t* table,
                     std::size_t width, bool fetchAhead) {
#ifdef NDEBUG
    constexpr bool spans = false;
#else
    constexpr bool spans = true;
#endif
    GroupFacesAt<Bits, Pass, spans>(members, list, corners, table, width, fetchAhead);
}

// The pass over faces at 24 and at 16 bits per pixel on the processor path taken.
template <FacePass Pass>
auto FacePassesFor() {
    using FacePassAt =
        void (*)(std::span<GroupMember>, std::span<const PreparedScene::FaceEntry>,
                 std::span<const std::int32_t>, const std::int32_t*, std::size_t, bool);
#if defined(__x86_64__) || defined(__i386__)
    if (CurrentProcessorPath() == ProcessorPath::Avx2)
        return std::pair<FacePassAt, FacePassAt>{GroupFacesAvx2<24, Pass>,
                                                 GroupFacesAvx2<16, Pass>};
#endif
    return std::pair<FacePassAt, FacePassAt>{GroupFacesPlain<24, Pass>, GroupFacesPlain<16, Pass>};
}

}  // namespace

template <FacePass Pass>
void GroupFaces(std::span<GroupMember> members, std::span<const PreparedScene::FaceEntry> list,
                std::span<const std::int32_t> corners, const std::int32_t* table, std::size_t width,
                std::size_t vertices) {
    // A table that fits the processor's larger caches is not worth fetching ahead.
    const bool fetchAhead = vertices * width * sizeof(std::int32_t) >= PrefetchFromBytes;
    const auto deep = std::partition(members.begin(), members.end(), [](const GroupMember& m) {
        return m.buffer.bitsPerPixel == 24;
    });
    const auto split = static_cast<std::size_t>(deep - members.begin());
    const auto [deepPass, shallowPass] = FacePassesFor<Pass>();
    deepPass(members.first(split), list, corners, table, width, fetchAhead);
    shallowPass(members.subspan(split), list, corners, table, width, fetchAhead);
}

template void GroupFaces<FacePass::Outlines>(std::span<GroupMember>,
                                             std::span<const PreparedScene::FaceEntry>,
                                             std::span<const std::int32_t>, const std::int32_t*,
                                             std::size_t, std::size_t);
template void GroupFaces<FacePass::Selected>(std::span<GroupMember>,
                                             std::span<const PreparedScene::FaceEntry>,
                                             std::span<const std::int32_t>, const std::int32_t*,
                                             std::size_t, std::size_t);

}  // namespace kvx
