#include "shell/MenuBar.h"

#include "shell/MenuResources.h"

namespace kvx {

bool MenuBar::Load(const char* name, AppInfo& app, Language language) {
    resourceName = name;
    application = &app;
    menu = LoadMenuResource(name, language);
    return menu != nullptr;
}

}  // namespace kvx
