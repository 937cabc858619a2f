// Operations that create, copy, delete and modify geometry.

#include <algorithm>

#include "scene/Scene.h"

namespace kvx {

namespace {
// Colours of the two triangles of each cell of the generated mesh.
constexpr std::int32_t MeshFirstColor[3] = {33, 45, 88};
constexpr std::int32_t MeshSecondColor[3] = {43, 112, 66};
constexpr std::int32_t MeshSide = 15;
}  // namespace

int Scene::CreateFaceFromSelection() {
    if (selectedVertices.size() < 3) {
        RequestRedraw(RedrawScope::All);
        return 0;
    }
    // A new face leaves the selection as it is, so the list is passed as it stands.
    const int created = CreateFaceFromList(selectedVertices) >= 0 ? 1 : 0;
    RequestRedraw(RedrawScope::All);
    return created;
}

std::int32_t Scene::CopyVertex(std::int32_t source, double dx, double dy, double dz) {
    const Vertex& s = vertices[static_cast<std::size_t>(source)];
    const double x = s.x + dx, y = s.y + dy, z = s.z + dz;
    return AppendVertex(x, y, z, currentLayer);
}

void Scene::CopySelection(double dx, double dy, double dz) {
    // Distinct vertices of the selected faces, first seen first.
    std::vector<std::int32_t> faceVertices;
    {
        std::vector<std::uint8_t> seen(vertices.size(), 0);
        for (const std::int32_t fi : selectedFaces) {
            const Face& f = faces[static_cast<std::size_t>(fi)];
            for (std::int32_t k = 0; k < f.vertexCount; ++k) {
                const std::int32_t v = f.sceneIndices[static_cast<std::size_t>(k)];
                if (!seen[static_cast<std::size_t>(v)]) {
                    seen[static_cast<std::size_t>(v)] = 1;
                    faceVertices.push_back(v);
                }
            }
        }
    }
    if (!Fits(static_cast<std::int64_t>(selectedVertices.size() + faceVertices.size()),
              static_cast<std::int64_t>(selectedFaces.size())))
        return;

    // Selected vertices: each copy takes its source's place in the selection.
    for (std::int32_t& entry : selectedVertices) {
        const std::int32_t copy = CopyVertex(entry, dx, dy, dz);
        vertices[static_cast<std::size_t>(entry)].state = VertexNormal;
        vertices[static_cast<std::size_t>(copy)].state = VertexSelected;
        entry = copy;
    }
    if (selectedFaces.empty()) {
        RequestRedraw(RedrawScope::Orthographic);
        return;
    }

    // Selected faces: copy their vertices once each, then the faces over the copies.
    std::vector<std::int32_t> counterpart(vertices.size(), -1);
    std::vector<std::int32_t> copies;
    copies.reserve(faceVertices.size());
    for (const std::int32_t v : faceVertices) {
        const std::int32_t copy = CopyVertex(v, dx, dy, dz);
        counterpart[static_cast<std::size_t>(v)] = copy;
        copies.push_back(copy);
    }
    const std::vector<std::int32_t> sourceFaces(selectedFaces);
    std::vector<std::int32_t> list;
    for (const std::int32_t fi : sourceFaces) {
        const Face& f = faces[static_cast<std::size_t>(fi)];
        list.clear();
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            list.push_back(
                counterpart[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])]);
        CreateFaceFromList(list);
    }
    ClearVertexSelection();
    ClearFaceSelection();
    for (const std::int32_t c : copies)
        ToggleVertex(c);
    RequestRedraw(RedrawScope::Orthographic);
}

void Scene::RebuildIntoCurrentMesh() {
    LayerMesh* mesh = currentMesh();
    mesh->builder->Reserve(vertices.size(), faces.size() * 3, faces.size(), faces.size() * 3);
    for (Vertex& v : vertices)
        v.Attach(mesh, v.x, v.y, v.z, v.sceneIndex);
    for (Face& f : faces)
        f.Rebuild(mesh, vertices);
}

bool Scene::VerticesLiveInOrderIn(const LayerMesh* mesh) const {
    if (mesh->builder->VertexCount() != vertexCount()) return false;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const Vertex& v = vertices[i];
        if (v.owner != mesh || v.meshIndex != static_cast<std::int32_t>(i) || v.copies)
            return false;
    }
    return true;
}

