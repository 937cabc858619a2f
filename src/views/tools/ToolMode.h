#pragma once
// The sixteen mouse tools of the orthographic views, the cursors the views show, and what each
// tool shows while idle and during its operation.

#include <cstdint>

namespace kvx {

// Values are those of toolMode; 1 is the tool at start.
enum class ToolMode : std::int32_t {
    CreateVertex = 1,
    MoveXY = 2,
    MoveX = 3,
    MoveY = 4,
    MoveZ = 5,
    SelectVertex = 6,
    SelectFace = 7,
    Fence = 8,
    ZoomPan = 9,
    ZoomLoupe = 10,
    Rotate = 11,
    ScaleXYZ = 12,
    ScaleXY = 13,
    ScaleX = 14,
    ScaleY = 15,
    Mirror = 16,
};

constexpr std::int32_t ToolModeValue(ToolMode mode) {
    return static_cast<std::int32_t>(mode);
}
constexpr bool IsMoveTool(ToolMode m) {
    return m >= ToolMode::MoveXY && m <= ToolMode::MoveZ;
}
constexpr bool IsScaleTool(ToolMode m) {
    return m >= ToolMode::ScaleXYZ && m <= ToolMode::ScaleY;
}

// Indices into the cursor table, in the order of its sixteen entries.
enum class CursorId : std::int32_t {
    Normal = 0,
    Mire = 1,
    SelectFace = 2,
    CreateVertex = 3,
    Share = 4,
    Cross = 5,
    AllDirection = 6,
    UpDown = 7,
    RightLeft = 8,
    Profondeur = 9,
    Fence = 10,
    Main = 11,
    Loupe = 12,
    Rotate = 13,
    Scale = 14,
    Mirroir = 15,
};

// The cursor a tool shows while no operation of it runs.
CursorId IdleCursor(ToolMode mode);
// The tool's name as the status bar shows it.
const char* ToolName(ToolMode mode);
// What the mouse buttons do with the tool, in French: the left button, a Ctrl-click (empty when
// it does what a plain click does) and the right button.
struct ToolButtons {
    const char* left;
    const char* ctrlClick;
    const char* right;
};
ToolButtons ToolHelp(ToolMode mode);
// Every tool, in mode order.
inline constexpr ToolMode AllToolModes[] = {
    ToolMode::CreateVertex, ToolMode::MoveXY,       ToolMode::MoveX,      ToolMode::MoveY,
    ToolMode::MoveZ,        ToolMode::SelectVertex, ToolMode::SelectFace, ToolMode::Fence,
    ToolMode::ZoomPan,      ToolMode::ZoomLoupe,    ToolMode::Rotate,     ToolMode::ScaleXYZ,
    ToolMode::ScaleXY,      ToolMode::ScaleX,       ToolMode::ScaleY,     ToolMode::Mirror};

}  // namespace kvx
