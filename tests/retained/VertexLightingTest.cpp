// Vertex lighting: the light reaching a point, the lights gathered from the frame tree, and the
// per-vertex reuse of lit corners.

#include "retained/VertexLighting.h"

#include <gtest/gtest.h>

#include "retained/Engine.h"

namespace kvx::rm {
namespace {

void ExpectNear(Vec3f a, Vec3f b) {
    EXPECT_NEAR(a.x, b.x, 1e-5f);
    EXPECT_NEAR(a.y, b.y, 1e-5f);
    EXPECT_NEAR(a.z, b.z, 1e-5f);
}

TEST(LightAt, AmbientAloneLightsEveryDirectionAndEachChannelStopsAtOne) {
    SceneLights lights;
    lights.ambient = {0.2f, 0.3f, 0.4f};
    ExpectNear(LightAt(lights, {1, 2, 3}, {0, 1, 0}), {0.2f, 0.3f, 0.4f});
    ExpectNear(LightAt(lights, {1, 2, 3}, {0, -1, 0}), {0.2f, 0.3f, 0.4f});
    // Each channel stops at one.
    lights.ambient = {0.5f, 0.1f, 0.0f};
    lights.points.push_back({{0, 1, 0}, {255, 0.2f, 0}, 0, 0, 1});
    ExpectNear(LightAt(lights, {0, 0, 0}, {0, 1, 0}), {1.0f, 0.3f, 0.0f});
}

TEST(LightAt, DirectionalLightFallsWithTheAngleAndNotOnTheBack) {
    SceneLights lights;
    lights.directional.push_back({{0, -1, 0}, {0.5f, 0.5f, 0.5f}});  // shining straight down
    ExpectNear(LightAt(lights, {}, {0, 1, 0}), {0.5f, 0.5f, 0.5f});
    ExpectNear(LightAt(lights, {}, {0, 0.6f, 0.8f}), {0.3f, 0.3f, 0.3f});
    ExpectNear(LightAt(lights, {}, {0, -1, 0}), {0, 0, 0});
}

TEST(LightAt, PointLightIsDimmedByItsAttenuation) {
    SceneLights lights;
    lights.points.push_back({{0, 2, 0}, {1, 1, 1}, 0.0f, 0.0f, 1.0f});  // quadratic: 1 / d^2
    ExpectNear(LightAt(lights, {0, 0, 0}, {0, 1, 0}), {0.25f, 0.25f, 0.25f});
    lights.points[0] = {{0, 2, 0}, {1, 1, 1}, 1.0f, 0.5f, 0.0f};  // 1 / (1 + d / 2)
    ExpectNear(LightAt(lights, {0, 0, 0}, {0, 1, 0}), {0.5f, 0.5f, 0.5f});
    // Behind the surface: nothing.
    ExpectNear(LightAt(lights, {0, 0, 0}, {0, -1, 0}), {0, 0, 0});
    // A divisor that is not positive counts as one.
    lights.points[0] = {{0, 3, 0}, {0.4f, 0.4f, 0.4f}, 0.0f, 0.0f, 0.0f};
    ExpectNear(LightAt(lights, {0, 0, 0}, {0, 1, 0}), {0.4f, 0.4f, 0.4f});
    lights.points[0].constant = -5.0f;
    ExpectNear(LightAt(lights, {0, 0, 0}, {0, 1, 0}), {0.4f, 0.4f, 0.4f});
}

TEST(CollectLights, LightsArePlacedByTheirFrames) {
    Engine engine;
    std::shared_ptr<Frame> root, parent, dirFrame, pointFrame;
    engine.CreateFrame(nullptr, root);
    engine.CreateFrame(root.get(), parent);
    engine.CreateFrame(root.get(), dirFrame);
    engine.CreateFrame(parent.get(), pointFrame);
    parent->AddTranslation(Combine::Replace, 1, 2, 3);
    pointFrame->AddTranslation(Combine::Replace, 0, 1, 0);
    dirFrame->AddRotation(Combine::Replace, 1, 0, 0, 0.7853981633974483);  // 45 degrees about x
    std::shared_ptr<Light> ambient, directional, point;
    engine.CreateLightRGB(LightType::Ambient, 0.25, 0.25, 0.25, ambient);
    engine.CreateLightRGB(LightType::Directional, 1, 1, 1, directional);
    engine.CreateLightRGB(LightType::Point, 2, 2, 2, point);
    root->AddLight(ambient);
    parent->AddLight(ambient);  // two ambient lights add up
    dirFrame->AddLight(directional);
    pointFrame->AddLight(point);

    const SceneLights lights = CollectLights(*root);
    ExpectNear(lights.ambient, {0.5f, 0.5f, 0.5f});
    ASSERT_EQ(lights.directional.size(), 1u);
    ExpectNear(lights.directional[0].direction, {0, -0.70710678f, 0.70710678f});
    ASSERT_EQ(lights.points.size(), 1u);
    ExpectNear(lights.points[0].position, {1, 3, 3});
    ExpectNear(lights.points[0].color, {2, 2, 2});
}

TEST(CornerLighting, CornersOfOneVertexWithOtherNormalsAreLitApart) {
    MeshBuilder mesh;
    mesh.AddVertex(0, 0, 0);
    SceneLights lights;
    lights.directional.push_back({{0, -1, 0}, {1, 1, 1}});
    CornerLighting lighting;
    lighting.Begin(mesh, Matrix4::Identity(), &lights);
    ExpectNear(lighting.At(0, {0, 1, 0}), {1, 1, 1});
    ExpectNear(lighting.At(0, {1, 0, 0}), {0, 0, 0});
    ExpectNear(lighting.At(0, {0, 1, 0}), {1, 1, 1});
}

TEST(CornerLighting, ANewInstanceIsLitAfresh) {
    MeshBuilder mesh;
    mesh.AddVertex(0, 0, 0);
    SceneLights lights;
    lights.points.push_back({{0, 0, 0}, {1, 1, 1}, 0, 0, 1});
    CornerLighting lighting;
    lighting.Begin(mesh, Matrix4::Translation(0, -1, 0), &lights);
    ExpectNear(lighting.At(0, {0, 1, 0}), {1, 1, 1});
    // The same vertex and normal under another transform: the earlier result must not be reused.
    lighting.Begin(mesh, Matrix4::Translation(0, -2, 0), &lights);
    ExpectNear(lighting.At(0, {0, 1, 0}), {0.25f, 0.25f, 0.25f});
    // Normals turn with the instance: turned upside down, the vertex faces away from the light.
    lighting.Begin(mesh,
                   Matrix4::Rotation(1, 0, 0, 3.14159265358979) * Matrix4::Translation(0, -1, 0),
                   &lights);
    ExpectNear(lighting.At(0, {0, 1, 0}), {0, 0, 0});
}

// Whether lit corners are kept for reuse changes nothing in the light they get.
TEST(CornerLighting, KeepingResultsOrNotGivesTheSameLight) {
    MeshBuilder mesh;
    for (int i = 0; i < 4; ++i)
        mesh.AddVertex(i, 0.5 * i, -i);
    SceneLights lights;
    lights.ambient = {0.1f, 0.1f, 0.1f};
    lights.directional.push_back({{0, -0.6f, 0.8f}, {0.5f, 0.6f, 0.7f}});
    lights.points.push_back({{1, 3, -1}, {4, 4, 4}, 0.5f, 0.1f, 0.3f});
    const Vec3f normals[] = {{0, 1, 0}, {0.6f, 0.8f, 0}, {0, 1, 0}, {0, 0, -1}};
    CornerLighting kept, fresh;
    kept.Begin(mesh, Matrix4::Translation(0, 1, 0), &lights);
    fresh.Begin(mesh, Matrix4::Translation(0, 1, 0), &lights);
    fresh.KeepResults(false);
    for (int round = 0; round < 2; ++round)
        for (std::int32_t v = 0; v < 4; ++v)
            for (const Vec3f n : normals)
                EXPECT_EQ(kept.At(v, n), fresh.At(v, n)) << v;
}

TEST(CornerLighting, WithoutLightsCornersKeepTheirColours) {
    MeshBuilder mesh;
    mesh.AddVertex(0, 0, 0);
    CornerLighting lighting;
    lighting.Begin(mesh, Matrix4::Identity(), nullptr);
    ExpectNear(lighting.At(0, {0, 1, 0}), {1, 1, 1});
}

}  // namespace
}  // namespace kvx::rm
