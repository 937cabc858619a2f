#include "shell/MenuBar.h"

#include "resources/Menus.h"

namespace kvx {

bool MenuBar::Load(const char* name, AppInfo& app) {
    resourceName = name;
    application = &app;
    menu = resources::LoadMenuResource(name);
    return menu != nullptr;
}

}  // namespace kvx
