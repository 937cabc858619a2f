// The engine end to end: device, viewport and camera over a canvas, meshes under frames.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "canvas/Canvas.h"
#include "retained/Device.h"
#include "retained/Engine.h"
#include "retained/RenderQuality.h"

namespace kvx::rm {
namespace {

constexpr std::int32_t Side = 100;
constexpr PixelValue Background = 0x102030;

// A camera at the origin looking along +z, a white ambient light and one mesh under the root.
class Stage : public ::testing::Test {
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
        device->SetQuality(QualityGouraud);
        engine.CreateViewport(device, camera, 0, 0, Side, Side, viewport);
    }

    // A triangle with normals towards the camera, in the given corner order.
    void AddTriangle(Vec3f a, Vec3f b, Vec3f c, Vec3f color = {1, 0.5f, 0.25f}) {
        const std::int32_t first = mesh->VertexCount();
        mesh->AddVertex(a.x, a.y, a.z);
        mesh->AddVertex(b.x, b.y, b.z);
        mesh->AddVertex(c.x, c.y, c.z);
        Face face;
        mesh->CreateFace(face);
        for (int k = 0; k < 3; ++k)
            face.AddVertexAndNormalIndexed(first + k, mesh->AddNormal(0, 0, -1));
        face.SetColorRGB(color.x, color.y, color.z);
        mesh->AddFace(face);
    }

    void Frame() {
        canvas.FillAll(Background);
        ASSERT_TRUE(Succeeded(viewport->Clear()));
        ASSERT_TRUE(Succeeded(viewport->Render(*root)));
        ASSERT_TRUE(Succeeded(device->Update()));
    }
    PixelValue At(std::int32_t x, std::int32_t y) const { return canvas.Surface().Get(x, y); }
    // Exactly the pixels inside [left, right) x [top, bottom) are drawn.
    void ExpectDrawnExactly(int left, int top, int right, int bottom) const {
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                ASSERT_EQ(At(x, y) != Background, x >= left && x < right && y >= top && y < bottom)
                    << x << ", " << y;
    }
    int Drawn() const {
        int n = 0;
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                n += At(x, y) != Background;
        return n;
    }
    // Pixels of one colour after a frame at the given quality.
    int Count(std::uint32_t quality, PixelValue colour) {
        device->SetQuality(quality);
        Frame();
        int n = 0;
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                n += At(x, y) == colour;
        return n;
    }

