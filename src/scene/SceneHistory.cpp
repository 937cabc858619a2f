#include "scene/SceneHistory.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "scene/Scene.h"

namespace kvx {
namespace {

// Beyond this the oldest steps go even when fewer than KeptSteps are held, so that a long run
// of edits on a huge model cannot exhaust memory; the last step always stays.
constexpr std::size_t HardByteLimit = std::size_t{1} << 30;

FaceRecordData DataOf(const Face& f) {
    FaceRecordData d;
    d.sceneIndices = f.sceneIndices;
    d.vertexCount = f.vertexCount;
    d.renderType = f.renderType;
    d.red = f.red;
    d.green = f.green;
    d.blue = f.blue;
    d.hidden = f.hidden;
    d.layer = f.layer;
    return d;
}

// A face record with the data but no engine face yet; RebuildMirror attaches it.
Face FaceFrom(const FaceRecordData& d) {
    Face f;
    f.sceneIndices = d.sceneIndices;
    f.vertexCount = d.vertexCount;
    f.renderType = d.renderType;
    f.StoreColor(d.red, d.green, d.blue);
    f.hidden = d.hidden;
    f.layer = d.layer;
    return f;
}

SceneHistory::FaceLook LookOf(const Face& f) {
    return {f.renderType, f.red, f.green, f.blue};
}

template <typename T>
std::size_t BytesOf(const std::vector<T>& v) {
    return v.capacity() * sizeof(T);
}

bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

std::size_t NormalBytes(const SceneHistory::Step& s) {
    std::size_t bytes = BytesOf(s.normals);
    for (const auto& mesh : s.normals)
        bytes += BytesOf(mesh);
    return bytes;
}

std::size_t StepBytes(const SceneHistory::Step& s) {
    return sizeof(s) + BytesOf(s.selectedVertices) + BytesOf(s.selectedFaces) + BytesOf(s.moved) +
           BytesOf(s.movedOther) + NormalBytes(s) + BytesOf(s.vertexHiddenIndex) +
           BytesOf(s.faceHiddenIndex) + BytesOf(s.vertexHiddenOther) + BytesOf(s.faceHiddenOther) +
           BytesOf(s.lookIndex) + BytesOf(s.lookOther) + BytesOf(s.reversedFaces) +
           BytesOf(s.addedVertices) + BytesOf(s.deletedIndex) + BytesOf(s.deletedFaces) +
           BytesOf(s.addedFaces) + BytesOf(s.vertexOwnersBefore) + BytesOf(s.vertexOwnersAfter) +
           BytesOf(s.faceOwnersBefore) + BytesOf(s.faceOwnersAfter);
}

// The faces a structural step removes from or adds to the face table, and the vertices it adds.
void RemoveFaces(Scene& scene, const std::vector<std::int32_t>& ascending) {
    std::size_t kept = 0, next = 0;
    for (std::size_t i = 0; i < scene.faces.size(); ++i) {
        if (next < ascending.size() && static_cast<std::size_t>(ascending[next]) == i) {
            ++next;
            continue;
        }
        if (kept != i) scene.faces[kept] = std::move(scene.faces[i]);
        ++kept;
    }
    scene.faces.resize(kept);
}

void InsertFaces(Scene& scene, const std::vector<std::int32_t>& ascending,
                 const std::vector<FaceRecordData>& data) {
    if (ascending.empty()) return;
    const std::size_t old = scene.faces.size();
    scene.faces.resize(old + ascending.size());
    // From the back: each kept face moves up by the number of insertions before it.
    std::size_t from = old, to = scene.faces.size();
    for (std::size_t k = ascending.size(); k-- > 0;) {
        const auto at = static_cast<std::size_t>(ascending[k]);
        while (to > at + 1)
            scene.faces[--to] = std::move(scene.faces[--from]);
        scene.faces[--to] = FaceFrom(data[k]);
    }
}

}  // namespace

SceneHistory::SceneHistory() = default;
SceneHistory::~SceneHistory() = default;

void SceneHistory::Begin(const Scene& scene, unsigned parts) {
    // Structural steps never change the existing records' positions, flags or colours.
    if (parts & PartStructure) {
        parts = (parts | PartSelection) & ~(PartPositions | PartVisibility | PartFaceAttributes);
    }
    if (parts == 0) return;
    if (pending_) {
        if ((pending_->parts & parts) == parts) return;
        End(scene);
    }
    Capture c;
    c.parts = parts;
    c.vertexCount = scene.vertexCount();
    c.faceCount = scene.faceCount();
    if (parts & PartSelection) {
        c.selectedVertices = scene.selectedVertices;
        c.selectedFaces = scene.selectedFaces;
        c.currentLayer = scene.currentLayer;
        c.allLayers = scene.allLayers;
    }
    if (parts & PartPositions) {
        positions_.resize(scene.vertices.size() * 3);
        float* p = positions_.data();
        for (const Vertex& v : scene.vertices) {
            *p++ = v.x;
            *p++ = v.y;
            *p++ = v.z;
        }
        // The builders keep the old value of each normal the step changes.
        c.loggedMeshes = scene.layerMeshCount();
        for (std::int32_t m = 0; m < c.loggedMeshes; ++m)
            if (const auto& b = scene.layerMesh(m)->builder) b->StartNormalLog();
    }
    if (parts & PartVisibility) {
        c.vertexHidden.reserve(scene.vertices.size());
        for (const Vertex& v : scene.vertices)
            c.vertexHidden.push_back(v.hidden);
        c.faceHidden.reserve(scene.faces.size());
        for (const Face& f : scene.faces)
            c.faceHidden.push_back(f.hidden);
    }
    if (parts & PartFaceAttributes) {
        c.lookFaces = scene.selectedFaces;
        for (const std::int32_t f : c.lookFaces)
            c.looks.push_back(LookOf(scene.faces[static_cast<std::size_t>(f)]));
    }
    if (parts & PartCornerOrder) {
        c.cornerFaces = scene.selectedFaces;
        for (const std::int32_t f : c.cornerFaces)
            c.corners.push_back(scene.faces[static_cast<std::size_t>(f)].sceneIndices);
    }
    if (parts & PartStructure) {
        c.facesDeleted = scene.facesDeleted;
        c.deletable = scene.selectedFaces;
        std::sort(c.deletable.begin(), c.deletable.end());
        c.deletable.erase(std::unique(c.deletable.begin(), c.deletable.end()), c.deletable.end());
        for (const std::int32_t f : c.deletable)
            c.deletableData.push_back(DataOf(scene.faces[static_cast<std::size_t>(f)]));
        c.vertexOwners = scene.VertexOwners();
        c.faceOwners = scene.FaceOwners();
    }
    pending_ = std::move(c);
}

namespace {

using Capture = SceneHistory::Capture;
using Step = SceneHistory::Step;

// The selection and layers as they were, kept when they changed.
void RecordSelection(Capture& c, const Scene& scene, Step& s) {
    s.selection = c.selectedVertices != scene.selectedVertices ||
                  c.selectedFaces != scene.selectedFaces || c.currentLayer != scene.currentLayer ||
                  c.allLayers != scene.allLayers;
    if (!s.selection) return;
    s.selectedVertices = std::move(c.selectedVertices);
    s.selectedFaces = std::move(c.selectedFaces);
    s.currentLayer = c.currentLayer;
    s.allLayers = c.allLayers;
}

// A list filled after reserving for the most it could hold gives the rest back unless it is
// more than half full: a step that changed everything is kept without a copy, one that changed
// little without the room.
template <typename T>
void GiveBackRoom(std::vector<T>& v) {
    if (v.size() < v.capacity() / 2) v.shrink_to_fit();
}

// Ends the normal logs of the first `meshes` layer meshes and, with `keep`, keeps as the step's
// the normals whose value differs from the one their builder logged. Each log becomes the step's
// list in place, so a step that changed every normal holds them once, not twice.
void RecordNormals(const Scene& scene, std::int32_t meshes, bool keep, Step& s) {
    for (std::int32_t m = 0; m < std::min(meshes, scene.layerMeshCount()); ++m) {
        const auto& b = scene.layerMesh(m)->builder;
        if (!b) continue;
        std::vector<rm::MeshBuilder::OldNormal> log = b->TakeNormalLog();
        if (!keep || log.empty()) continue;
        const auto& now = b->Normals();
        std::erase_if(log, [&](const rm::MeshBuilder::OldNormal& old) {
            const rm::Vec3f& n = now[static_cast<std::size_t>(old.index)];
            return SameBits(n.x, old.value.x) && SameBits(n.y, old.value.y) &&
                   SameBits(n.z, old.value.z);
        });
        if (log.empty()) continue;
        GiveBackRoom(log);
        s.normals.resize(static_cast<std::size_t>(m) + 1);
        s.normals[static_cast<std::size_t>(m)] = std::move(log);
    }
}

// The vertices that moved from the positions copied at the start, and then the normals that
// changed with them. Returns whether any moved.
bool RecordMoves(const std::vector<float>& positions, std::int32_t loggedMeshes, const Scene& scene,
                 Step& s) {
    const std::size_t n = std::min(positions.size() / 3, scene.vertices.size());
    s.moved.reserve(n);
    s.movedOther.reserve(3 * n);
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& v = scene.vertices[i];
        const float* p = &positions[3 * i];
        if (SameBits(p[0], v.x) && SameBits(p[1], v.y) && SameBits(p[2], v.z)) continue;
        s.moved.push_back(static_cast<std::int32_t>(i));
        s.movedOther.insert(s.movedOther.end(), p, p + 3);
    }
    GiveBackRoom(s.moved);
    GiveBackRoom(s.movedOther);
    RecordNormals(scene, loggedMeshes, !s.moved.empty(), s);
    return !s.moved.empty();
}

// The vertices and faces whose hidden flag changed. Returns whether any did.
bool RecordVisibility(const Capture& c, const Scene& scene, Step& s) {
    const std::size_t nv = std::min(c.vertexHidden.size(), scene.vertices.size());
    for (std::size_t i = 0; i < nv; ++i) {
        if (c.vertexHidden[i] == scene.vertices[i].hidden) continue;
        s.vertexHiddenIndex.push_back(static_cast<std::int32_t>(i));
        s.vertexHiddenOther.push_back(c.vertexHidden[i]);
    }
    const std::size_t nf = std::min(c.faceHidden.size(), scene.faces.size());
    for (std::size_t i = 0; i < nf; ++i) {
        if (c.faceHidden[i] == scene.faces[i].hidden) continue;
        s.faceHiddenIndex.push_back(static_cast<std::int32_t>(i));
        s.faceHiddenOther.push_back(c.faceHidden[i]);
    }
    return !s.vertexHiddenIndex.empty() || !s.faceHiddenIndex.empty();
}

// The selected faces whose colour or shading changed. Returns whether any did.
bool RecordLooks(const Capture& c, const Scene& scene, Step& s) {
    for (std::size_t k = 0; k < c.lookFaces.size(); ++k) {
        const auto f = static_cast<std::size_t>(c.lookFaces[k]);
        if (f >= scene.faces.size() || LookOf(scene.faces[f]) == c.looks[k]) continue;
        s.lookIndex.push_back(c.lookFaces[k]);
        s.lookOther.push_back(c.looks[k]);
    }
    return !s.lookIndex.empty();
}

// The selected faces turned round since the step began. Returns whether any was.
bool RecordReversals(const Capture& c, const Scene& scene, Step& s) {
    for (std::size_t k = 0; k < c.cornerFaces.size(); ++k) {
        const auto f = static_cast<std::size_t>(c.cornerFaces[k]);
        if (f < scene.faces.size() && scene.faces[f].sceneIndices != c.corners[k])
            s.reversedFaces.push_back(c.cornerFaces[k]);
    }
    return !s.reversedFaces.empty();
}

// What a structural step found: nothing added or deleted, a change it holds, or a change no step
// can describe (faces went that were not selected, vertices went).
enum class Structure { Unchanged, Recorded, Undescribable };

// The vertices and faces added and the selected faces deleted, with the owners on both sides.
Structure RecordStructure(Capture& c, const Scene& scene, Step& s) {
    const std::uint64_t deleted = scene.facesDeleted - c.facesDeleted;
    s.structural =
        deleted != 0 || scene.vertexCount() != c.vertexCount || scene.faceCount() != c.faceCount;
    if (!s.structural) return Structure::Unchanged;
    if ((deleted != 0 && deleted != c.deletable.size()) || scene.vertexCount() < c.vertexCount)
        return Structure::Undescribable;
    s.verticesBefore = c.vertexCount;
    s.facesBefore = c.faceCount;
    s.verticesAfter = scene.vertexCount();
    s.facesAfter = scene.faceCount();
    for (std::size_t i = static_cast<std::size_t>(c.vertexCount); i < scene.vertices.size(); ++i) {
        const Vertex& v = scene.vertices[i];
        s.addedVertices.push_back({v.x, v.y, v.z, v.layer, v.hidden});
    }
    if (deleted != 0) {
        s.deletedIndex = std::move(c.deletable);
        s.deletedFaces = std::move(c.deletableData);
    }
    const std::size_t kept = static_cast<std::size_t>(c.faceCount) - deleted;
    for (std::size_t i = kept; i < scene.faces.size(); ++i)
        s.addedFaces.push_back(DataOf(scene.faces[i]));
    s.vertexOwnersBefore = std::move(c.vertexOwners);
    s.faceOwnersBefore = std::move(c.faceOwners);
    s.vertexOwnersAfter = scene.VertexOwners();
    s.faceOwnersAfter = scene.FaceOwners();
    return Structure::Recorded;
}

}  // namespace

