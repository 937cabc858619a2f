#pragma once
// The three lights of the perspective view. Each is an engine light on a frame of its own under
// the root frame, so its position and direction are in world coordinates; the directional and
// point lights carry a marker shape that can be shown in the picture.

#include <cstdint>
#include <memory>

#include "retained/Light.h"
#include "retained/SceneNodes.h"

namespace kvx {

class Light {
  public:
    Light() = default;
    virtual ~Light();
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    // Releases the engine light; the colour and marker flag go back to zero.
    virtual void Reset();
    virtual void SetPosition(double x, double y, double z);
    virtual void Rotate(std::int32_t ax, std::int32_t ay, std::int32_t az);
    virtual void Move(double x, double y, double z);
    // Stores the colour and sends it unscaled. Always 1.
    virtual int SetColor(double r, double g, double b);
    virtual void ShowMarker();
    virtual void HideMarker();

    std::shared_ptr<rm::Light> light;
    rm::FrameNode frame;
    rm::MeshNode marker;
    rm::SceneRoot* scene = nullptr;
    double red = 0, green = 0, blue = 0;  // the last colour given to SetColor
    std::int32_t markerShown = 0;

  protected:
    void DropLight();
    // Creates the engine light of the given type and hangs it on a new frame under the root.
    // shape adds the marker right after the light is created. 1 on success.
    int CreateLight(rm::SceneRoot& root, rm::LightType type, float r, float g, float b,
                    void (*shape)(rm::MeshNode&));
};

class AmbientLight : public Light {
  public:
    virtual int Create(rm::SceneRoot& root, float r, float g, float b);
};

class DirectionalLight : public Light {
  public:
    // Shines along its frame's +z; its marker is a pyramid pointing that way.
    virtual int Create(rm::SceneRoot& root, float r, float g, float b);
};

class PointLight : public Light {
  public:
    void Reset() override;
    // Attenuation constant 0, linear 0, quadratic 1; a cube marker.
    int Create(rm::SceneRoot& root, float r, float g, float b);
    void SetAttenuation(double constantFactor, double linearFactor, double quadraticFactor);

    double linear = 0.0;
    double constant = 0.0;
    double quadratic = 1.0;
};

}  // namespace kvx
