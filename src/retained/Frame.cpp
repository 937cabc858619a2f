#include "retained/Frame.h"

#include <algorithm>

namespace kvx::rm {
namespace {

template <typename T>
Result EraseOne(std::vector<std::shared_ptr<T>>& list, const T* item) {
    const auto it =
        std::find_if(list.begin(), list.end(), [item](const auto& p) { return p.get() == item; });
    if (it == list.end()) return ErrNotFound;
    list.erase(it);
    return Ok;
}

}  // namespace

Frame::~Frame() {
    // Children that outlive this frame (held elsewhere) become roots of their own.
    for (const auto& child : children_)
        child->parent_ = nullptr;
}

Result Frame::AddChild(const std::shared_ptr<Frame>& child) {
    if (!child || child.get() == this) return ErrBadValue;
    for (const Frame* f = this; f; f = f->parent_)
        if (f == child.get()) return ErrBadValue;  // would make a cycle
    const std::shared_ptr<Frame> keep = child;
    keep->Detach();
    keep->parent_ = this;
    children_.push_back(keep);
    return Ok;
}

void Frame::Detach() {
    if (!parent_) return;
    Frame* parent = parent_;
    parent_ = nullptr;
    EraseOne(parent->children_, static_cast<const Frame*>(this));
}

Result Frame::AddVisual(const std::shared_ptr<MeshBuilder>& visual) {
    if (!visual) return ErrBadValue;
    visuals_.push_back(visual);
    return Ok;
}

Result Frame::DeleteVisual(const MeshBuilder* visual) {
    return EraseOne(visuals_, visual);
}

Result Frame::AddLight(const std::shared_ptr<Light>& light) {
    if (!light) return ErrBadValue;
    lights_.push_back(light);
    return Ok;
}

Result Frame::DeleteLight(const Light* light) {
    return EraseOne(lights_, light);
}

void Frame::Combined(Combine combine, const Matrix4& t) {
    switch (combine) {
        case Combine::Replace:
            transform_ = t;
            break;
        case Combine::Before:
            transform_ = t * transform_;
            break;
        case Combine::After:
            transform_ = transform_ * t;
            break;
    }
}

Result Frame::AddRotation(Combine combine, double x, double y, double z, double theta) {
    if (combine != Combine::Replace && combine != Combine::Before && combine != Combine::After)
        return ErrBadValue;
    Combined(combine, Matrix4::Rotation(x, y, z, theta));
    return Ok;
}

Result Frame::AddScale(Combine combine, double sx, double sy, double sz) {
    if (combine != Combine::Replace && combine != Combine::Before && combine != Combine::After)
        return ErrBadValue;
    if (!(sx > 0) || !(sy > 0) || !(sz > 0)) return ErrBadValue;
    Matrix4 t = Matrix4::Identity();
    t.m[0][0] = sx;
    t.m[1][1] = sy;
    t.m[2][2] = sz;
    Combined(combine, t);
    return Ok;
}

Result Frame::AddTranslation(Combine combine, double x, double y, double z) {
    if (combine != Combine::Replace && combine != Combine::Before && combine != Combine::After)
        return ErrBadValue;
    // Translations keep the float precision positions are stored in.
    Combined(combine, Matrix4::Translation(static_cast<float>(x), static_cast<float>(y),
                                           static_cast<float>(z)));
    return Ok;
}

Matrix4 Frame::WorldTransform() const {
    Matrix4 m = transform_;
    for (const Frame* f = parent_; f; f = f->parent_)
        m = m * f->transform_;
    return m;
}

}  // namespace kvx::rm
