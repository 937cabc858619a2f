// Pictures of small scenes at 16 and 24 bits, compared with the reference images in golden/.
// KOLVEX_UPDATE_GOLDEN=1 rewrites the references; look at every rewritten one before keeping it.

#include <gtest/gtest.h>

#include <string>

#include "perspective/GoldenImage.h"
#include "perspective/ViewFixture.h"

namespace kvx::test {
namespace {

void SmoothDome(PerspectiveView& v) {
    v.AddDome(9, 5.0, 2.5);
    v.MakeAllSmooth();
}

// Each reference image and the scene and lights it shows.
const struct {
    const char* name;
    void (*build)(PerspectiveView&);
} Scenes[] = {
    {"mesh", [](PerspectiveView& v) { v.scene->GenerateMesh(); }},
    {"cube", [](PerspectiveView& v) { v.AddCube(2.0); }},
    // Faces turned over with "Inverser" face away from the camera and leave holes in the mesh.
    {"flipped",
     [](PerspectiveView& v) {
         v.scene->GenerateMesh();
         for (std::int32_t f = 0; f < v.scene->faceCount(); f += 7)
             v.scene->ToggleFace(f);
         v.scene->FlipSelectedFaces();
     }},
    // Flat faces take their own normal, smooth faces the summed normals of their vertices. The
    // point light is off and the ambient light dimmed so that they do not wash the shading out.
    {"dome_flat",
     [](PerspectiveView& v) {
         v.AddDome(9, 5.0, 2.5);
         v.point.SetColor(0, 0, 0);
         v.rig.ambient.SetColor(0.25, 0.25, 0.25);
     }},
    {"dome_smooth",
     [](PerspectiveView& v) {
         SmoothDome(v);
         v.point.SetColor(0, 0, 0);
         v.rig.ambient.SetColor(0.25, 0.25, 0.25);
     }},
    {"no_ambient",
     [](PerspectiveView& v) {
         SmoothDome(v);
         v.rig.ambient.SetColor(0, 0, 0);
     }},
    {"no_directional",
     [](PerspectiveView& v) {
         SmoothDome(v);
         v.rig.directional.SetColor(0, 0, 0);
     }},
    {"no_point",
     [](PerspectiveView& v) {
         SmoothDome(v);
         v.point.SetColor(0, 0, 0);
     }},
    {"markers",
     [](PerspectiveView& v) {
         v.scene->GenerateMesh();
         v.rig.ShowMarkers();
     }},
};

class Golden : public ::testing::TestWithParam<int> {};

TEST_P(Golden, EveryScene) {
    for (const auto& s : Scenes) {
        PerspectiveView view(GetParam());
        s.build(view);
        view.Redraw();
        EXPECT_TRUE(MatchesGolden(view.Picture(), s.name + ("_" + std::to_string(GetParam()))));
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, Golden, ::testing::Values(16, 24),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "bits";
                         });

}  // namespace
}  // namespace kvx::test
