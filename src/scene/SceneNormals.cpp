// The normals of the faces: flat faces carry their own normal in every slot, smooth faces the unit
// sum of the normals around each corner's vertex. Read and written straight through the faces'
// builders, which is what a drag's end on a million faces spends its time on.

#include <algorithm>

#include "scene/Scene.h"

namespace kvx {
namespace {

// The face's normal as its engine face gives it (rm::Face::GetNormal).
rm::Vec3 EngineNormal(const Face& f) {
    const rm::FaceData* d = f.EngineData();
    return d && d->cornerCount >= 3 ? f.Builder()->NormalOf(*d) : rm::Vec3{};
}

// Writes normal(k) (in floats, as the builder keeps it) into slot k of the face for each of its
// vertices (Face::SetSlotNormal).
template <typename Normal>
void SetSlotNormals(Face& f, Normal normal) {
    rm::MeshBuilder* target = f.Builder();
    if (!target) return;
    const rm::FaceData* d = f.EngineData();
    const rm::Corner* corners = d ? target->CornersOf(*d) : nullptr;
    const std::int32_t cornerCount = d ? d->cornerCount : 0;
    for (std::int32_t k = 0; k < f.vertexCount; ++k)
        target->SetNormal(k < cornerCount ? corners[k].normal : -1, normal(k));
}

}  // namespace

void Scene::UpdateVertexNormals(std::int32_t faceIndex) {
    const std::int32_t one[] = {faceIndex};
    UpdateVertexNormals(one);
}

void Scene::UpdateAllVertexNormals() {
    UpdateNormals({}, true);
}

void Scene::UpdateVertexNormals(std::span<const std::int32_t> faceIndices) {
    UpdateNormals(faceIndices, false);
}

void Scene::UpdateNormals(std::span<const std::int32_t> faceIndices, bool everyFace) {
    const std::size_t listed = everyFace ? faces.size() : faceIndices.size();
    const auto faceAt = [&](std::size_t k) -> Face& {
        return faces[everyFace ? k : static_cast<std::size_t>(faceIndices[k])];
    };
    // Flat faces need only their own normal. With every face listed, the pass that writes them
    // also sums the smooth normals, since that sum reads every face anyway: a big model's face
    // table is read twice rather than three times.
    const bool anySmooth = everyFace ? SumEveryFaceNormal() : WriteFlatNormals(faceIndices);
    if (!anySmooth) return;
    if (!everyFace) {
        MarkNeededSums(faceIndices);
        SumFaceNormals();
    }
    // Each needed sum is narrowed to floats once, however many slots share it.
    const rm::Vec3f* unit = unitSums_.data();
    for (std::size_t k = 0; k < listed; ++k) {
        Face& f = faceAt(k);
        if (!f.IsSmooth()) continue;
        SetSlotNormals(f, [&](std::int32_t j) {
            return unit[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(j)])];
        });
    }
}

bool Scene::WriteFlatNormals(std::span<const std::int32_t> faceIndices) {
    bool anySmooth = false;
    for (const std::int32_t fi : faceIndices) {
        Face& f = faces[static_cast<std::size_t>(fi)];
        if (f.IsSmooth()) {
            anySmooth = true;
            continue;
        }
        const rm::Vec3f n = rm::Narrow(f.Normal(vertices));
        SetSlotNormals(f, [&](std::int32_t) { return n; });
    }
    return anySmooth;
}

bool Scene::SumEveryFaceNormal() {
    normalSums_.assign(vertices.size(), rm::Vec3{});
    bool anySmooth = false;
    for (Face& g : faces) {
        if (g.IsSmooth()) {
            anySmooth = true;
        } else {
            const rm::Vec3f n = rm::Narrow(g.Normal(vertices));
            SetSlotNormals(g, [&](std::int32_t) { return n; });
        }
        const rm::Vec3 n = EngineNormal(g);
        for (std::int32_t j = 0; j < g.vertexCount; ++j)
            normalSums_[static_cast<std::size_t>(g.sceneIndices[static_cast<std::size_t>(j)])] += n;
    }
    if (anySmooth) {
        unitSums_.resize(vertices.size());
        for (std::size_t v = 0; v < normalSums_.size(); ++v)
            unitSums_[v] = rm::Narrow(rm::Normalize(normalSums_[v]));
    }
    return anySmooth;
}