void SceneHistory::End(const Scene& scene) {
    if (!pending_) return;
    Capture c = std::move(*pending_);
    pending_.reset();
    Step s;
    bool model = false;
    if (c.parts & PartSelection) RecordSelection(c, scene, s);
    if (c.parts & PartPositions) model = RecordMoves(positions_, c.loggedMeshes, scene, s) || model;
    if (c.parts & PartVisibility) model = RecordVisibility(c, scene, s) || model;
    if (c.parts & PartFaceAttributes) model = RecordLooks(c, scene, s) || model;
    if (c.parts & PartCornerOrder) model = RecordReversals(c, scene, s) || model;
    if (c.parts & PartStructure) {
        const Structure structure = RecordStructure(c, scene, s);
        if (structure == Structure::Undescribable) {
            // The history cannot bring the scene back across it.
            Forget();
            return;
        }
        model = model || structure == Structure::Recorded;
    }
    if (!model && !s.selection) return;
    s.contentBefore = content_;
    s.contentAfter = model ? nextContent_++ : content_;
    content_ = s.contentAfter;
    s.bytes = StepBytes(s);
    Push(std::move(s));
}

void SceneHistory::Push(Step step) {
    for (const Step& r : redo_)
        bytes_ -= r.bytes;
    redo_.clear();
    bytes_ += step.bytes;
    undo_.push_back(std::move(step));
    while (undo_.size() > 1 &&
           ((undo_.size() > KeptSteps && bytes_ > ByteBudget) || bytes_ > HardByteLimit)) {
        bytes_ -= undo_.front().bytes;
        undo_.pop_front();
    }
}

