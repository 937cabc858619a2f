#include <gtest/gtest.h>

#include "perspective/Lights.h"

namespace kvx {
namespace {

class LightsTest : public ::testing::Test {
  protected:
    LightsTest() { root.Create(); }
    // Lights hanging under the root frame, over all its child frames.
    int LightsInScene() {
        int n = 0;
        for (const auto& f : root.root.frame->Children())
            n += static_cast<int>(f->Lights().size());
        return n;
    }
    rm::SceneRoot root;
};

TEST_F(LightsTest, EachLightHangsOnItsOwnFrameUnderTheRoot) {
    AmbientLight ambient;
    DirectionalLight directional;
    PointLight point;
    EXPECT_EQ(ambient.Create(root, 0.5f, 0.5f, 0.5f), 1);
    EXPECT_EQ(directional.Create(root, 1, 1, 1), 1);
    EXPECT_EQ(point.Create(root, 255, 255, 255), 1);
    EXPECT_EQ(LightsInScene(), 3);
    EXPECT_EQ(ambient.light->Type(), rm::LightType::Ambient);
    EXPECT_EQ(directional.light->Type(), rm::LightType::Directional);
    EXPECT_EQ(point.light->ConstantAttenuation(), 0.0f);
    EXPECT_EQ(point.light->QuadraticAttenuation(), 1.0f);
    EXPECT_EQ(ambient.marker.builder->FaceCount(), 0);
    EXPECT_EQ(directional.marker.builder->FaceCount(), 5);
    EXPECT_EQ(point.marker.builder->FaceCount(), 6);
    // The colour fields keep only what SetColor gave.
    EXPECT_EQ(point.red, 0.0);
}

TEST_F(LightsTest, ColoursAreSentUnscaled) {
    PointLight point;
    point.Create(root, 255, 255, 255);
    point.SetColor(0, 0, 0);
    point.SetColor(128, 128, 128);
    EXPECT_EQ(point.light->Color(), (rm::Vec3f{128, 128, 128}));
    EXPECT_EQ(point.green, 128.0);
    DirectionalLight d;
    d.Create(root, 1, 1, 1);
    d.SetColor(255 / 256.0, 0, 0);
    EXPECT_EQ(d.light->Color().x, 0.99609375f);
}

TEST_F(LightsTest, CreatingAgainReplacesTheLightInsteadOfAddingOne) {
    PointLight point;
    point.Create(root, 255, 255, 255);
    point.SetPosition(0, 1, 0);
    point.SetAttenuation(2, 3, 4);
    EXPECT_EQ(point.light->LinearAttenuation(), 3.0f);
    point.Create(root, 255, 255, 255);
    EXPECT_EQ(LightsInScene(), 1);
    EXPECT_EQ(point.quadratic, 1.0);
    AmbientLight ambient;
    ambient.Create(root, 0.5f, 0.5f, 0.5f);
    ambient.Reset();
    EXPECT_EQ(ambient.light, nullptr);
    EXPECT_EQ(LightsInScene(), 1);  // a reset light no longer lights anything
    ambient.Create(root, 0.5f, 0.5f, 0.5f);
    EXPECT_EQ(LightsInScene(), 2);
}

TEST_F(LightsTest, LightsNeverCreatedIgnoreEverything) {
    DirectionalLight d;
    PointLight p;
    d.Rotate(45, 0, 0);
    d.Move(0, 1, -5);
    p.SetPosition(1, 2, 3);
    p.ShowMarker();
    p.SetAttenuation(1, 1, 1);
    EXPECT_EQ(p.SetColor(1, 2, 3), 1);
    EXPECT_EQ(LightsInScene(), 0);
}

}  // namespace
}  // namespace kvx
