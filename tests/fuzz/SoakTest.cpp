// The whole editor under seeded random use: mouse messages in all seven views, every key, every
// command of the menu bar and of both popups, dialogs answered through their seams, files good,
// bad and missing, undo and redo. After every step the scene's invariants must hold, the editor
// must still run, and a step just taken must undo to the scene before it and redo to the one
// after it.
//
// KOLVEX_SOAK_STEPS sets the number of steps (the short run takes 4,000, the long one 100,000,
// 2,000 without it); KOLVEX_SOAK_SEED the seed (1998 without it).
// The shell runs on the fake window system, whose popups return at once: on the offscreen
// platform a popup menu would wait for a user.

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "scene/SceneFixture.h"
#include "scene/SceneInvariants.h"
#include "shell/EditorFixture.h"
#include "shell/FakeDialogHost.h"
#include "shell/MenuResources.h"

namespace kvx::test {
namespace {

using namespace platform;

// The first line where two signatures differ, for a short report.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::istringstream x(a), y(b);
    std::string la, lb;
    for (int line = 0;; ++line) {
        const bool ha = static_cast<bool>(std::getline(x, la));
        const bool hb = static_cast<bool>(std::getline(y, lb));
        if (!ha && !hb) return "";
        if (la != lb || ha != hb)
            return "line " + std::to_string(line) + ": \"" + la + "\" instead of \"" + lb + "\"";
    }
}

long EnvOr(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v ? std::strtol(v, nullptr, 10) : fallback;
}

void CommandIds(const std::vector<MenuItem>& items, std::vector<std::uint32_t>& out) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command) out.push_back(item.id);
        if (item.kind == MenuItem::Kind::Popup) CommandIds(item.items, out);
    }
}

class SoakTest : public EditorFixture {
  protected:
    void SetUp() override {
        editor.dialogHost = &dialogs;
        editor.chooseColour = [this]() -> std::optional<RgbColour> {
            if (Chance(0.3)) return std::nullopt;
            return RgbColour{Byte(), Byte(), Byte()};
        };
        Start();
        // Small tables, so that the capacity refusals are met too and every check stays cheap.
        editor.scene->vertexCapacity = 3000;
        editor.scene->faceCapacity = 3000;
        for (const MenuItem& popup : MenuOf(CommandSource::Frame).popups)
            CommandIds(popup.items, frameCommands);
        CommandIds(MenuOf(CommandSource::FlatView).popups, viewCommands);
        CommandIds(MenuOf(CommandSource::Perspective).popups, perspectiveCommands);
        dir = ::testing::TempDir() + "kolvex_soak_" + std::to_string(::getpid()) + "_";
        std::ofstream(dir + "garbage.KVX", std::ios::binary)
            << "1MorvenixProduction 1998\x02garbage";
        std::ofstream(dir + "broken.obj") << "v 1 2 3\nv 1 2\nf 1 2 9\n";
        std::ofstream(dir + "tri.obj")
            << "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 1\nf 1 2 3\nf -1 -2 -3\n";
    }
    void TearDown() override {
        for (const char* f :
             {"garbage.KVX", "broken.obj", "tri.obj", "saved.KVX", "saved.obj", "saved.mtl"})
            std::remove((dir + f).c_str());
    }

    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Pick(256)); }
    template <typename T>
    T From(const std::vector<T>& v) {
        return v[static_cast<std::size_t>(Pick(static_cast<int>(v.size())))];
    }

    // A window of an open view, or the frame when none is open.
    WindowHandle SomeView(bool flatOnly) {
        std::vector<WindowHandle> open;
        for (ViewId v = ViewTop; v <= (flatOnly ? ViewBack : ViewPerspective); ++v)
            if (View(v).isOpen) open.push_back(ViewWindow(v).handle);
        return open.empty() ? editor.frame.handle : From(open);
    }

    // What the next file dialog is given.
    void QueueSomeFile() {
        const std::vector<std::optional<std::string>> names = {
            std::nullopt,       dir + "saved.KVX", dir + "garbage.KVX", dir + "missing.KVX",
            dir + "broken.obj", dir + "tri.obj",   dir + "saved.obj",   dir + "no/such/dir/x"};
        prompts.QueueFileName(From(names));
    }

    // Quitting is tried only where the editor asks first, and the answer keeps it open.
    bool KeepsRunning() {
        if (!editor.history.Modified()) return false;
        prompts.questionAnswer = IDCANCEL;
        return true;
    }

    // One random step; returns what it did, for the report of a failure.
    std::string Step() {
        std::ostringstream did;
        // Questions about unsaved work get any answer, except that the editor is never let go.
        prompts.questionAnswer = From(std::vector<int>{IDYES, IDNO, IDCANCEL});
        QueueSomeFile();
        const int kind = Pick(100);
        if (kind < 40) {
            const WindowHandle w = SomeView(false);
            const std::uint32_t m =
                From(std::vector<std::uint32_t>{WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                                                WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSELEAVE});
            std::uint32_t flags = 0;
            if (Chance(0.2)) flags |= MK_CONTROL;
            if (Chance(0.1)) flags |= MK_SHIFT;
            if (m == WM_LBUTTONDOWN || (m == WM_MOUSEMOVE && Chance(0.5))) flags |= MK_LBUTTON;
            const int x = Pick(300) - 25, y = Pick(300) - 25;
            did << "mouse " << m << " flags " << flags << " at " << x << ',' << y << " in " << w;
            Send(w, m, flags, PackMousePosition(x, y));
        } else if (kind < 60) {
            const std::vector<std::uint32_t> keys = {
                VK_TAB,  VK_OEM_7, 'W',       'Q',       'S',     'D',         'E',
                'R',     'T',      'G',       VK_SPACE,  VK_LEFT, VK_UP,       VK_RIGHT,
                VK_DOWN, 'B',      'V',       'C',       'X',     VK_PRIOR,    VK_NEXT,
                VK_HOME, VK_END,   VK_INSERT, VK_DELETE, VK_ADD,  VK_SUBTRACT, VK_ESCAPE,
                'A',     'Z',      '5',       VK_CONTROL};
            const std::uint32_t key = From(keys);
            WindowHandle w = SomeView(false);
            if (w == editor.frame.handle && key == VK_ESCAPE && !KeepsRunning()) return "no quit";
            const std::uint32_t m = Chance(0.15) ? WM_SYSKEYDOWN : WM_KEYDOWN;
            did << "key " << key << " message " << m << " to " << w;
            Send(w, m, key);
        } else if (kind < 78) {
            const std::uint32_t id = From(frameCommands);
            if (id == cmd::Quitter && !KeepsRunning()) return "no quit";
            did << "command " << id;
            Command(id);
        } else if (kind < 88) {
            const bool perspective = Chance(0.3);
            const WindowHandle w =
                perspective ? ViewWindow(ViewPerspective).handle : SomeView(true);
            if (w == NoWindow || w == editor.frame.handle) return "no view open";
            const std::uint32_t id = From(perspective ? perspectiveCommands : viewCommands);
            dialogs.script = {Message{0, WM_COMMAND, Chance(0.5) ? 1u : 2u, 0}};  // OK or Cancel
            did << "popup command " << id << " to " << w;
            Send(w, WM_COMMAND, id);
        } else if (kind < 97) {
            const std::uint32_t id = Chance(0.7) ? cmd::Annuler : cmd::Retablir;
            did << (id == cmd::Annuler ? "undo" : "redo");
            Command(id);
        } else {
            if (!KeepsRunning()) return "no close";
            did << "close";
            Send(editor.frame.handle, WM_CLOSE);
        }
        return did.str();
    }

    // The model and selections as text: what undo must bring back.
    std::string Signature() { return ModelText(*editor.scene); }

    FakeDialogHost dialogs{queue};
    std::mt19937 rng;
    std::vector<std::uint32_t> frameCommands, viewCommands, perspectiveCommands;
    std::string dir;
};