    Canvas canvas;
    Engine engine;
    std::shared_ptr<rm::Frame> root, camera, meshFrame;
    std::shared_ptr<MeshBuilder> mesh;
    std::shared_ptr<Light> ambient;
    std::shared_ptr<Device> device;
    std::shared_ptr<Viewport> viewport;
};

// Seen from the camera (x right, y up), corners running clockwise.
const Vec3f Left{-1, -1, 4}, Top{0, 1, 4}, Right{1, -1, 4};

TEST_F(Stage, ClockwiseFacesAreDrawnInTheirColourAndTheOthersNot) {
    AddTriangle(Left, Top, Right);
    Frame();
    EXPECT_EQ(At(50, 50), 0xFF8040u);  // (1, 0.5, 0.25) under white light, rounded
    EXPECT_EQ(At(2, 2), Background);
    mesh->SetVertex(1, Right.x, Right.y, Right.z);  // now Left, Right, Top: the other way round
    mesh->SetVertex(2, Top.x, Top.y, Top.z);
    Frame();
    EXPECT_EQ(Drawn(), 0);
}

// A face crossing the front plane is cut, not dropped; one beyond the back plane is not drawn.
TEST_F(Stage, FacesAreClippedByTheFrontAndBackPlanes) {
    // The top corner lies behind the camera; the part in front still shows.
    AddTriangle({-1, -1, 3}, {0, 3, -2}, {1, -1, 3});
    Frame();
    EXPECT_NE(At(50, 70), Background);
    EXPECT_GT(Drawn(), 100);
    for (std::int32_t v = 0; v < 3; ++v) {
        const Vec3f p[] = {{-60, -60, 120}, {0, 60, 120}, {60, -60, 120}};
        mesh->SetVertex(v, p[v].x, p[v].y, p[v].z);
    }
    Frame();
    EXPECT_EQ(Drawn(), 0);
}

TEST_F(Stage, NearerFaceHidesFartherOne) {
    AddTriangle({-2, -2, 8}, {0, 2, 8}, {2, -2, 8}, {0, 0, 1});
    AddTriangle(Left, Top, Right, {1, 0, 0});
    AddTriangle({-2, -2, 6}, {0, 2, 6}, {2, -2, 6}, {0, 1, 0});
    Frame();
    EXPECT_EQ(At(50, 50), 0xFF0000u);
}

// What a frame keeps from the last one (triangles, shading) follows every change in between.
TEST_F(Stage, ChangesBetweenFramesShowInTheNext) {
    AddTriangle(Left, Top, Right);
    Frame();
    AddTriangle({1.2f, -1, 4}, {1.5f, 1, 4}, {1.8f, -1, 4}, {0, 1, 0});
    Frame();
    EXPECT_EQ(At(50, 50), 0xFF8040u);
    EXPECT_EQ(At(87, 60), 0x00FF00u);
    Face face(mesh, 0);
    face.SetColorRGB(0, 0, 1);
    Frame();
    EXPECT_EQ(At(50, 50), 0x0000FFu);
    for (std::int32_t v = 0; v < mesh->VertexCount(); ++v) {
        const Vec3f p = mesh->Positions()[static_cast<std::size_t>(v)];
        mesh->SetVertex(v, p.x + 5, p.y, p.z);
    }
    Frame();
    EXPECT_EQ(Drawn(), 0);  // now wholly off to the right
}

// A builder built face by face numbers each corner's normal as the corner, and the renderer then
// finds a fan triangle's normals without its corner table; a builder filled in one call does read
// that table. The same quad, with a normal of its own at each corner, lit from the camera's side,
// gives the same picture either way, before and after one corner's normal turns.
TEST_F(Stage, NumberedCornerNormalsShadeAsTheCornerTableSays) {
    std::shared_ptr<Light> sun;
    engine.CreateLightRGB(LightType::Directional, 1, 1, 1, sun);
    camera->AddLight(sun);
    ambient->SetColorRGB(0.1, 0.1, 0.1);
    const Vec3f corners[] = {{-1, -1, 4}, {-1, 1, 4}, {1, 1, 4}, {1, -1, 4}};
    const Vec3f normals[] = {{0, 0, -1}, {0.6f, 0, -0.8f}, {0, 0.6f, -0.8f}, {-0.6f, 0, -0.8f}};
    const auto pictures = [&](bool faceByFace) {
        mesh->Clear();
        if (faceByFace) {
            Face face;
            mesh->CreateFace(face);
            for (int k = 0; k < 4; ++k) {
                const std::int32_t v = mesh->AddVertex(corners[k].x, corners[k].y, corners[k].z);
                face.AddVertexAndNormalIndexed(
                    v, mesh->AddNormal(normals[k].x, normals[k].y, normals[k].z));
            }
            face.SetColorRGB(1, 1, 1);
            mesh->AddFace(face);
        } else {
            const std::uint32_t faceData[] = {4, 0, 1, 2, 3, 0};
            mesh->AddFaces(4, corners, 4, normals, faceData);
        }
        EXPECT_EQ(mesh->CornerNormalsNumbered(), faceByFace);
        std::vector<PixelValue> shown;
        for (int turn = 0; turn < 2; ++turn) {
            if (turn == 1) mesh->SetNormal(2, 0.8f, 0, -0.6f);
            Frame();
            for (std::int32_t y = 0; y < Side; ++y)
                for (std::int32_t x = 0; x < Side; ++x)
                    shown.push_back(At(x, y));
        }
        return shown;
    };
    const std::vector<PixelValue> numbered = pictures(true);
    const std::vector<PixelValue> table = pictures(false);
    EXPECT_EQ(numbered, table);
    // The corners' light differs across the quad, and the turned normal changed the picture.
    const auto half = numbered.begin() + Side * Side;
    EXPECT_NE(At(30, 50), At(70, 50));
    EXPECT_FALSE(std::equal(numbered.begin(), half, half));
}

TEST_F(Stage, MeshesAreDrawnUnderTheirFramesAndTheCamera) {
    AddTriangle(Left, Top, Right);
    meshFrame->AddTranslation(Combine::Replace, 1.5, 0, 0);
    Frame();
    EXPECT_EQ(At(50, 50), Background);
    EXPECT_NE(At(88, 58), Background);
    // Moving the camera the same way brings the face back to the middle.
    camera->AddTranslation(Combine::Replace, 1.5, 0, 0);
    Frame();
    EXPECT_NE(At(50, 50), Background);
}

TEST_F(Stage, NothingIsDrawnOutsideTheViewport) {
    std::shared_ptr<Viewport> small;
    ASSERT_TRUE(Succeeded(engine.CreateViewport(device, camera, 20, 30, 40, 20, small)));
    viewport = small;
    AddTriangle({-9, -9, 2}, {0, 9, 2}, {9, -9, 2});
    Frame();
    ExpectDrawnExactly(20, 30, 60, 50);
}

TEST_F(Stage, WireframeOutlinesFacesInTheirColoursUnlit) {
    root->DeleteLight(ambient.get());
    device->SetQuality(QualityWireframe);
    AddTriangle(Left, Top, Right, {0, 1, 0});
    Frame();
    EXPECT_EQ(At(50, 50), Background);  // not filled
    EXPECT_EQ(At(40, 75), 0x00FF00u);   // the bottom edge, at y = -1 / 4
    EXPECT_GT(Drawn(), 100);
}

TEST_F(Stage, MeshesTakenOutOfTheSceneLeaveTheCache) {
    AddTriangle(Left, Top, Right);
    Frame();
    EXPECT_EQ(device->GetRenderer().Triangles().Size(), 1u);
    meshFrame->DeleteVisual(mesh.get());
    Frame();
    EXPECT_EQ(device->GetRenderer().Triangles().Size(), 0u);
    EXPECT_EQ(Drawn(), 0);
}

TEST_F(Stage, PolygonsAreDrawnAsFansFromTheirFirstCorner) {
    // A square as one face of four corners.
    for (const Vec3f p : {Vec3f{-1, 1, 4}, Vec3f{1, 1, 4}, Vec3f{1, -1, 4}, Vec3f{-1, -1, 4}})
        mesh->AddVertex(p.x, p.y, p.z);
    Face face;
    mesh->CreateFace(face);
    for (int k = 0; k < 4; ++k)
        face.AddVertexAndNormalIndexed(k, mesh->AddNormal(0, 0, -1));
    mesh->AddFace(face);
    Frame();
    ExpectDrawnExactly(25, 25, 75, 75);  // the square spans pixels 25..74 both ways
}

// Positions near the float maximum or not finite at all draw without undefined behaviour: a face
// that covers the view fills it, and a face that cannot be placed draws nothing while the others
// draw as usual.
constexpr float Max = std::numeric_limits<float>::max();
constexpr PixelValue Orange = 0xFF8040;  // (1, 0.5, 0.25) under white light

TEST_F(Stage, RegressionAFaceReachingTheFloatMaximumFillsTheView) {
    // Its corners' differences overflow floats; the float clipper used to make NaN of them.
    AddTriangle({-Max, -Max, 4}, {0, Max, 4}, {Max, -Max, 4});
    EXPECT_EQ(Count(QualityGouraud, Orange), Side * Side);
    // Its outline runs far outside the view.
    EXPECT_EQ(Count(QualityWireframe, Background), Side * Side);
}

TEST_F(Stage, RegressionAFaceFromFarBehindTheCameraIsCutAtTheFrontPlane) {
    // In the plane z = y + 4 (up to the rounding of its far corners), tilted through the
    // camera's plane: two corners lie far behind the camera, and the part ahead covers the view.
    AddTriangle({-Max, -Max, -Max}, {0, 40, 44}, {Max, -Max, -Max});
    EXPECT_EQ(Count(QualityGouraud, Orange), Side * Side);
}

TEST_F(Stage, AFaceWithACornerThatIsNotFiniteDrawsNothingAndTheOthersDraw) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    AddTriangle(Left, Top, Right);
    const int alone = Count(QualityGouraud, Orange);
    ASSERT_GT(alone, 0);
    AddTriangle({-1, -1, 3}, {0, nan, 3}, {1, -1, 3});
    AddTriangle({-inf, -1, 3}, {0, 1, 3}, {1, -1, 3});
    EXPECT_EQ(Count(QualityGouraud, Orange), alone);
    EXPECT_GT(Count(QualityWireframe, Orange), 0);
}

}  // namespace
}  // namespace kvx::rm
