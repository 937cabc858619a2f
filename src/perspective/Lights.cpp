#include "perspective/Lights.h"

namespace kvx {

Light::~Light() {
    Light::Reset();
    marker.Reset();
    frame.Release();
}

void Light::DropLight() {
    // A released light stops lighting the scene; its frame stays for the next Create.
    if (light && frame.frame) frame.frame->DeleteLight(light.get());
    light.reset();
}

void Light::Reset() {
    DropLight();
    red = green = blue = 0;
    markerShown = 0;
}

void Light::SetPosition(double x, double y, double z) {
    frame.SetPositionReplace(x, y, z);
}

void Light::Rotate(std::int32_t ax, std::int32_t ay, std::int32_t az) {
    frame.RotateDegrees(ax, ay, az);
}

void Light::Move(double x, double y, double z) {
    frame.MoveBy(x, y, z);
}

int Light::SetColor(double r, double g, double b) {
    red = r;
    green = g;
    blue = b;
    if (light)
        light->SetColorRGB(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
    return 1;
}

void Light::ShowMarker() {
    if (markerShown != 0) return;
    markerShown = 1;
    frame.AddVisualMesh(marker);
}

void Light::HideMarker() {
    if (markerShown != 1) return;
    markerShown = 0;
    frame.DeleteVisualMesh(marker);
}

int Light::CreateLight(rm::SceneRoot& root, rm::LightType type, float r, float g, float b,
                       void (*shape)(rm::MeshNode&)) {
    scene = &root;
    marker.Create(root);
    if (!root.rm || !rm::Succeeded(root.rm->CreateLightRGB(type, r, g, b, light))) return 0;
    if (shape) shape(marker);
    if (!frame.CreateChildOf(*root.rm, root.root)) return 0;
    return rm::Succeeded(frame.frame->AddLight(light)) ? 1 : 0;
}

int AmbientLight::Create(rm::SceneRoot& root, float r, float g, float b) {
    return CreateLight(root, rm::LightType::Ambient, r, g, b, nullptr);
}

int DirectionalLight::Create(rm::SceneRoot& root, float r, float g, float b) {
    return CreateLight(root, rm::LightType::Directional, r, g, b,
                       [](rm::MeshNode& m) { m.AddPyramidMarker(0.5, 0, 0, 0); });
}

void PointLight::Reset() {
    DropLight();
    linear = 0.0;
    constant = 0.0;
    quadratic = 1.0;
    markerShown = 0;
}

int PointLight::Create(rm::SceneRoot& root, float r, float g, float b) {
    linear = 0.0;
    constant = 0.0;
    quadratic = 1.0;
    scene = &root;
    marker.Create(root);
    if (!root.rm || !rm::Succeeded(root.rm->CreateLightRGB(rm::LightType::Point, r, g, b, light)))
        return 0;
    light->SetConstantAttenuation(0.0);
    light->SetLinearAttenuation(0.0);
    light->SetQuadraticAttenuation(1.0);
    marker.AddCubeMarker(0.5, 0, 0, 0);
    if (!frame.CreateChildOf(*root.rm, root.root)) return 0;
    return rm::Succeeded(frame.frame->AddLight(light)) ? 1 : 0;
}

void PointLight::SetAttenuation(double constantFactor, double linearFactor,
                                double quadraticFactor) {
    constant = constantFactor;
    linear = linearFactor;
    quadratic = quadraticFactor;
    if (!light) return;
    light->SetLinearAttenuation(static_cast<float>(linear));
    light->SetConstantAttenuation(static_cast<float>(constant));
    light->SetQuadraticAttenuation(static_cast<float>(quadratic));
}

}  // namespace kvx
