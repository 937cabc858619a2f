// Pictures of small scenes at 16 and 24 bits, compared with the reference images in golden/.
// KOLVEX_UPDATE_GOLDEN=1 rewrites the references; look at every rewritten one before keeping it.

#include <gtest/gtest.h>

#include <string>

#include "perspective/GoldenImage.h"
#include "perspective/ViewFixture.h"

namespace kvx::test {
namespace {

class Golden : public ::testing::TestWithParam<int> {
  protected:
    std::string Name(const std::string& scene) const {
        return scene + "_" + std::to_string(GetParam());
    }
};

TEST_P(Golden, GeneratedMesh) {
    PerspectiveView view(GetParam());
    view.scene->GenerateMesh();
    view.Redraw();
    EXPECT_TRUE(MatchesGolden(view.Picture(), Name("mesh")));
}

TEST_P(Golden, CubeOfQuads) {
    PerspectiveView view(GetParam());
    view.AddCube(2.0);
    view.Redraw();
    EXPECT_TRUE(MatchesGolden(view.Picture(), Name("cube")));
}

// Faces turned over with "Inverser" face away from the camera and leave holes in the mesh.
TEST_P(Golden, FlippedFaces) {
    PerspectiveView view(GetParam());
    view.scene->GenerateMesh();
    for (std::int32_t f = 0; f < view.scene->faceCount(); f += 7)
        view.scene->ToggleFace(f);
    view.scene->FlipSelectedFaces();
    view.Redraw();
    EXPECT_TRUE(MatchesGolden(view.Picture(), Name("flipped")));
}

// Flat faces take their own normal, smooth faces the summed normals of their vertices. The point
// light is off and the ambient light dimmed so that they do not wash the shading out.
TEST_P(Golden, FlatDome) {
    PerspectiveView view(GetParam());
    view.AddDome(9, 5.0, 2.5);
    view.point.SetColor(0, 0, 0);
    view.rig.ambient.SetColor(0.25, 0.25, 0.25);
    view.Redraw();
    EXPECT_TRUE(MatchesGolden(view.Picture(), Name("dome_flat")));
}

TEST_P(Golden, SmoothDome) {
    PerspectiveView view(GetParam());
    view.AddDome(9, 5.0, 2.5);
    view.MakeAllSmooth();
    view.point.SetColor(0, 0, 0);
    view.rig.ambient.SetColor(0.25, 0.25, 0.25);
    view.Redraw();
    EXPECT_TRUE(MatchesGolden(view.Picture(), Name("dome_smooth")));
}

TEST_P(Golden, AmbientLightOff) {
    PerspectiveView view(GetParam());
    view.AddDome(9, 5.0, 2.5);
    view.MakeAllSmooth();
    view.rig.ambient.SetColor(0, 0, 0);
    view.Redraw();
    EXPECT_TRUE(MatchesGolden(view.Picture(), Name("no_ambient")));
}

TEST_P(Golden, DirectionalLightOff) {
    PerspectiveView view(GetParam());
    view.AddDome(9, 5.0, 2.5);
    view.MakeAllSmooth();
    view.rig.directional.SetColor(0, 0, 0);
    view.Redraw();
    EXPECT_TRUE(MatchesGolden(view.Picture(), Name("no_directional")));
}

TEST_P(Golden, PointLightOff) {
    PerspectiveView view(GetParam());
    view.AddDome(9, 5.0, 2.5);
    view.MakeAllSmooth();
    view.point.SetColor(0, 0, 0);
    view.Redraw();
    EXPECT_TRUE(MatchesGolden(view.Picture(), Name("no_point")));
}

TEST_P(Golden, LightMarkers) {
    PerspectiveView view(GetParam());
    view.scene->GenerateMesh();
    view.rig.ShowMarkers();
    view.Redraw();
    EXPECT_TRUE(MatchesGolden(view.Picture(), Name("markers")));
}

INSTANTIATE_TEST_SUITE_P(Depths, Golden, ::testing::Values(16, 24),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "bits";
                         });

}  // namespace
}  // namespace kvx::test