namespace {

// Whether the scene has the table sizes a step expects on the side it starts from. Anything else
// means the scene changed outside the history, and the step cannot be applied safely.
bool Below(const std::vector<std::int32_t>& indices, std::int32_t n) {
    return std::all_of(indices.begin(), indices.end(),
                       [n](std::int32_t i) { return i >= 0 && i < n; });
}

bool Fits(const Scene& scene, const SceneHistory::Step& s, bool undo) {
    if (!s.structural) {
        const std::int32_t v = scene.vertexCount(), f = scene.faceCount();
        return Below(s.moved, v) && Below(s.vertexHiddenIndex, v) && Below(s.faceHiddenIndex, f) &&
               Below(s.lookIndex, f) && Below(s.reversedFaces, f) && Below(s.selectedVertices, v) &&
               Below(s.selectedFaces, f);
    }
    return undo ? scene.vertexCount() == s.verticesAfter && scene.faceCount() == s.facesAfter
                : scene.vertexCount() == s.verticesBefore && scene.faceCount() == s.facesBefore;
}

}  // namespace

bool SceneHistory::Undo(Scene& scene) {
    return !pending_ && Take(scene, undo_, redo_, true);
}

bool SceneHistory::Redo(Scene& scene) {
    return !pending_ && Take(scene, redo_, undo_, false);
}

