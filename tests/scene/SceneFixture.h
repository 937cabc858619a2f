#pragma once
// A scene on its own engine root, with scripted prompts and a record of redraw requests.

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Prompts.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"

namespace kvx::test {

// The tables, the selections and the layer as text: everything the user or a scene file can tell
// apart, but not how the layer meshes hold it.
inline std::string ModelText(const Scene& scene) {
    std::ostringstream out;
    out << "layer " << scene.currentLayer << " all " << scene.allLayers << "\n";
    for (const Vertex& v : scene.vertices)
        out << "v " << v.x << ' ' << v.y << ' ' << v.z << ' ' << int{v.layer} << ' ' << int{v.state}
            << ' ' << int{v.hidden} << "\n";
    for (const Face& f : scene.faces) {
        out << "f " << int{f.renderType} << ' ' << f.red << ' ' << f.green << ' ' << f.blue << ' '
            << int{f.hidden} << ' ' << int{f.layer} << ':';
        for (int k = 0; k < f.vertexCount; ++k)
            out << ' ' << f.sceneIndices[static_cast<std::size_t>(k)];
        out << "\n";
    }
    out << "sel";
    for (auto i : scene.selectedVertices)
        out << ' ' << i;
    out << " |";
    for (auto i : scene.selectedFaces)
        out << ' ' << i;
    out << "\n";
    return out.str();
}

class SceneTest : public ::testing::Test {
  protected:
    SceneTest() : scene(MakeRoot(root), Hooks()) {}

    // Appends a vertex on the given layer (the current layer by default).
    std::int32_t AddVertex(double x, double y, double z, int layer = -1) {
        return scene.AppendVertex(x, y, z, layer < 0 ? scene.currentLayer : layer);
    }
    // Selects exactly these vertices, in order, and makes a face of them.
    std::int32_t MakeFace(std::initializer_list<std::int32_t> list) {
        const std::vector<std::int32_t> v(list);
        return scene.CreateFaceFromList(v);
    }
    void SelectVertices(std::initializer_list<std::int32_t> list) {
        scene.ClearVertexSelection();
        for (auto i : list)
            scene.ToggleVertex(i);
    }
    void SelectFaces(std::initializer_list<std::int32_t> list) {
        scene.ClearFaceSelection();
        for (auto f : list)
            scene.ToggleFace(f);
    }
    // The builder of a layer mesh and the position of a scene vertex as its face's mesh holds it.
    rm::MeshBuilder& Builder(int layer) { return *scene.layerMesh(layer)->builder; }
    const rm::FaceData& EngineFace(const Face& f) {
        return f.owner->builder->Faces()[static_cast<std::size_t>(f.rmIndex)];
    }
    rm::Vec3f EngineCorner(const Face& f, int k) {
        const auto& d = EngineFace(f);
        const rm::MeshBuilder& b = *f.owner->builder;
        return b.Positions()[static_cast<std::size_t>(b.CornersOf(d)[k].vertex)];
    }
    rm::Vec3f EngineNormal(const Face& f, int k) {
        return f.owner->builder
            ->Normals()[static_cast<std::size_t>(f.owner->builder->FaceNormalIndex(f.rmIndex, k))];
    }
    // Faces drawn by all layer meshes together.
    int EngineFaceCount() {
        int n = 0;
        for (int l = 0; l < scene.layerMeshCount(); ++l)
            for (const auto& d : Builder(l).Faces())
                n += d.added ? 1 : 0;
        return n;
    }

    rm::SceneRoot root;
    platform::ScriptedPrompts prompts;
    std::vector<RedrawScope> redraws;
    Scene scene;

  private:
    static rm::SceneRoot& MakeRoot(rm::SceneRoot& r) {
        r.Create();
        return r;
    }
    SceneHooks Hooks() {
        SceneHooks h;
        h.requestRedraw = [this](RedrawScope scope) { redraws.push_back(scope); };
        h.prompts = &prompts;
        return h;
    }
};

}  // namespace kvx::test
