#pragma once
// The perspective camera steered with the mouse: it turns about a point it looks at, moves
// nearer or farther and slides sideways; "Cadrer tout" aims it at the whole model. It starts
// where the view puts its camera (turned (45, -45, 0), at (10, 10, -10)), and only the camera
// moves: the layers' frames, which the view's keys turn and move, stay as they are.
//
// The camera frame is scaled with the distance, so the engine's fixed near and far planes (1 and
// 100 in the camera's units) stay at a twentieth and five times the distance to the point looked
// at: a model of any size fits between them.

#include "retained/Math.h"
#include "retained/SceneNodes.h"

namespace kvx {

struct OrbitCamera {
    double pitch = 45, yaw = -45;  // degrees, turned about x then y
    rm::Vec3 target{};             // the point looked at
    double distance = 0;           // from the camera to the target

    // The camera as the view opens: the same turn and place, looking at the point of its line of
    // sight nearest to the origin.
    static OrbitCamera Start();
    rm::Vec3 Forward() const;
    rm::Vec3 Position() const { return target - Forward() * distance; }

    // A drag of (dx, dy) pixels: turns (half a degree a pixel, the pitch kept within +-89
    // degrees), or with slide, moves the target with the pointer.
    void Drag(double dx, double dy, bool slide);
    // Wheel notches: each towards the screen brings the camera a fifth nearer.
    void Zoom(int steps);
    // Looks at the sphere (centre, radius) from the start direction, the whole sphere in view.
    void Frame(rm::Vec3 centre, double radius);
    // Gives the camera frame this placement.
    void Apply(rm::FrameNode& camera) const;
};

}  // namespace kvx