template <typename From, typename To>
bool SceneHistory::Take(Scene& scene, From& from, To& to, bool undo) {
    if (from.empty()) return false;
    if (!Fits(scene, from.back(), undo)) {
        Forget();
        return false;
    }
    Step s = std::move(from.back());
    from.pop_back();
    Apply(scene, s, undo);
    content_ = undo ? s.contentBefore : s.contentAfter;
    to.push_back(std::move(s));
    return true;
}

namespace {

// Positions, flags and looks swap with the step's copy; turned faces turn again.
void SwapRecords(Scene& scene, Step& s) {
    for (std::size_t k = 0; k < s.moved.size(); ++k) {
        Vertex& v = scene.vertices[static_cast<std::size_t>(s.moved[k])];
        float* p = &s.movedOther[3 * k];
        std::swap(v.x, p[0]);
        std::swap(v.y, p[1]);
        std::swap(v.z, p[2]);
        v.SendPosition();
    }
    for (std::size_t k = 0; k < s.vertexHiddenIndex.size(); ++k)
        std::swap(scene.vertices[static_cast<std::size_t>(s.vertexHiddenIndex[k])].hidden,
                  s.vertexHiddenOther[k]);
    for (std::size_t k = 0; k < s.faceHiddenIndex.size(); ++k)
        std::swap(scene.faces[static_cast<std::size_t>(s.faceHiddenIndex[k])].hidden,
                  s.faceHiddenOther[k]);
    if (!s.faceHiddenIndex.empty()) ++scene.faceVisibilityRevision;
    for (std::size_t k = 0; k < s.lookIndex.size(); ++k) {
        Face& f = scene.faces[static_cast<std::size_t>(s.lookIndex[k])];
        const SceneHistory::FaceLook now = LookOf(f);
        f.renderType = s.lookOther[k].renderType;
        f.StoreColor(s.lookOther[k].red, s.lookOther[k].green, s.lookOther[k].blue);
        f.ApplyColor();
        s.lookOther[k] = now;
    }
    scene.ReverseFaces(s.reversedFaces);
}

}  // namespace

