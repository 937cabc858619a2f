#pragma once
// Reading a model file with a library of other hands (Open Asset Import Library, tinygltf) in a
// child process, so that whatever such a library does with a broken file (a crash, an endless
// loop, memory without end) costs the reading and never the editor and the user's work.
//
// The child runs the reader and sends back its result as plain bytes; the parent checks those
// bytes as strictly as a scene file before anything reaches the scene.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "scene/SceneFile.h"

namespace kvx {

// A reader as the format registry knows it: fills data, or gives a reason; notes receives what
// was left out, one line each.
using DataReader =
    std::function<bool(SceneFileData& data, std::string& reason, std::string& notes)>;

// How long a child may read before it is stopped.
inline constexpr int IsolatedReadSeconds = 300;

// Runs read in a child process. False with a reason when the reader refuses the file, or when
// the child ends without a whole answer (a crash, a signal), runs longer than seconds, or sends
// data that does not hold together.
bool ReadIsolated(const DataReader& read, SceneFileData& data, std::string& reason,
                  std::string& notes, int seconds = IsolatedReadSeconds);

// The bytes a child sends: the reader's verdict, its reason and notes, and the data.
std::vector<std::uint8_t> ReadingBytes(bool read, const std::string& reason,
                                       const std::string& notes, const SceneFileData& data);
// Takes such bytes apart, checking every count, index, layer and coordinate. False with a
// reason when they do not hold together (or the reader refused: then its own reason).
bool ParseReadingBytes(std::span<const std::uint8_t> bytes, SceneFileData& data,
                       std::string& reason, std::string& notes);

// Whether data holds together as a scene can take it: counts within the limits, faces of 3 to 8
// corners whose indices are the data's vertices, layers -1..9, flags 0 or 1, and coordinates
// that fit the scene's floats. A reason names the first record that does not.
bool CheckSceneFileData(const SceneFileData& data, std::string& reason);

}  // namespace kvx
