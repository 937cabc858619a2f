#include "perspective/OrbitCamera.h"

#include <algorithm>
#include <cmath>

#include "perspective/PerspectiveRig.h"
#include "retained/Frame.h"
#include "retained/ViewMapping.h"

namespace kvx {
namespace {

constexpr double Radians = 3.14159265358979323846 / 180.0;
constexpr double NearestDistance = 1e-6, FarthestDistance = 1e12;

double Clamp(double d) {
    return std::clamp(d, NearestDistance, FarthestDistance);
}

}  // namespace

OrbitCamera OrbitCamera::Start() {
    OrbitCamera c;
    c.pitch = CameraTurn[0];
    c.yaw = CameraTurn[1];
    const rm::Vec3 position{CameraMove[0], CameraMove[1], CameraMove[2]};
    const rm::Vec3 f = c.Forward();
    c.distance = -Dot(position, f);
    c.target = position + f * c.distance;
    return c;
}

rm::Vec3 OrbitCamera::Forward() const {
    const double p = pitch * Radians, y = yaw * Radians;
    return {std::cos(p) * std::sin(y), -std::sin(p), std::cos(p) * std::cos(y)};
}

void OrbitCamera::Drag(double dx, double dy, bool slide) {
    if (!slide) {
        yaw += dx / 2;
        pitch = std::clamp(pitch + dy / 2, -89.0, 89.0);
        return;
    }
    const double p = pitch * Radians, y = yaw * Radians;
    const rm::Vec3 right{std::cos(y), 0, -std::sin(y)};
    const rm::Vec3 up{std::sin(p) * std::sin(y), std::cos(p), std::sin(p) * std::cos(y)};
    // World units a pixel at the target's distance (250 pixels span a slope of 1).
    const double unit = distance * 2 * rm::Field / 250;
    target = target - right * (dx * unit) + up * (dy * unit);
}

void OrbitCamera::Zoom(int steps) {
    distance = Clamp(distance * std::pow(0.8, steps));
}

void OrbitCamera::Frame(rm::Vec3 centre, double radius) {
    const OrbitCamera start = Start();
    pitch = start.pitch;
    yaw = start.yaw;
    target = centre;
    // The sphere fills the narrower half-angle atan(Field) with a twentieth to spare.
    const double fit = radius * std::sqrt(1 + rm::Field * rm::Field) / rm::Field * 1.05;
    distance = radius > 0 ? Clamp(fit) : start.distance;
}

void OrbitCamera::Apply(rm::FrameNode& camera) const {
    if (!camera.frame) return;
    rm::Frame& f = *camera.frame;
    // At the start's distance the camera frame has its own scale.
    static const double unitDistance = Start().distance;
    const double scale = distance / unitDistance;
    f.AddScale(rm::Combine::Replace, scale, scale, scale);
    f.AddRotation(rm::Combine::After, 1, 0, 0, pitch * Radians);
    f.AddRotation(rm::Combine::After, 0, 1, 0, yaw * Radians);
    const rm::Vec3 at = Position();
    f.AddTranslation(rm::Combine::After, at.x, at.y, at.z);
}

}  // namespace kvx