void SceneHistory::Apply(Scene& scene, Step& s, bool undo) {
    SwapRecords(scene, s);

    // The selection is emptied before records go, and set once they are back.
    std::vector<std::int32_t> selectedVertices, selectedFaces;
    std::int32_t currentLayer = 0, allLayers = 0;
    if (s.selection) {
        selectedVertices = scene.selectedVertices;
        selectedFaces = scene.selectedFaces;
        currentLayer = scene.currentLayer;
        allLayers = scene.allLayers;
        scene.ClearVertexSelection();
        scene.ClearFaceSelection();
    }
    if (s.structural) {
        if (undo) {
            scene.faces.resize(scene.faces.size() - s.addedFaces.size());
            InsertFaces(scene, s.deletedIndex, s.deletedFaces);
            scene.vertices.resize(static_cast<std::size_t>(s.verticesBefore));
            scene.RebuildMirror(s.vertexOwnersBefore, s.faceOwnersBefore);
        } else {
            for (const VertexRecordData& d : s.addedVertices) {
                Vertex& v = scene.vertices.emplace_back();
                v.x = d.x;
                v.y = d.y;
                v.z = d.z;
                v.layer = d.layer;
                v.hidden = d.hidden;
                v.sceneIndex = static_cast<std::int32_t>(scene.vertices.size() - 1);
            }
            RemoveFaces(scene, s.deletedIndex);
            for (const FaceRecordData& d : s.addedFaces)
                scene.faces.push_back(FaceFrom(d));
            scene.RebuildMirror(s.vertexOwnersAfter, s.faceOwnersAfter);
        }
    }
    if (s.selection) {
        scene.currentLayer = s.currentLayer;
        scene.allLayers = s.allLayers;
        scene.ReplaceSelection(std::move(s.selectedVertices), std::move(s.selectedFaces));
        s.selectedVertices = std::move(selectedVertices);
        s.selectedFaces = std::move(selectedFaces);
        s.currentLayer = currentLayer;
        s.allLayers = allLayers;
    }

    // Normals a move changed swap back; after a change of looks shading follows the restored model
    // (a structural step's rebuild has computed it already).
    for (std::size_t m = 0; m < s.normals.size(); ++m) {
        if (s.normals[m].empty()) continue;
        rm::MeshBuilder& b = *scene.layerMesh(static_cast<std::int32_t>(m))->builder;
        for (rm::MeshBuilder::OldNormal& other : s.normals[m]) {
            const rm::Vec3f now = b.Normals()[static_cast<std::size_t>(other.index)];
            b.SetNormal(other.index, other.value);
            other.value = now;
        }
    }
    if (!s.structural && !s.lookIndex.empty()) scene.UpdateVertexNormals(s.lookIndex);
    scene.RequestRedraw(RedrawScope::All);
}

void SceneHistory::Forget() {
    pending_.reset();
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
    content_ = nextContent_++;
}

void SceneHistory::Clear() {
    Forget();
    savedContent_ = content_;
}

}  // namespace kvx
