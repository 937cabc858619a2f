#include "scene/Scene.h"

#include <algorithm>

#include "platform/Constants.h"

namespace kvx {

Scene::Scene(rm::SceneRoot& root, SceneHooks hooks) : root_(root), hooks_(std::move(hooks)) {
    modelFrame_.CreateChild(root_, root_.root);
    CreateLayers();
}

Scene::~Scene() {
    faces.clear();
    vertices.clear();
    DestroyLayers();
    modelFrame_.Release();
}

void Scene::ShowMessage(const std::string& text, const std::string& title) {
    if (hooks_.prompts) hooks_.prompts->MessageBox(text, title, platform::MB_OK);
}

int Scene::CreateLayerMesh() {
    if (layerMeshCount() >= MaxLayerMeshes) return 0;
    auto mesh = std::make_unique<LayerMesh>();
    auto placement = std::make_unique<rm::FrameNode>();
    auto spin = std::make_unique<rm::FrameNode>();
    mesh->Create(root_);
    placement->CreateChild(root_, modelFrame_);
    spin->CreateChild(root_, *placement);
    spin->AddVisualMesh(*mesh);
    layerMeshes_.push_back(std::move(mesh));
    placementFrames_.push_back(std::move(placement));
    spinFrames_.push_back(std::move(spin));
    return 1;
}

void Scene::CreateLayers() {
    for (std::int32_t i = 0; i < LayerCount; ++i)
        CreateLayerMesh();
}

void Scene::DestroyLayers() {
    while (!layerMeshes_.empty()) {
        spinFrames_.back()->DeleteVisualMesh(*layerMeshes_.back());
        layerMeshes_.pop_back();
        spinFrames_.pop_back();  // spin frames go before the placement frames they hang from
        placementFrames_.pop_back();
    }
}

void Scene::EmptyLayerMesh(std::int32_t i) {
    LayerMesh& mesh = *layerMeshes_[static_cast<std::size_t>(i)];
    if (mesh.builder) mesh.builder->Clear();
    mesh.facesAdded = 0;
    mesh.normalsAdded = 0;
}

bool Scene::Fits(std::int64_t moreVertices, std::int64_t moreFaces) {
    if (vertexCount() + moreVertices <= vertexCapacity && faceCount() + moreFaces <= faceCapacity)
        return true;
    ShowMessage(CapacityText, AttentionTitle);
    return false;
}

std::int32_t Scene::AppendVertex(double x, double y, double z, std::int32_t layer) {
    const std::int32_t index = vertexCount();
    Vertex& v = vertices.emplace_back();
    v.Attach(currentMesh(), x, y, z, index);
    v.layer = layer;
    return index;
}

std::int32_t Scene::CreateFaceFromList(std::span<const std::int32_t> list) {
    if (list.size() < 3) return -1;
    const std::int32_t firstLayer = vertices[static_cast<std::size_t>(list[0])].layer;
    for (const std::int32_t i : list) {
        if (vertices[static_cast<std::size_t>(i)].layer != firstLayer) {
            ShowMessage(MixedLayersText, AttentionTitle);
            return -1;
        }
    }
    if (!Fits(0, 1)) return -1;
    const std::int32_t index = faceCount();
    Face& f = faces.emplace_back();
    f.Attach(currentMesh());
    for (const std::int32_t i : list) {
        if (f.vertexCount >= MaxFaceVertices) break;
        f.AddVertex(vertices[static_cast<std::size_t>(i)]);
    }
    f.layer = currentLayer;
    f.ApplyColor();
    UpdateVertexNormals(index);
    return index;
}

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
    // Flat faces need only their own normal.
    bool anySmooth = false;
    for (std::size_t k = 0; k < listed; ++k) {
        Face& f = faceAt(k);
        if (f.IsSmooth()) {
            anySmooth = true;
        } else {
            f.ComputeNormal(vertices);
        }
    }
    if (!anySmooth) return;

