#pragma once
// A scene as the text of a Wavefront OBJ file and of its material file.
//
// Everything a scene file keeps travels (see ObjNames.h for the spelling): positions with nine
// significant digits, so every 32-bit float reads back as the same float; faces with their
// corners in order (1-based "f" indices into the vertex table order); face colours as one
// material per distinct colour; layers and hidden flags of vertices and faces as groups;
// smooth and flat faces as smoothing groups. Faces of fewer than three corners (which no editing
// operation builds) are left out, since OBJ has no such faces.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "interchange/ObjNames.h"

namespace kvx {

class Scene;

// Where text goes as it is made.
class TextSink {
  public:
    virtual ~TextSink() = default;
    virtual void Write(std::string_view text) = 0;
};

class StringSink : public TextSink {
  public:
    void Write(std::string_view text) override { text_ += text; }
    std::string& Text() { return text_; }

  private:
    std::string text_;
};

// The colours of the scene's faces that an OBJ file shows, by their bytes as one number.
using ObjColors = std::map<std::uint32_t, obj::ColorBytes>;
ObjColors SceneObjColors(const Scene& scene);

// The material file: a comment line, then one material for each colour.
void WriteMaterialText(const ObjColors& colors, TextSink& out);
// One material's lines, as WriteMaterialText writes them.
std::string MaterialText(const obj::ColorBytes& color);
// The OBJ file, whose "mtllib" line names materialFileName.
void WriteObjText(const Scene& scene, const std::string& materialFileName, TextSink& out);

}  // namespace kvx
