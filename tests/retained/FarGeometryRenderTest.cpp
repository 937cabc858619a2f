// Regressions of the renderer with positions near the float maximum or not finite at all: every
// such face draws without undefined behaviour, a face that covers the view fills it, and a face
// that cannot be placed draws nothing while the others draw as usual.

#include <gtest/gtest.h>

#include <limits>

#include "canvas/Canvas.h"
#include "retained/Device.h"
#include "retained/Engine.h"
#include "retained/RenderQuality.h"

namespace kvx::rm {
namespace {

constexpr std::int32_t Side = 60;
constexpr PixelValue Background = 0x102030;
constexpr PixelValue Orange = 0xFF8040;  // (1, 0.5, 0.25) under white light

// A camera at the origin looking along +z, white ambient light, one mesh.
class FarGeometryRender : public ::testing::Test {
  protected:
    void SetUp() override {
        canvas.Create(Side, Side, 24);
        engine.CreateFrame(nullptr, root);
        engine.CreateFrame(root.get(), camera);
        engine.CreateFrame(root.get(), meshFrame);
        engine.CreateMeshBuilder(mesh);
        meshFrame->AddVisual(mesh);
        engine.CreateLightRGB(LightType::Ambient, 1, 1, 1, ambient);
        root->AddLight(ambient);
        engine.CreateDeviceFromSurface(&canvas, device);
        engine.CreateViewport(device, camera, 0, 0, Side, Side, viewport);
    }
    void AddTriangle(Vec3f a, Vec3f b, Vec3f c) {
        const std::int32_t first = mesh->VertexCount();
        for (const Vec3f& p : {a, b, c})
            mesh->AddVertex(p.x, p.y, p.z);
        Face face;
        mesh->CreateFace(face);
        for (int k = 0; k < 3; ++k)
            face.AddVertexAndNormalIndexed(first + k, mesh->AddNormal(0, 0, -1));
        face.SetColorRGB(1, 0.5f, 0.25f);
        mesh->AddFace(face);
    }
    // Pixels of each colour after a frame at the given quality.
    int Count(std::uint32_t quality, PixelValue colour) {
        device->SetQuality(quality);
        canvas.FillAll(Background);
        EXPECT_TRUE(Succeeded(viewport->Clear()));
        EXPECT_TRUE(Succeeded(viewport->Render(*root)));
        int n = 0;
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                n += canvas.Surface().Get(x, y) == colour;
        return n;
    }

    static constexpr float Max = std::numeric_limits<float>::max();
    Canvas canvas;
    Engine engine;
    std::shared_ptr<rm::Frame> root, camera, meshFrame;
    std::shared_ptr<MeshBuilder> mesh;
    std::shared_ptr<Light> ambient;
    std::shared_ptr<Device> device;
    std::shared_ptr<Viewport> viewport;
};

TEST_F(FarGeometryRender, RegressionAFaceReachingTheFloatMaximumFillsTheView) {
    // Its corners' differences overflow floats; the float clipper used to make NaN of them.
    AddTriangle({-Max, -Max, 4}, {0, Max, 4}, {Max, -Max, 4});
    EXPECT_EQ(Count(QualityGouraud, Orange), Side * Side);
    // Its outline runs far outside the view.
    EXPECT_EQ(Count(QualityWireframe, Background), Side * Side);
}

TEST_F(FarGeometryRender, RegressionAFaceFromFarBehindTheCameraIsCutAtTheFrontPlane) {
    // In the plane z = y + 4 (up to the rounding of its far corners), tilted through the
    // camera's plane: two corners lie far behind the camera, and the part ahead covers the view.
    AddTriangle({-Max, -Max, -Max}, {0, 40, 44}, {Max, -Max, -Max});
    EXPECT_EQ(Count(QualityGouraud, Orange), Side * Side);
}

TEST_F(FarGeometryRender, AFaceWithACornerThatIsNotFiniteDrawsNothingAndTheOthersDraw) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    AddTriangle({-1, -1, 4}, {0, 1, 4}, {1, -1, 4});
    const int alone = Count(QualityGouraud, Orange);
    ASSERT_GT(alone, 0);
    AddTriangle({-1, -1, 3}, {0, nan, 3}, {1, -1, 3});
    AddTriangle({-inf, -1, 3}, {0, 1, 3}, {1, -1, 3});
    EXPECT_EQ(Count(QualityGouraud, Orange), alone);
    EXPECT_EQ(Count(QualityWireframe, Orange) > 0, true);
}

}  // namespace
}  // namespace kvx::rm
