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
