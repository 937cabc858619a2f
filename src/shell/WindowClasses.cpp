#include "shell/WindowClasses.h"

namespace kvx {

bool WindowClassRecord::Register(platform::WindowSystem& windows,
                                 const platform::WindowClassInfo& info) {
    Unregister();
    info_ = info;
    if (!windows.RegisterClass(info)) return false;
    windows_ = &windows;
    return true;
}

void WindowClassRecord::Unregister() {
    if (windows_ == nullptr) return;
    windows_->UnregisterClass(info_.name);
    windows_ = nullptr;
}

}  // namespace kvx
