// The two selections (vertices, faces) and the commands that change them. A vertex is in the
// vertex list exactly when its state is Selected, which makes membership tests constant-time.

#include <algorithm>

#include "scene/Scene.h"

namespace kvx {
namespace {

void EraseValue(std::vector<std::int32_t>& list, std::int32_t value) {
    const auto it = std::find(list.begin(), list.end(), value);
    if (it != list.end()) list.erase(it);
}

}  // namespace

bool Scene::IsFaceSelected(std::int32_t f) const {
    return std::find(selectedFaces.begin(), selectedFaces.end(), f) != selectedFaces.end();
}

void Scene::ToggleVertex(std::int32_t i) {
    Vertex& v = vertices[static_cast<std::size_t>(i)];
    if (!VertexOnShownLayer(v)) return;
    if (v.state == VertexSelected) {
        EraseValue(selectedVertices, i);
        v.state = VertexNormal;
    } else {
        selectedVertices.push_back(i);
        v.state = VertexSelected;
    }
}

void Scene::ToggleVertices(std::span<const std::int32_t> indices) {
    bool removed = false;
    for (const std::int32_t i : indices) {
        Vertex& v = vertices[static_cast<std::size_t>(i)];
        if (!VertexOnShownLayer(v)) continue;
        if (v.state == VertexSelected) {
            v.state = VertexNormal;  // taken out of the list below, in one pass
            removed = true;
        } else {
            selectedVertices.push_back(i);
            v.state = VertexSelected;
        }
    }
    if (removed)
        std::erase_if(selectedVertices, [this](std::int32_t i) { return !IsVertexSelected(i); });
}

void Scene::ClearVertexSelection() {
    for (const std::int32_t i : selectedVertices)
        vertices[static_cast<std::size_t>(i)].state = VertexNormal;
    selectedVertices.clear();
}

void Scene::ClearFaceSelection() {
    selectedFaces.clear();
}

void Scene::ToggleFace(std::int32_t f) {
    const auto it = std::find(selectedFaces.begin(), selectedFaces.end(), f);
    if (it != selectedFaces.end()) {
        selectedFaces.erase(it);
    } else {
        selectedFaces.push_back(f);
    }
}

void Scene::SelectAllFaces() {
    ClearFaceSelection();
    ClearVertexSelection();
    selectedFaces.resize(faces.size());
    for (std::size_t i = 0; i < faces.size(); ++i)
        selectedFaces[i] = static_cast<std::int32_t>(i);
    RequestRedraw(RedrawScope::Orthographic);
}

void Scene::SelectAllVertices() {
    ClearFaceSelection();
    ClearVertexSelection();
    for (std::int32_t i = 0; i < vertexCount(); ++i)
        ToggleVertex(i);
    RequestRedraw(RedrawScope::Orthographic);
}

void Scene::InvertSelection() {
    if (!selectedFaces.empty()) {
        std::vector<std::uint8_t> was(faces.size(), 0);
        for (const std::int32_t f : selectedFaces)
            was[static_cast<std::size_t>(f)] = 1;
        selectedFaces.clear();
        for (std::int32_t f = 0; f < faceCount(); ++f)
            if (!was[static_cast<std::size_t>(f)]) selectedFaces.push_back(f);
    }
    if (!selectedVertices.empty()) {
        std::vector<std::uint8_t> was(vertices.size(), 0);
        for (const std::int32_t i : selectedVertices)
            was[static_cast<std::size_t>(i)] = 1;
        ClearVertexSelection();
        for (std::int32_t i = 0; i < vertexCount(); ++i)
            if (!was[static_cast<std::size_t>(i)]) ToggleVertex(i);
    }
    RequestRedraw(RedrawScope::Orthographic);
}

void Scene::SelectFacesOfVertices() {
    if (!selectedVertices.empty()) {
        ClearFaceSelection();
        for (std::int32_t fi = 0; fi < faceCount(); ++fi) {
            const Face& f = faces[static_cast<std::size_t>(fi)];
            bool all = true;
            for (std::int32_t k = 0; k < f.vertexCount && all; ++k)
                all = IsVertexSelected(f.sceneIndices[static_cast<std::size_t>(k)]);
            if (all) selectedFaces.push_back(fi);
        }
    }
    ClearVertexSelection();
    RequestRedraw(RedrawScope::Orthographic);
}

void Scene::SelectVerticesOfFaces() {
    if (!selectedFaces.empty()) {
        ClearVertexSelection();
        for (const std::int32_t fi : selectedFaces) {
            const Face& f = faces[static_cast<std::size_t>(fi)];
            for (std::int32_t k = 0; k < f.vertexCount; ++k) {
                const std::int32_t v = f.sceneIndices[static_cast<std::size_t>(k)];
                if (!IsVertexSelected(v)) ToggleVertex(v);
            }
        }
        ClearFaceSelection();
    }
    RequestRedraw(RedrawScope::Orthographic);
}

void Scene::HideSelectedVertices() {
    for (const std::int32_t i : selectedVertices)
        vertices[static_cast<std::size_t>(i)].hidden = 1;
    ClearVertexSelection();
    RequestRedraw(RedrawScope::Orthographic);
}

void Scene::ShowAllVertices() {
    for (Vertex& v : vertices)
        v.hidden = 0;
    RequestRedraw(RedrawScope::All);
}

void Scene::HideSelectedFaces() {
    for (const std::int32_t f : selectedFaces)
        faces[static_cast<std::size_t>(f)].hidden = 1;
    ++faceVisibilityRevision;
    ClearFaceSelection();
    RequestRedraw(RedrawScope::Orthographic);
}

void Scene::ShowAllFaces() {
    for (Face& f : faces)
        f.hidden = 0;
    ++faceVisibilityRevision;
    RequestRedraw(RedrawScope::Orthographic);
}

bool Scene::SetCurrentLayer(std::int32_t layer) {
    const bool changed = layer != currentLayer && layer >= 0 && layer < LayerCount;
    if (changed) {
        ClearVertexSelection();
        ClearFaceSelection();
        currentLayer = layer;
    }
    RequestRedraw(RedrawScope::Orthographic);
    return changed;
}

void Scene::ToggleAllLayers() {
    allLayers = allLayers ? 0 : 1;
    RequestRedraw(RedrawScope::Orthographic);
}

}  // namespace kvx
