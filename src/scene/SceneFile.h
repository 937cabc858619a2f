#pragma once
// The scene file (.KVX): a 33-byte header (24 signature characters, a version byte, vertex and
// face counts) followed by vertex records (marker 0x7F) and face records (marker 0x7E), all
// little-endian. Version 2 is written; 1 and 2 are read.
//
// Loading is all-or-nothing: the whole file is read and checked before the scene is touched, so a
// bad file leaves the scene exactly as it was. Saving replaces the target as ReplaceFile does
// (FileReplace.h), so a failed or refused save never destroys the previous file.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Prompts.h"

namespace kvx {

class Scene;

inline constexpr char SceneSignature[] = "1MorvenixProduction 1998";
inline constexpr std::int32_t SceneSignatureLength = 24;
inline constexpr std::int32_t SceneHeaderSize = 33;
inline constexpr std::int8_t SceneFileVersion = 2;
inline constexpr std::uint8_t VertexMarker = 0x7F;
inline constexpr std::uint8_t FaceMarker = 0x7E;

inline constexpr const char* LoadErrorText = "Erreur lors du chargement du Fichier!";
inline constexpr const char* LoadErrorTitle = "Attenntion...";
inline constexpr const char* SaveErrorText = "Erreur lors de la sauvegarde du Fichier!";
inline constexpr const char* SaveErrorTitle = "Attention...";

// The content of a scene file as read, before it reaches a scene.
struct SceneFileData {
    struct VertexRecord {
        double x = 0, y = 0, z = 0;
        std::int32_t hidden = 0;
        std::int32_t layer = -1;  // -1: none stored (version 1), the current layer is taken
    };
    struct FaceRecord {
        std::int32_t firstIndex = 0;  // into indices
        std::int32_t indexCount = 0;  // kept indices: at most eight
        std::uint8_t red = 0, green = 0, blue = 0;
        std::int32_t layer = -1;  // -1: version 1, the current layer is taken
        std::int32_t hidden = 0;
        std::int32_t renderType = 0;
    };
    std::int32_t version = 0;
    std::vector<VertexRecord> vertices;
    std::vector<FaceRecord> faces;
    std::vector<std::int32_t> indices;  // file positions of the faces' vertices
    // Bytes after the last record: such a file loads, and the user is told they were ignored.
    std::int64_t ignoredBytes = 0;
};

// Reads and checks a whole scene file. On a fault returns false with a precise reason (for
// example "face 12: vertex index 40 out of range").
bool ReadSceneFile(const std::string& path, SceneFileData& data, std::string& reason);
// The same checks over the bytes of a whole file already in memory.
bool ReadSceneBytes(std::span<const std::uint8_t> bytes, SceneFileData& data, std::string& reason);

// Adds what was read to the scene: with clearFirst the scene is cleared as "Nouveau" does first.
// Vertices and faces are attached to the current layer's mesh; face indices refer to the file's
// own vertices. Normals of every face are recomputed. False (with reason) when the scene cannot
// hold it, and then nothing changes.
bool AddSceneFileToScene(Scene& scene, const SceneFileData& data, bool clearFirst,
                         std::string& reason);

// Reads, checks and adds in one step; ignoredBytes, when given, receives the count of bytes after
// the last record.
bool LoadSceneFromPath(Scene& scene, const std::string& path, bool clearFirst, std::string& reason,
                       std::int64_t* ignoredBytes = nullptr);
// What the editor says after loading a file with bytes after its last record.
std::string IgnoredBytesText(std::int64_t count);

// Writes the scene in version 2 to path (through a link, to the file it names), through a
// temporary file renamed over it. A read-only target, one in use or one another Kolvex is saving
// is refused and stays as it was.
bool SaveSceneToPath(const Scene& scene, const std::string& path, std::string& reason);

// The bytes SaveSceneToPath writes, in memory.
std::vector<std::uint8_t> SceneBytes(const Scene& scene);

// extension (".KVX", ".obj") appended to a file name that has none; any other name is kept as
// typed.
std::string WithDefaultExtension(const std::string& path, const char* extension);
inline std::string WithSceneExtension(const std::string& path) {
    return WithDefaultExtension(path, ".KVX");
}

// The settings records of the open and save dialogs (titles, filters, flags).
platform::FileDialogSettings SceneOpenDialogSettings();
platform::FileDialogSettings SceneSaveDialogSettings();

// "Enregistrer...": asks for a name and saves. 1 saved, 0 cancelled or failed (a failure shows
// the save error message). chosen, when given, receives the file written.
int SaveScene(const Scene& scene, platform::Prompts& prompts, platform::FileDialogSettings& dialog,
              std::string* chosen = nullptr);
// The same for a file already chosen (the scene's own file).
int SaveSceneNamed(const Scene& scene, platform::Prompts& prompts, const std::string& path);

// "Ouvrir..." (clearFirst 1) and "Importer..." (0): asks for a name and loads. 1 loaded, 0
// cancelled or failed (a failure shows the load error message and changes nothing). chosen,
// when given, receives the file read.
int LoadScene(Scene& scene, platform::Prompts& prompts, platform::FileDialogSettings& dialog,
              int clearFirst, std::string* chosen = nullptr);
// The same for a file already chosen, with errorText as the message of a fault.
int LoadSceneNamed(Scene& scene, platform::Prompts& prompts, const std::string& path,
                   int clearFirst, const std::string& errorText);

}  // namespace kvx
