#pragma once
// The scene: vertex and face tables, the two selections, the ten layers with their meshes and
// frames, and the operations on them. Each change is mirrored at once into the layer meshes, so
// the perspective picture always shows the current model.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/Prompts.h"
#include "retained/SceneNodes.h"
#include "scene/Face.h"
#include "scene/Limits.h"
#include "scene/OwnerRuns.h"
#include "scene/RedrawScope.h"
#include "scene/Vertex.h"

namespace kvx {

// What the scene asks of the program around it.
struct SceneHooks {
    // Marks the views that show a change for redrawing.
    std::function<void(RedrawScope)> requestRedraw;
    // After "Nouveau": the views reset their zoom and pan and are aligned again.
    std::function<void()> sceneCleared;
    // Message boxes.
    platform::Prompts* prompts = nullptr;
};

// Messages shown by the scene.
inline constexpr const char* AttentionTitle = "Attention...";
inline constexpr const char* MixedLayersText =
    "Il est impossible de creer une face avec des vertex de diffrents layers...";
inline constexpr const char* CapacityText =
    "Impossible: la scene ne peut contenir plus de 4194304 vertex ni plus de 4194304 faces.";

class Scene {
  public:
    // Builds the model frame under root and the ten layers. root must be created and outlive
    // the scene.
    explicit Scene(rm::SceneRoot& root, SceneHooks hooks = {});
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    SceneHooks& hooks() { return hooks_; }

    // --- records -------------------------------------------------------------------------------
    VertexTable vertices;     // entries 0..vertexCount-1, vertices[i].sceneIndex == i
    LargeVector<Face> faces;  // dense; indices shift down when faces are deleted
    std::int32_t vertexCount() const { return static_cast<std::int32_t>(vertices.size()); }
    std::int32_t faceCount() const { return static_cast<std::int32_t>(faces.size()); }

    std::vector<std::int32_t> selectedVertices;  // scene indices, in selection order
    std::vector<std::int32_t> selectedFaces;     // face indices, in selection order
    std::int32_t selectedVertexCount() const {
        return static_cast<std::int32_t>(selectedVertices.size());
    }
    std::int32_t selectedFaceCount() const {
        return static_cast<std::int32_t>(selectedFaces.size());
    }

    std::int32_t currentLayer = 0;
    std::int32_t allLayers = 0;

    // The table limits every adding operation checks (MaxVertices, MaxFaces; tests lower them).
    std::int32_t vertexCapacity = MaxVertices;
    std::int32_t faceCapacity = MaxFaces;

    // --- layers ----------------------------------------------------------------------------------
    rm::SceneRoot& root() { return root_; }
    rm::FrameNode& modelFrame() { return modelFrame_; }
    std::int32_t layerMeshCount() const { return static_cast<std::int32_t>(layerMeshes_.size()); }
    LayerMesh* layerMesh(std::int32_t i) { return layerMeshes_[static_cast<std::size_t>(i)].get(); }
    const LayerMesh* layerMesh(std::int32_t i) const {
        return layerMeshes_[static_cast<std::size_t>(i)].get();
    }
    rm::FrameNode& placementFrame(std::int32_t i) {
        return *placementFrames_[static_cast<std::size_t>(i)];
    }
    rm::FrameNode& spinFrame(std::int32_t i) { return *spinFrames_[static_cast<std::size_t>(i)]; }
    LayerMesh* currentMesh() { return layerMesh(currentLayer); }
    // Adds the next layer: its mesh and its placement and spin frames. 0 past MaxLayerMeshes.
    int CreateLayerMesh();

    // --- building ------------------------------------------------------------------------------
    // Whether `moreVertices` and `moreFaces` still fit; shows the capacity message when not.
    bool Fits(std::int64_t moreVertices, std::int64_t moreFaces);
    // Appends a vertex attached to the current layer's mesh; returns its scene index.
    std::int32_t AppendVertex(double x, double y, double z, std::int32_t layer);
    // Creates a face from the given scene indices (the first eight) on the current layer by the
    // rules of face creation: fewer than three does nothing; vertices of different layers show
    // the layer message. Returns the new face's index, or -1.
    std::int32_t CreateFaceFromList(std::span<const std::int32_t> list);

    // --- normals -------------------------------------------------------------------------------
    // Flat faces get their face normal in every slot; smooth faces get, at each slot, the unit sum
    // of the face normals of every corner of every face on the same vertex.
    void UpdateVertexNormals(std::int32_t faceIndex);
    void UpdateVertexNormals(std::span<const std::int32_t> faceIndices);
    void UpdateAllVertexNormals();
    // After vertices moved (moved[i] != 0 for scene index i; indices past the end count as not
    // moved): every face on a moved vertex gets its normals again, and so does every smooth face
    // sharing a vertex with one of those, since its sums include their normals. The result equals
    // UpdateAllVertexNormals; the cost is a few passes over the face table.
    void UpdateNormalsAfterMove(std::span<const std::uint8_t> moved);

    // --- visibility and selection --------------------------------------------------------------
    bool VertexOnShownLayer(const Vertex& v) const {
        return allLayers == 1 || v.layer == currentLayer;
    }
    bool IsVertexShown(const Vertex& v) const { return v.hidden == 0 && VertexOnShownLayer(v); }
    bool IsFaceShown(const Face& f) const;
    bool IsVertexSelected(std::int32_t i) const {
        return vertices[static_cast<std::size_t>(i)].state == VertexSelected;
    }
    bool IsFaceSelected(std::int32_t f) const;