void Scene::MarkNeededSums(std::span<const std::int32_t> faceIndices) {
    normalNeeded_.assign(vertices.size(), 0);
    for (const std::int32_t fi : faceIndices) {
        const Face& f = faces[static_cast<std::size_t>(fi)];
        if (!f.IsSmooth()) continue;
        for (std::int32_t j = 0; j < f.vertexCount; ++j)
            normalNeeded_[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(j)])] =
                1;
    }
}

void Scene::SumFaceNormals() {
    // One pass over the face table sums, per needed vertex, the face normals of every corner on
    // it (table order, slot order); then each needed vertex's sum becomes a unit vector once,
    // however many slots share it. The table stays allocated between updates, so the steps of a
    // drag or a run of nudges pay no fresh pages.
    normalSums_.assign(vertices.size(), rm::Vec3{});
    const auto needed = [&](std::size_t v) { return normalNeeded_[v] != 0; };
    for (const Face& g : faces) {
        bool touches = false;
        for (std::int32_t j = 0; j < g.vertexCount && !touches; ++j)
            touches = needed(static_cast<std::size_t>(g.sceneIndices[static_cast<std::size_t>(j)]));
        if (!touches) continue;
        const rm::Vec3 n = EngineNormal(g);
        for (std::int32_t j = 0; j < g.vertexCount; ++j) {
            const auto v = static_cast<std::size_t>(g.sceneIndices[static_cast<std::size_t>(j)]);
            if (needed(v)) normalSums_[v] += n;
        }
    }
    unitSums_.resize(vertices.size());
    for (std::size_t v = 0; v < normalSums_.size(); ++v)
        if (needed(v)) unitSums_[v] = rm::Narrow(rm::Normalize(normalSums_[v]));
}

void Scene::UpdateNormalsAfterMove(std::span<const std::uint8_t> moved) {
    // Everything moved (a whole model dragged or brought back by undo): every face is listed
    // anyway, so the two listing passes are skipped.
    if (moved.size() >= vertices.size() &&
        std::all_of(moved.begin(), moved.begin() + static_cast<std::ptrdiff_t>(vertices.size()),
                    [](std::uint8_t m) { return m != 0; })) {
        UpdateAllVertexNormals();
        return;
    }
    const auto isMoved = [&](std::int32_t v) {
        return static_cast<std::size_t>(v) < moved.size() && moved[static_cast<std::size_t>(v)];
    };
    // Faces with a moved corner: their own normal changed, and so do the sums on their corners.
    // The marks reuse the normal update's scratch tables: faceListed_ per face, normalNeeded_
    // per vertex (MarkNeededSums fills it again afterwards).
    LargeVector<std::uint8_t>& sumChanged = normalNeeded_;
    faceListed_.assign(faces.size(), 0);
    sumChanged.assign(vertices.size(), 0);
    std::vector<std::int32_t> update;
    for (std::int32_t fi = 0; fi < faceCount(); ++fi) {
        const Face& f = faces[static_cast<std::size_t>(fi)];
        bool touches = false;
        for (std::int32_t k = 0; k < f.vertexCount && !touches; ++k)
            touches = isMoved(f.sceneIndices[static_cast<std::size_t>(k)]);
        if (!touches) continue;
        faceListed_[static_cast<std::size_t>(fi)] = 1;
        update.push_back(fi);
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            sumChanged[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])] = 1;
    }
    if (update.empty()) return;
    // Smooth faces on a vertex whose sum changed.
    for (std::int32_t fi = 0; fi < faceCount(); ++fi) {
        const Face& f = faces[static_cast<std::size_t>(fi)];
        if (faceListed_[static_cast<std::size_t>(fi)] || !f.IsSmooth()) continue;
        for (std::int32_t k = 0; k < f.vertexCount; ++k) {
            if (sumChanged[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])]) {
                update.push_back(fi);
                break;
            }
        }
    }
    UpdateVertexNormals(update);
}

}  // namespace kvx
