#pragma once
// Undo and redo of the user's steps on the scene.
//
// A step is opened before something that may change the scene (a press of a mouse tool, a key, a
// command) and closed once it is over (the release, or the right button that ends a rotation).
// Opening takes a copy of only the parts the step may change; closing keeps only what did change,
// so a step's memory follows its change, not the scene. Undo and redo swap the kept values with
// the scene's, so one record serves both ways. Steps that add or delete records keep the records
// and the layer mesh each record lived in, and rebuild the layer meshes from the tables.
//
// A step that moves vertices keeps the normals it changed, so undo brings the shading back exactly
// and fast; after the other steps shading is recomputed from the restored model.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "retained/Math.h"
#include "retained/MeshBuilder.h"
#include "scene/Limits.h"
#include "scene/OwnerRuns.h"

namespace kvx {

class Scene;

// What a step may change; a step opens with the parts its tool or command needs.
enum StepPart : unsigned {
    PartPositions = 1,       // vertex positions
    PartSelection = 2,       // both selections, the current layer and "all layers"
    PartVisibility = 4,      // hidden flags of vertices and faces
    PartFaceAttributes = 8,  // colour and shading of the selected faces
    PartStructure = 16,      // records added (vertices, faces) or faces deleted
    PartCornerOrder = 32,    // the selected faces' corners turned round in place
};

// A face as plain data, without its engine face.
struct FaceRecordData {
    std::array<std::int32_t, MaxFaceVertices> sceneIndices{};
    std::int32_t vertexCount = 0;
    std::int32_t renderType = 0;
    double red = 0, green = 0, blue = 0;
    std::int32_t hidden = 0;
    std::int32_t layer = 0;
};

// A vertex as plain data.
struct VertexRecordData {
    float x = 0, y = 0, z = 0;
    std::int32_t layer = 0;
    std::int32_t hidden = 0;
};

class SceneHistory {
  public:
    // At least this many steps stay undoable; beyond it, the oldest steps go once the history
    // holds more than the byte budget.
    static constexpr std::size_t KeptSteps = 100;
    static constexpr std::size_t ByteBudget = std::size_t{256} << 20;

    SceneHistory();
    ~SceneHistory();

    // Opens a step (parts: StepPart bits). A step already open that lacks some of these parts is
    // closed first, so nothing goes unrecorded.
    void Begin(const Scene& scene, unsigned parts);
    bool IsOpen() const { return pending_.has_value(); }
    // Closes the open step; it is kept when it changed anything, and then clears the redo list.
    void End(const Scene& scene);

    // Brings the scene back to before the last step (after the last undone one). False when
    // there is none or a step is open.
    bool Undo(Scene& scene);
    bool Redo(Scene& scene);
    bool CanUndo() const { return !pending_ && !undo_.empty(); }
    bool CanRedo() const { return !pending_ && !redo_.empty(); }
    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }
    std::size_t Bytes() const { return bytes_; }

    // Forgets every step: the scene as it is becomes the start ("Nouveau", "Ouvrir...").
    void Clear();

    // Whether the model (what a scene file holds) differs from when it was last saved, opened or
    // cleared; selection changes do not count.
    bool Modified() const { return content_ != savedContent_; }
    void MarkSaved() { savedContent_ = content_; }
    // The model as it is counts as never saved (work recovered after a crash).
    void MarkUnsaved() { savedContent_ = nextContent_++; }
    // Changes whenever the model changes (a step, an undo, a redo, a clear): a reader can tell
    // that something happened since it last looked.
    std::uint64_t ContentVersion() const { return content_; }

    // Colour and shading of one face.
    struct FaceLook {
        std::int32_t renderType = 0;
        double red = 0, green = 0, blue = 0;
        bool operator==(const FaceLook&) const = default;
    };
    // What an open step copied when it began.
    struct Capture {
        unsigned parts = 0;
        std::vector<std::int32_t> selectedVertices, selectedFaces;
        std::int32_t currentLayer = 0, allLayers = 0;
        std::int32_t loggedMeshes = 0;  // layer meshes whose builders log their normals
        std::vector<std::int8_t> vertexHidden, faceHidden;
        std::vector<std::int32_t> lookFaces;  // the selected faces
        std::vector<FaceLook> looks;
        std::vector<std::int32_t> cornerFaces;                           // the selected faces
        std::vector<std::array<std::int32_t, MaxFaceVertices>> corners;  // and their corners
        std::int32_t vertexCount = 0, faceCount = 0;
        std::uint64_t facesDeleted = 0;
        std::vector<std::int32_t>
            deletable;  // the selected faces, ascending: a deletion takes them
        std::vector<FaceRecordData> deletableData;
        OwnerRuns vertexOwners, faceOwners;
    };
    // A kept step. The swapped parts hold the values on the other side of the step from the
    // scene; the structural part holds both sides.
    struct Step {
        std::uint64_t contentBefore = 0, contentAfter = 0;
        bool selection = false;
        std::vector<std::int32_t> selectedVertices, selectedFaces;
        std::int32_t currentLayer = 0, allLayers = 0;
        std::vector<std::int32_t> moved;
        std::vector<float> movedOther;
        // Normals the step changed, restored as they were rather than computed again.
        // Per layer mesh: the normal's index and its value on the other side of the step.
        std::vector<std::vector<rm::MeshBuilder::OldNormal>> normals;
        std::vector<std::int32_t> vertexHiddenIndex, faceHiddenIndex;
        std::vector<std::int8_t> vertexHiddenOther, faceHiddenOther;
        std::vector<std::int32_t> lookIndex;
        std::vector<FaceLook> lookOther;
        // Faces whose corners the step turned round; turning them again goes either way.
        std::vector<std::int32_t> reversedFaces;
        bool structural = false;
        std::int32_t verticesBefore = 0;
        // The table sizes on each side: a step applies only to the scene it was recorded on.
        std::int32_t facesBefore = 0, verticesAfter = 0, facesAfter = 0;
        std::vector<VertexRecordData> addedVertices;
        std::vector<std::int32_t> deletedIndex;  // ascending, in the table before the step
        std::vector<FaceRecordData> deletedFaces;
        std::vector<FaceRecordData> addedFaces;
        OwnerRuns vertexOwnersBefore, vertexOwnersAfter, faceOwnersBefore, faceOwnersAfter;
        std::size_t bytes = 0;
    };

  private:
    // Drops every step; the scene counts as changed since it was saved.
    void Forget();
    void Apply(Scene& scene, Step& step, bool undo);
    // Applies the last step of `from` (undo: backwards) and moves it to `to`.
    template <typename From, typename To>
    bool Take(Scene& scene, From& from, To& to, bool undo);
    void Push(Step step);

    std::optional<Capture> pending_;
    // The open step's copy of every position; it stays allocated between steps, so a press on a
    // big model pays a copy, not fresh pages. The normals the step changes are kept by the layer
    // meshes' builders as they change (rm::MeshBuilder::StartNormalLog).
    std::vector<float> positions_;
    std::deque<Step> undo_;
    std::vector<Step> redo_;
    std::size_t bytes_ = 0;
    std::uint64_t nextContent_ = 1;
    std::uint64_t content_ = 0;
    std::uint64_t savedContent_ = 0;
};

}  // namespace kvx
