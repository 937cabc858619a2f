#pragma once
// What the editor keeps between runs (the recent files), by key. The toolkit's settings keep it
// on the desktop (qt/QtSettings.h); MemorySettings keeps it for one run only.

#include <map>
#include <string>
#include <vector>

namespace kvx::platform {

class Settings {
  public:
    virtual ~Settings() = default;
    virtual std::vector<std::string> StringList(const std::string& key) = 0;
    virtual void SetStringList(const std::string& key, const std::vector<std::string>& list) = 0;
};

class MemorySettings : public Settings {
  public:
    std::vector<std::string> StringList(const std::string& key) override { return lists_[key]; }
    void SetStringList(const std::string& key, const std::vector<std::string>& list) override {
        lists_[key] = list;
    }

  private:
    std::map<std::string, std::vector<std::string>> lists_;
};

}  // namespace kvx::platform
