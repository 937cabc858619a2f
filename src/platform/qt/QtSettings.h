#pragma once
// The editor's settings in the toolkit's settings file of the user (on Linux
// $XDG_CONFIG_HOME/Kolvex/Kolvex.conf, else ~/.config/Kolvex/Kolvex.conf).

#include "platform/Settings.h"

namespace kvx::qt {

class QtSettings : public platform::Settings {
  public:
    std::vector<std::string> StringList(const std::string& key) override;
    void SetStringList(const std::string& key, const std::vector<std::string>& list) override;
};

}  // namespace kvx::qt
