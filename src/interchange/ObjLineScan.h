#pragma once
// One pass over the lines of an OBJ file for what tinyobjloader does not report or does not
// check: the line of every vertex and face (for precise reasons), the groups in force at each
// vertex, each face's corner count (tinyobjloader keeps it in a byte and drops faces of fewer than
// three corners without an error), coordinates that are not numbers (it reads them as 0), and
// the material files named. Lines are split and recognised exactly as tinyobjloader does, so its
// vertices and faces correspond one to one, in file order, to those found here.
//
// tinyobjloader never sees the file itself: the scan writes the lines that matter to a scene, in
// a plain form it has checked, for tinyobjloader to read ("v" with three numbers, "f" with
// vertex indices only, "g", "o", "usemtl" with one name, "s 0" or "s 1", and one "mtllib"), and
// does the same for material files ("newmtl" and "Kd" with three numbers). Every other line
// (texture coordinates, normals, joint weights, lines, points...) is left out, so nothing that
// it mishandles reaches it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/ObjNames.h"

namespace kvx::obj {

struct ObjLineScan {
    struct VertexLine {
        std::int32_t line = 0;  // 1-based
        ObjGroups groups;       // of the "g" (or "o") line in force
    };
    struct FaceLine {
        std::int32_t line = 0;
        std::int32_t corners = 0;
    };
    std::vector<VertexLine> vertices;
    std::vector<FaceLine> faces;
    std::int64_t splitFaceCount = 0;         // faces once polygons are split (SplitFaceCount)
    std::vector<std::string> materialFiles;  // the names on "mtllib" lines, in order
    std::string parserText;                  // the checked lines, for tinyobjloader
};

// Faces a polygon of n corners becomes when split into faces of at most eight corners.
std::int64_t SplitFaceCount(std::int64_t corners);

// Scans text. False with a reason naming the line when a vertex has fewer than three numbers
// or one that is not a number, a face has fewer than three corners or a corner whose vertex
// index is 0 or not an integer, or there are more vertices or (split) faces than a scene holds.
bool ScanObjLines(std::string_view text, ObjLineScan& scan, std::string& reason);

// The lines of a material file that tinyobjloader reads: "newmtl" lines, and "Kd" lines with
// three numbers.
std::string ParserMaterialText(std::string_view text);

// The names a material file declares ("newmtl" lines), read as ParserMaterialText reads them.
std::vector<std::string> DeclaredMaterialNames(std::string_view text);

}  // namespace kvx::obj
