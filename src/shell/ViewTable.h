#pragma once
// The seven views: title, window class, "Vues" menu item and "Aligner" position (MDI client
// coordinates), by view number.

#include <array>
#include <cstdint>

#include "platform/Message.h"
#include "views/ViewProjection.h"

namespace kvx {

struct ViewDescription {
    ViewId id;
    const char* title;
    const char* className;
    std::uint32_t menuItem;
    platform::Point alignedPosition;
};

inline constexpr std::array<ViewDescription, 7> ViewTable = {{
    {ViewTop, "Dessus", "ClassFenetreTOP", 40002, {0, 0}},
    {ViewBottom, "Bas", "ClassFenetreBOTTOM", 40003, {0, 273}},
    {ViewLeft, "Gauche", "ClassFenetreLEFT", 40005, {256, 0}},
    {ViewRight, "Droite", "ClassFenetreRIGHT", 40004, {256, 273}},
    {ViewFront, "Devant", "ClassFenetreFRONT", 40006, {512, 0}},
    {ViewBack, "Derriere", "ClassFenetreBACK", 40007, {512, 273}},
    {ViewPerspective, "Perspective", "ClassFenetrePERSPECTIVE", 40022, {530, 273}},
}};

// 1 <= view <= 7.
inline const ViewDescription& DescribeView(ViewId view) {
    return ViewTable[static_cast<std::size_t>(view - 1)];
}

// Client size of every view window as created.
inline constexpr std::int32_t ViewClientSize = 250;

// Orthographic views are redrawn in the order 1, 2, 3, 4, 6, 5.
inline constexpr std::array<ViewId, 6> OrthographicRedrawOrder = {ViewTop,   ViewBottom, ViewLeft,
                                                                  ViewRight, ViewBack,   ViewFront};

}  // namespace kvx
