// "?" > "English" / "Français": the menus, dialogs, messages, status bar and key reference in
// English, the described French ones back exactly, the choice kept between runs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "perspective/PerspectiveKeys.h"
#include "resources/DialogTemplates.h"
#include "shell/CommandLine.h"
#include "shell/EditorFixture.h"
#include "shell/EnglishTexts.h"
#include "shell/FakeDialogHost.h"
#include "shell/KeyReference.h"
#include "shell/LanguageCommands.h"
#include "shell/MenuResources.h"
#include "views/tools/ToolMode.h"

namespace kvx::test {
namespace {

using namespace platform;

// The menu bar as its popups and items read, one line each ("-" a separator); check marks and
// identifiers are the golden menus' business.
void Write(std::ostream& out, const std::vector<MenuItem>& items, int depth) {
    for (const MenuItem& item : items) {
        out << std::string(static_cast<std::size_t>(depth) * 2, ' ')
            << (item.kind == MenuItem::Kind::Separator ? "-" : item.text) << "\n";
        if (item.kind == MenuItem::Kind::Popup) Write(out, item.items, depth + 1);
    }
}

std::string Listing(const Menu* menu) {
    std::ostringstream out;
    if (menu) Write(out, menu->popups, 0);
    return out.str();
}

// The frame's menu bar in English as a user reads it; the recent files have no text yet.
constexpr const char* EnglishMenuBar =
    "File\n  New\n  Save As...\n  Open...\n  Import...\n  Reset\n  Quit\n  -\n"
    "  Export OBJ...\n  Import OBJ...\n  Export...\n  Import Model...\n  -\n  Save\n  -\n"
    "  \n  \n  \n  \n  \n  \n  \n  \n"
    "Edit\n  Copy\n  Delete\n  Invert Selection\n  Select All Faces\n  Select All Vertices\n"
    "  -\n  Undo\n  Redo\n"
    "Display\n  Mouse Axes\n  Rulers\n  Grid\n  Snap to Grid\n  All Layers\n  Normal Vectors\n"
    "  Lights\n  Mouse Position\n"
    "Views\n  Top\n  Bottom\n  Right\n  Left\n  Front\n  Back\n  Perspective\n"
    "Layer\n  0\n  1\n  2\n  3\n  4\n  5\n  6\n  7\n  8\n  9\n"
    "Create\n  Face\n"
    "Shape\n  Mesh\n"
    "Action\n  Stop\n  Start\n"
    "Window\n  Align Views\n  Movable Views\n"
    "?\n  About\n  -\n  Help...\n  -\n  English\n  Français\n";

class LanguageTest : public EditorFixture {
  protected:
    void SetUp() override {
        editor.settings = &settings;
        editor.dialogHost = &dialogs;
    }
    // Starts as RunEditor does: the language kept first.
    void StartKept() {
        LoadLanguage(editor);
        Start();
    }
    MemorySettings settings;
    FakeDialogHost dialogs{queue};
};

TEST_F(LanguageTest, EnglishChangesEveryFrameMenuTextWhoseWordDiffersAndFrenchComesBackExactly) {
    StartKept();
    const std::string french = Listing(ws.menu);
    EXPECT_EQ(french, Listing(LoadMenuResource("MENU1")));
    EXPECT_TRUE(ws.Checked(cmd::Francais));
    EXPECT_FALSE(ws.Checked(cmd::English));

    Command(cmd::English);
    EXPECT_EQ(Listing(ws.menu), EnglishMenuBar);
    EXPECT_TRUE(ws.Checked(cmd::English));
    EXPECT_FALSE(ws.Checked(cmd::Francais));
    // The check marks of the display stay as they were ("Regles" starts checked).
    EXPECT_TRUE(ws.Checked(cmd::Regles));
    // The popups of the views too.
    EXPECT_NE(Listing(editor.viewPopupMenu)
                  .find("SPM1\n  Select...\n    Vertex\n    Face\n    Fence\n    -\n"
                        "    Faces of Vertices\n"),
              std::string::npos);
    EXPECT_NE(Listing(editor.viewPopupMenu).find("  Move...\n    Move XY\n"), std::string::npos);
    EXPECT_NE(Listing(editor.perspectivePopupMenu).find("  Directional Light\n    Colour...\n"),
              std::string::npos);

    Command(cmd::Francais);
    EXPECT_EQ(Listing(ws.menu), french);
    EXPECT_EQ(ws.menu, LoadMenuResource("MENU1"));
    EXPECT_EQ(editor.viewPopupMenu, LoadMenuResource("SUBMENU1"));
    EXPECT_EQ(editor.perspectivePopupMenu, LoadMenuResource("SUBMENU2"));
    EXPECT_TRUE(ws.Checked(cmd::Francais));
    EXPECT_FALSE(ws.Checked(cmd::English));
}

TEST_F(LanguageTest, TheChoiceLastsBetweenRunsAndFrenchStartsWhateverTheDesktopSpeaks) {
    // Nothing kept, a desktop in English: French.
    ::setenv("LANG", "en_US.UTF-8", 1);
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    StartKept();
    EXPECT_EQ(editor.language, Language::French);
    EXPECT_EQ(ws.menu->popups.front().text, "Fichier");
    Command(cmd::English);
    EXPECT_EQ(settings.StringList(LanguageKey), std::vector<std::string>{"en"});

    FakeWindowSystem ws2;
    ScriptedPrompts prompts2;
    MessageQueue queue2;
    Editor next(ws2, prompts2, queue2);
    next.settings = &settings;
    Language toolkit = Language::French;
    next.toolkitLanguage = [&toolkit](Language l) { toolkit = l; };
    LoadLanguage(next);
    ASSERT_TRUE(StartEditor(next));
    EXPECT_EQ(toolkit, Language::English);
    EXPECT_EQ(Listing(ws2.menu), EnglishMenuBar);
    EXPECT_TRUE(ws2.Checked(cmd::English));
    ::unsetenv("LANG");
    ::unsetenv("LC_ALL");
}

TEST_F(LanguageTest, MessagesQuestionsAndFileDialogsComeInEnglish) {
    StartKept();
    Command(cmd::English);
    editor.recentFiles = {"/nowhere/gone.KVX"};
    Command(cmd::RecentFile0);
    ASSERT_FALSE(prompts.messages().empty());
    EXPECT_EQ(prompts.messages().back().text,
              "The file /nowhere/gone.KVX no longer exists: it is removed from the recent files.");
    EXPECT_EQ(prompts.messages().back().title, "Warning...");

    OpenCommandLineFiles(editor, {"a.KVX", "b.KVX", "c.KVX"});
    EXPECT_EQ(prompts.messages().back().text,
              "Kolvex opens one file at a time: none of the 3 files given was opened.");

    // A reason of the file reader inside a message, and a file's name left as it is.
    editor.prompts.MessageBox(
        "Erreur lors de l'import du fichier OBJ:\n/d/x.obj est en lecture seule\n"
        "ligne 3 : indice de sommet 0 (les indices commencent à 1)",
        "Attenntion...", MB_OK);
    EXPECT_EQ(prompts.messages().back().text,
              "Error while importing the OBJ file:\n/d/x.obj is read-only\n"
              "line 3: vertex index 0 (indices start at 1)");

    // A question with its buttons.
    Command(cmd::Mesh);
    prompts.QueueAnswer(IDCANCEL);
    Command(cmd::Nouveau);
    EXPECT_EQ(prompts.messages().back().text, "Save the changes?");
    EXPECT_EQ(prompts.questionButtons().yes, "Yes");
    EXPECT_EQ(prompts.questionButtons().no, "No");
    EXPECT_EQ(prompts.questionButtons().cancel, "Cancel");

    // A file dialog: its title and filters; the editor's record keeps the French and the filter
    // chosen.
    prompts.QueueFileName(std::nullopt);
    Command(cmd::ImporterObj);
    ASSERT_FALSE(prompts.dialogs().empty());
    const FileDialogSettings& asked = prompts.dialogs().back().settings;
    EXPECT_EQ(asked.title, "Import an OBJ file");
    ASSERT_EQ(asked.filters.size(), 2u);
    EXPECT_EQ(asked.filters[0].description, "OBJ files");
    EXPECT_EQ(asked.filters[1].description, "All files");
    EXPECT_EQ(editor.objImportDialog.title, "Importer un fichier OBJ");

    // And back in French: the described texts exactly.
    Command(cmd::Francais);
    prompts.QueueAnswer(IDCANCEL);
    Command(cmd::Nouveau);
    EXPECT_EQ(prompts.messages().back().text, "Enregistrer les modifications ?");
    EXPECT_EQ(prompts.messages().back().title, "Kolvex v1.0");
    EXPECT_EQ(prompts.questionButtons().cancel, "Annuler");
}

TEST_F(LanguageTest, DialogsStatusBarAndKeyReferenceFollow) {
    StartKept();
    Command(cmd::Aide);
    ASSERT_TRUE(ws.reference);
    EXPECT_EQ(ws.reference->first, "Aide - touches et outils");
    Command(cmd::English);
    // The open reference is given the English at once.
    EXPECT_EQ(ws.reference->first, "Help - keys and tools");
    EXPECT_NE(ws.reference->second.find("Move... &gt; Move XY"), std::string::npos);
    EXPECT_NE(ws.reference->second.find("<b>Space</b></td><td>makes a face of the selected"),
              std::string::npos);
    EXPECT_EQ(ws.reference->second.find("Espace"), std::string::npos);

    EXPECT_EQ(ws.statusText,
              "Vertices: 0 (0 selected)   Faces: 0 (0 selected)   Layer: 0   Tool: Create vertex");
    EXPECT_EQ(ws.statusHint.substr(0, 19), "Left: click: create") << ws.statusHint;
    EXPECT_NE(ws.statusHint.find("Right: tools menu"), std::string::npos) << ws.statusHint;

    // A note the editor leaves in the status bar.
    editor.framingNote = "Modèle hors des vues ou minuscule : F (Cadrer tout)";
    Command(cmd::Regles);
    EXPECT_EQ(ws.statusHint, "Model outside the views or tiny: F (Frame All)");
    editor.framingNote.clear();

    Command(cmd::About);
    ASSERT_FALSE(dialogs.templates.empty());
    EXPECT_EQ(dialogs.templates.back().title, "About ....");
    EXPECT_EQ(dialogs.templates.back().controls[1].text, "Kolvex Editor v1.0");
    Command(cmd::Francais);
    Command(cmd::About);
    EXPECT_EQ(dialogs.templates.back().title, "A propos de ....");
    EXPECT_EQ(dialogs.templates.back().controls[1].text, "Kolvex Editeur v1.0");
    EXPECT_EQ(ws.statusText.substr(0, 13), "Vertex: 0 (0 ");
}

// A text added without its English fails here, naming it.
TEST(EnglishTexts, EveryCommandPopupDialogToolAndKeyHasItsEnglish) {
    for (const CommandRow& row : CommandTable()) {
        if (!row.menu) continue;
        std::string_view path = row.menu;
        for (std::size_t slash = 0; slash != std::string_view::npos;
             path.remove_prefix(slash + 1)) {
            slash = path.find('/');
            EXPECT_TRUE(HasEnglish(path.substr(0, slash))) << row.menu;
            if (slash == std::string_view::npos) break;
        }
        if (row.label && *row.label) {
            EXPECT_NE(EnglishCommandText(row.id), nullptr) << row.label;
        }
        if (row.help) {
            EXPECT_TRUE(HasEnglish(row.help)) << row.help;
        }
    }
    for (const DialogTemplate* t :
         {&resources::ColorDialogTemplate(), &resources::PointLightDialogTemplate(),
          &resources::PositionDialogTemplate(), &resources::AboutDialogTemplate()}) {
        EXPECT_TRUE(HasEnglish(t->title)) << t->title;
        for (const DialogControl& c : t->controls) {
            if (!c.text.empty()) {
                EXPECT_TRUE(HasEnglish(c.text)) << c.text;
            }
        }
    }
    for (const ToolMode mode : AllToolModes) {
        const ToolButtons b = ToolHelp(mode);
        for (const char* text : {ToolName(mode), b.left, b.ctrlClick, b.right}) {
            if (*text) {
                EXPECT_TRUE(HasEnglish(text)) << text;
            }
        }
    }
    for (const PerspectiveKeyRow& row : PerspectiveKeys())
        EXPECT_TRUE(HasEnglish(row.help)) << row.help;
    EXPECT_FALSE(HasEnglish("Un texte sans anglais"));
}

TEST(EnglishTexts, TheReferenceNamesKeysAndPlacesInEnglish) {
    std::string text;
    for (const ReferenceSection& s : KeyReference(Language::English)) {
        text += s.title + "\n";
        for (const ReferenceLine& line : s.lines)
            text += "[" + line.keys + "] " + line.text + "\n";
    }
    for (const char* line :
         {"Keys of the flat views\n", "[W, Create... > Vertex] Create vertex: click: creates",
          "[Tab] next move tool (XY, X, Y, Z)\n", "[Left arrow] moves the selection 0.1",
          "[Alt+Page Up] spins the layer on itself (z)\n",
          "[Page Down] turns the layer -5° about z\n",
          "[+ (keypad)] moves the layer one unit "
          "along -y\n",
          "[Esc (main window)] quits Kolvex\n", "[Ctrl+Z] Edit > Undo\n",
          "[' (quote)] next selection tool", "[E] Move XY tool\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("é"), std::string::npos) << text;
}

}  // namespace
}  // namespace kvx::test