    // Smooth slots: one pass over the face table sums, per vertex that a smooth slot needs, the
    // face normals of every corner on it (table order, slot order), then each slot takes its
    // vertex's unit sum. The cost is one pass, whatever the number of faces updated. The scratch
    // tables stay allocated between partial updates, so a drag's steps pay no fresh pages.
    // With every face listed, every vertex of a smooth face is needed and summing the others too
    // changes none of those sums, so the marking pass is left out.
    normalSums_.assign(vertices.size(), rm::Vec3{});
    if (!everyFace) {
        normalNeeded_.assign(vertices.size(), 0);
        for (std::size_t k = 0; k < listed; ++k) {
            const Face& f = faceAt(k);
            if (!f.IsSmooth()) continue;
            for (std::int32_t j = 0; j < f.vertexCount; ++j)
                normalNeeded_[static_cast<std::size_t>(
                    f.sceneIndices[static_cast<std::size_t>(j)])] = 1;
        }
    }
    const auto needed = [&](std::size_t v) { return everyFace || normalNeeded_[v] != 0; };
    for (const Face& g : faces) {
        bool touches = everyFace;
        for (std::int32_t j = 0; j < g.vertexCount && !touches; ++j)
            touches = needed(static_cast<std::size_t>(g.sceneIndices[static_cast<std::size_t>(j)]));
        if (!touches) continue;
        rm::Vec3 n;
        g.rmFace.GetNormal(n);
        for (std::int32_t j = 0; j < g.vertexCount; ++j) {
            const auto v = static_cast<std::size_t>(g.sceneIndices[static_cast<std::size_t>(j)]);
            if (needed(v)) normalSums_[v] += n;
        }
    }
    // Each needed vertex's unit sum once, however many slots share it.
    for (std::size_t v = 0; v < normalSums_.size(); ++v)
        if (needed(v)) normalSums_[v] = rm::Normalize(normalSums_[v]);
    for (std::size_t k = 0; k < listed; ++k) {
        Face& f = faceAt(k);
        if (!f.IsSmooth()) continue;
        for (std::int32_t j = 0; j < f.vertexCount; ++j)
            f.SetSlotNormal(
                j,
                normalSums_[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(j)])]);
    }
    // Updates of every face are rare (a load, a deletion, the end of a drag of everything): their
    // table goes with them, so an idle editor does not hold it beside a big model.
    if (everyFace) LargeVector<rm::Vec3>().swap(normalSums_);
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
    LargeVector<std::uint8_t> listed(faces.size(), 0);
    LargeVector<std::uint8_t> sumChanged(vertices.size(), 0);
    std::vector<std::int32_t> update;
    for (std::int32_t fi = 0; fi < faceCount(); ++fi) {
        const Face& f = faces[static_cast<std::size_t>(fi)];
        bool touches = false;
        for (std::int32_t k = 0; k < f.vertexCount && !touches; ++k)
            touches = isMoved(f.sceneIndices[static_cast<std::size_t>(k)]);
        if (!touches) continue;
        listed[static_cast<std::size_t>(fi)] = 1;
        update.push_back(fi);
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            sumChanged[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])] = 1;
    }
    if (update.empty()) return;
    // Smooth faces on a vertex whose sum changed.
    for (std::int32_t fi = 0; fi < faceCount(); ++fi) {
        const Face& f = faces[static_cast<std::size_t>(fi)];
        if (listed[static_cast<std::size_t>(fi)] || !f.IsSmooth()) continue;
        for (std::int32_t k = 0; k < f.vertexCount; ++k) {
            if (sumChanged[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])]) {
                update.push_back(fi);
                break;
            }
        }
    }
    UpdateVertexNormals(update);
}

bool Scene::IsFaceShown(const Face& f) const {
    if (f.hidden != 0) return false;
    if (allLayers != 1 && f.layer != currentLayer) return false;
    for (std::int32_t k = 0; k < f.vertexCount; ++k)
        if (vertices[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])]
                .hidden != 0)
            return false;
    return true;
}

}  // namespace kvx
