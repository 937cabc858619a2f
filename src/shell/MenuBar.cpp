#include "shell/MenuBar.h"

#include "shell/MenuResources.h"

namespace kvx {

bool MenuBar::Load(const char* name, AppInfo& app) {
    resourceName = name;
    application = &app;
    menu = LoadMenuResource(name);
    return menu != nullptr;
}

}  // namespace kvx
