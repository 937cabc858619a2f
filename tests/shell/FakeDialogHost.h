#pragma once
// Dialogs without a screen: a modal dialog gets WM_INITDIALOG and then the scripted messages
// until its procedure ends it; a modeless one gets WM_INITDIALOG through the queue. Texts and
// presented regions are kept per dialog.

#include <map>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/MessageQueue.h"
#include "platform/WindowConstants.h"

namespace kvx::test {

class FakeDialogHost : public platform::DialogHost {
  public:
    explicit FakeDialogHost(platform::MessageQueue& queue) : queue_(queue) {}

    void RunModal(const platform::DialogTemplate& t, platform::DialogProcedure procedure) override {
        const platform::WindowHandle h = ++next_;
        shown.push_back(t.title);
        templates.push_back(t);
        if (procedure({h, platform::WM_INITDIALOG, 0, 0})) return;
        for (const auto& [id, text] : typed)
            texts[{h, id}] = text;
        for (platform::Message m : script) {
            m.window = h;
            if (procedure(m)) break;
        }
    }
    platform::WindowHandle OpenModeless(const platform::DialogTemplate& t) override {
        const platform::WindowHandle h = ++next_;
        shown.push_back(t.title);
        templates.push_back(t);
        open.push_back(h);
        queue_.Post(h, platform::WM_INITDIALOG, 0, 0);
        return h;
    }
    void CloseModeless(platform::WindowHandle dialog) override { std::erase(open, dialog); }
    void SetItemText(platform::WindowHandle dialog, std::uint32_t id,
                     const std::string& text) override {
        texts[{dialog, id}] = text;
    }
    std::string GetItemText(platform::WindowHandle dialog, std::uint32_t id,
                            std::size_t maxChars) override {
        return texts[{dialog, id}].substr(0, maxChars);
    }
    void PresentDialogRegions(platform::WindowHandle, const PixelBuffer&,
                              const std::vector<PixelRect>& regions) override {
        presentedRegions = regions.size();
    }

    std::vector<platform::Message> script;       // what the user does in the next modal dialogs
    std::map<std::uint32_t, std::string> typed;  // and what is typed in their boxes first
    std::vector<std::string> shown;              // titles of the dialogs opened, in order
    std::vector<platform::DialogTemplate> templates;  // and the dialogs as they were shown
    std::vector<platform::WindowHandle> open;
    std::map<std::pair<platform::WindowHandle, std::uint32_t>, std::string> texts;
    std::size_t presentedRegions = 0;

  private:
    platform::MessageQueue& queue_;
    platform::WindowHandle next_ = 0x10000;
};

}  // namespace kvx::test