void Scene::DeleteSelectedFaces() {
    if (selectedFaces.empty()) return;
    // Remove every selected face and close the gaps in one pass; the others keep their order.
    std::vector<std::uint8_t> doomed(faces.size(), 0);
    for (const std::int32_t f : selectedFaces)
        doomed[static_cast<std::size_t>(f)] = 1;
    // Afterwards every record lives in the current layer's mesh. When every record already does,
    // face i of the table as the mesh's face i, the mesh drops the deleted faces in place and
    // holds exactly what a rebuild would give; otherwise it is rebuilt.
    LayerMesh* mesh = currentMesh();
    rm::MeshBuilder* builder = mesh->builder.get();
    bool inPlace =
        builder != nullptr && builder->FaceCount() == faceCount() && VerticesLiveInOrderIn(mesh);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        Face& f = faces[i];
        inPlace = inPlace && f.owner == mesh && f.rmIndex == static_cast<std::int32_t>(i);
        if (doomed[i]) continue;
        if (kept != i) faces[kept] = std::move(f);
        if (inPlace) faces[kept].rmIndex = static_cast<std::int32_t>(kept);
        ++kept;
    }
    facesDeleted += faces.size() - kept;
    faces.resize(kept);
    inPlace = inPlace && rm::Succeeded(builder->DropFaces(doomed));

    // The other layers' meshes would only hold stale copies of the same geometry, so they are
    // emptied; a rebuild reuses the memory the current one already had.
    for (std::int32_t i = 0; i < layerMeshCount(); ++i)
        if (!inPlace || layerMeshes_[static_cast<std::size_t>(i)].get() != mesh) EmptyLayerMesh(i);
    if (inPlace) {
        mesh->facesAdded = static_cast<std::int32_t>(kept);
        mesh->normalsAdded = builder->NormalCount();
    } else {
        RebuildIntoCurrentMesh();
    }
    // A rebuilt face starts with placeholder normals, and the smooth sums at the deleted faces'
    // corners have changed: every face gets its shading again.
    UpdateAllVertexNormals();

    ClearVertexSelection();
    ClearFaceSelection();
    RequestRedraw(RedrawScope::All);
}

void Scene::FlipSelectedFaces() {
    if (selectedFaces.empty()) return;
    const auto n = static_cast<std::int32_t>(selectedFaces.size());
    if (!Fits(0, n)) return;
    const std::vector<std::int32_t> sources(selectedFaces);
    for (const std::int32_t gi : sources) {
        // The source is copied: appending may move the table.
        const Face g = faces[static_cast<std::size_t>(gi)];
        Face& f = faces.emplace_back();
        f.Attach(currentMesh());
        for (std::int32_t k = g.vertexCount - 1; k >= 0; --k)
            f.AddVertex(
                vertices[static_cast<std::size_t>(g.sceneIndices[static_cast<std::size_t>(k)])]);
        f.StoreColor(static_cast<std::int32_t>(g.red), static_cast<std::int32_t>(g.green),
                     static_cast<std::int32_t>(g.blue));
        f.ApplyColor();
        f.ComputeNormal(vertices);
        f.layer = currentLayer;
    }
    // Deleting the sources also recomputes the normals of every face, the new ones included.
    DeleteSelectedFaces();
    for (std::int32_t k = 1; k <= n; ++k)
        selectedFaces.push_back(faceCount() - k);
    RequestRedraw(RedrawScope::Orthographic);
}

void Scene::ReverseFaces(std::span<const std::int32_t> faceIndices) {
    if (faceIndices.empty()) return;
    for (const std::int32_t fi : faceIndices) {
        Face& f = faces[static_cast<std::size_t>(fi)];
        std::reverse(f.sceneIndices.begin(), f.sceneIndices.begin() + f.vertexCount);
        if (rm::MeshBuilder* builder = f.Builder()) builder->ReverseFaceCorners(f.rmIndex);
    }
    UpdateVertexNormals(faceIndices);
    RequestRedraw(RedrawScope::All);
}

void Scene::SetSelectedFacesColor(std::int32_t r, std::int32_t g, std::int32_t b) {
    for (const std::int32_t f : selectedFaces)
        faces[static_cast<std::size_t>(f)].SetColor(r, g, b);
}

void Scene::SetSelectedFacesRenderType(std::int32_t renderType) {
    if (selectedFaces.empty()) return;
    for (const std::int32_t f : selectedFaces)
        faces[static_cast<std::size_t>(f)].renderType = renderType;
    UpdateVertexNormals(selectedFaces);
    RequestRedraw(RedrawScope::All);
}

void Scene::GenerateMesh() {
    constexpr std::int32_t cells = MeshSide - 1;
    if (!Fits(MeshSide * MeshSide, 2 * cells * cells)) return;
    const std::int32_t base = vertexCount();
    for (std::int32_t i = 0; i < MeshSide; ++i)
        for (std::int32_t j = 0; j < MeshSide; ++j)
            AppendVertex(i - 7.5, 0.0, 7.5 - j, currentLayer);
    for (std::int32_t i = 0; i < cells; ++i) {
        for (std::int32_t j = 0; j < cells; ++j) {
            const std::int32_t b = base + MeshSide * i + j;
            const std::int32_t first[] = {b, b + MeshSide, b + 1};
            const std::int32_t f1 = CreateFaceFromList(first);
            if (f1 >= 0)
                faces[static_cast<std::size_t>(f1)].SetColor(MeshFirstColor[0], MeshFirstColor[1],
                                                             MeshFirstColor[2]);
            const std::int32_t second[] = {b + MeshSide, b + MeshSide + 1, b + 1};
            const std::int32_t f2 = CreateFaceFromList(second);
            if (f2 >= 0)
                faces[static_cast<std::size_t>(f2)].SetColor(MeshSecondColor[0], MeshSecondColor[1],
                                                             MeshSecondColor[2]);
        }
    }
    ClearVertexSelection();
    RequestRedraw(RedrawScope::All);
}

void Scene::ClearScene() {
    ClearFaceSelection();
    ClearVertexSelection();
    faces.clear();
    vertices.clear();
    DestroyLayers();
    CreateLayers();
    if (hooks_.sceneCleared) hooks_.sceneCleared();
    RequestRedraw(RedrawScope::All);
}

}  // namespace kvx