TEST_F(SoakTest, RandomUseKeepsTheSceneSoundAndEveryStepUndoable) {
    const long steps = EnvOr("KOLVEX_SOAK_STEPS", 2000);
    const auto seed = static_cast<std::uint32_t>(EnvOr("KOLVEX_SOAK_SEED", 1998));
    rng.seed(seed);
    std::deque<std::string> recent;
    const bool trace = std::getenv("KOLVEX_SOAK_TRACE") != nullptr;  // every step, as it ends
    long checkedUndos = 0;
    for (long i = 0; i < steps; ++i) {
        const bool idle = !editor.history.IsOpen();
        const std::size_t undoBefore = editor.history.UndoCount();
        const std::string before = idle ? Signature() : std::string();
        recent.push_back(Step());
        if (trace)
            std::fprintf(stderr, "%ld %s [undo %zu redo %zu open %d v %d f %d]\n", i,
                         recent.back().c_str(), editor.history.UndoCount(),
                         editor.history.RedoCount(), editor.history.IsOpen() ? 1 : 0,
                         editor.scene->vertexCount(), editor.scene->faceCount());
        if (recent.size() > 12) recent.pop_front();
        const auto report = [&] {
            std::string r = "seed " + std::to_string(seed) + ", step " + std::to_string(i) + ":";
            for (const std::string& s : recent)
                r += "\n  " + s;
            return r;
        };
        ASSERT_EQ(editor.display.quitRequested, 0) << report();
        ASSERT_EQ(CheckSceneInvariants(*editor.scene), "") << report();
        // A step taken from idle, closed and kept: undo gives the scene before, redo the one after.
        if (idle && !editor.history.IsOpen() && editor.history.UndoCount() == undoBefore + 1 &&
            editor.history.RedoCount() == 0) {
            const std::string after = Signature();
            Command(cmd::Annuler);
            ASSERT_EQ(FirstDifference(Signature(), before), "") << "undo\n" << report();
            ASSERT_EQ(CheckSceneInvariants(*editor.scene), "") << report();
            Command(cmd::Retablir);
            ASSERT_EQ(FirstDifference(Signature(), after), "") << "redo\n" << report();
            ++checkedUndos;
        }
    }
    std::printf("%ld steps, %ld undo and redo checks, %d vertices and %d faces at the end\n", steps,
                checkedUndos, editor.scene->vertexCount(), editor.scene->faceCount());
    EXPECT_GT(checkedUndos, 0);
}

}  // namespace
}  // namespace kvx::test