    void ToggleVertex(std::int32_t i);
    // ToggleVertex on each of the distinct indices, in order, in time linear in the selection.
    void ToggleVertices(std::span<const std::int32_t> indices);
    void ClearVertexSelection();
    void ClearFaceSelection();
    void ToggleFace(std::int32_t f);

    void SelectAllFaces();         // "Sélectionner les faces"
    void SelectAllVertices();      // "Sélectionner les vertex"
    void InvertSelection();        // "Inverser la sélection"
    void SelectFacesOfVertices();  // "Face des vertex"
    void SelectVerticesOfFaces();  // "Vertex des faces"
    void HideSelectedVertices();   // "Cacher les vertex"
    void ShowAllVertices();        // "Afficher les vertex"
    void HideSelectedFaces();      // "Cacher les faces"
    void ShowAllFaces();           // "Afficher les faces"
    // "0".."9": a different layer empties both selections. Returns true when the layer changed.
    bool SetCurrentLayer(std::int32_t layer);
    void ToggleAllLayers();  // "Tous les layers"

    // --- editing -------------------------------------------------------------------------------
    // Each command below (and each selection command above) ends by requesting the redraw its
    // menu command needs; the caller only does what lies outside the scene (the tool after
    // "Copier", the colour dialog before "Couleur...").
    int CreateFaceFromSelection();                        // "Face"
    void CopySelection(double dx, double dy, double dz);  // "Copier" with (0, 0, 0)
    void DeleteSelectedFaces();                           // "Suprimer"
    void FlipSelectedFaces();                             // "Inverser"
    // "Retourner les faces": each selected face's corners in the other order, in place.
    void ReverseSelectedFaces() { ReverseFaces(selectedFaces); }
    // The faces' corners (valid, distinct indices) in the other order, normals following.
    void ReverseFaces(std::span<const std::int32_t> faceIndices);
    void SetSelectedFacesColor(std::int32_t r, std::int32_t g, std::int32_t b);  // "Couleur..."
    void SetSelectedFacesRenderType(std::int32_t renderType);                    // "Flat", "Smooth"
    void GenerateMesh();                                                         // "Mesh"
    void ClearScene();                                                           // "Nouveau"

    // --- restoring (undo and redo) -------------------------------------------------------------
    // Faces removed by deletions so far: a step that sees it grow knows faces went.
    std::uint64_t facesDeleted = 0;
    // Grows whenever faces are hidden or shown, so that what was gathered from the faces' flags
    // can tell it is stale. Whatever sets a face's hidden flag outside the scene counts it too.
    std::uint64_t faceVisibilityRevision = 0;
    // The number (0..layerMeshCount-1) of a layer mesh; 0 for a record without one.
    std::uint8_t MeshNumber(const LayerMesh* mesh) const;
    OwnerRuns VertexOwners() const;
    OwnerRuns FaceOwners() const;
    // Builds every layer mesh anew from the tables: each vertex into the mesh vertexOwners names,
    // then each face, in table order, into the mesh faceOwners names, then every face's normals.
    // Runs shorter than a table leave the rest in the current layer's mesh.
    void RebuildMirror(const OwnerRuns& vertexOwners, const OwnerRuns& faceOwners);
    // Both selections become these lists (valid, distinct indices).
    void ReplaceSelection(std::vector<std::int32_t> vertexList, std::vector<std::int32_t> faceList);

    void RequestRedraw(RedrawScope scope) {
        if (hooks_.requestRedraw) hooks_.requestRedraw(scope);
    }
    void ShowMessage(const std::string& text, const std::string& title);

  private:
    void CreateLayers();
    void DestroyLayers();
    // The normal update of the listed faces, or of every face without a list.
    void UpdateNormals(std::span<const std::int32_t> faceIndices, bool everyFace);
    // The listed flat faces' normals; whether any listed face is smooth.
    bool WriteFlatNormals(std::span<const std::int32_t> faceIndices);
    // Every flat face's normals and normalSums_ of every vertex, the sum of the face normals on
    // it, made a unit vector when any face is smooth (which it returns).
    bool SumEveryFaceNormal();
    // Marks in normalNeeded_ the vertices of the listed smooth faces.
    void MarkNeededSums(std::span<const std::int32_t> faceIndices);
    // normalSums_ of the vertices normalNeeded_ marks.
    void SumFaceNormals();
    // Empties layer i's mesh, keeping its storage for the rebuild that follows.
    void EmptyLayerMesh(std::int32_t i);
    // Re-attaches every vertex and rebuilds every face into the current layer's mesh.
    void RebuildIntoCurrentMesh();
    // Whether vertex i of the table is vertex i of mesh, for every i, and in no other mesh.
    bool VerticesLiveInOrderIn(const LayerMesh* mesh) const;
    // Copies a vertex to a new one offset by (dx, dy, dz) on the current layer; returns its index.
    std::int32_t CopyVertex(std::int32_t source, double dx, double dy, double dz);

    rm::SceneRoot& root_;
    SceneHooks hooks_;
    rm::FrameNode modelFrame_;
    std::vector<std::unique_ptr<LayerMesh>> layerMeshes_;
    std::vector<std::unique_ptr<rm::FrameNode>> placementFrames_;
    std::vector<std::unique_ptr<rm::FrameNode>> spinFrames_;
    // Scratch tables of the normal updates, kept between calls.
    LargeVector<std::uint8_t> normalNeeded_;  // per vertex
    LargeVector<std::uint8_t> faceListed_;    // per face
    LargeVector<rm::Vec3> normalSums_;        // per vertex
    LargeVector<rm::Vec3f> unitSums_;         // per vertex: the sums made unit, in floats
};

}  // namespace kvx
