#pragma once
// A light of the engine: ambient, directional (shining along its frame's +z) or point (at its
// frame's origin, dimmed by constant + linear d + quadratic d^2).

#include <cstdint>

#include "retained/Math.h"
#include "retained/Result.h"

namespace kvx::rm {

class Light {
  public:
    Light(LightType type, double r, double g, double b) : type_(type), color_(Narrow({r, g, b})) {}

    LightType Type() const { return type_; }
    Result SetColorRGB(double r, double g, double b) {
        color_ = Narrow({r, g, b});
        return Ok;
    }
    Vec3f Color() const { return color_; }
    Result SetConstantAttenuation(double v) {
        constant_ = static_cast<float>(v);
        return Ok;
    }
    Result SetLinearAttenuation(double v) {
        linear_ = static_cast<float>(v);
        return Ok;
    }
    Result SetQuadraticAttenuation(double v) {
        quadratic_ = static_cast<float>(v);
        return Ok;
    }
    float ConstantAttenuation() const { return constant_; }
    float LinearAttenuation() const { return linear_; }
    float QuadraticAttenuation() const { return quadratic_; }

  private:
    LightType type_;
    Vec3f color_;
    float constant_ = 1.0f;
    float linear_ = 0.0f;
    float quadratic_ = 0.0f;
};

}  // namespace kvx::rm
