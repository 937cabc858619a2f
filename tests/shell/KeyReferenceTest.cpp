// The key reference lists every key of the command rows and of the perspective view, every tool,
// and the README carries the same tables.

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "perspective/PerspectiveKeys.h"
#include "shell/CommandTable.h"
#include "shell/KeyReference.h"
#include "views/tools/ToolMode.h"

namespace kvx::test {
namespace {

std::string AllText(const std::vector<ReferenceSection>& sections) {
    std::string text;
    for (const ReferenceSection& s : sections)
        for (const ReferenceLine& line : s.lines)
            text += "[" + line.keys + "] " + line.text + "\n";
    return text;
}

bool Lists(const std::string& text, const std::string& keys) {
    return text.find("[" + keys + "]") != std::string::npos ||
           text.find("[" + keys + ", ") != std::string::npos;
}

TEST(KeyReference, ListsEveryKeyToolAndShortcut) {
    const std::string text = AllText(KeyReference());
    // What a newcomer looks for first.
    for (const char* keys :
         {"W", "Tab", "Espace", "B", "Page Up", "Alt+Page Up", "F1", "Ctrl+Y, Ctrl+Shift+Z"})
        EXPECT_TRUE(Lists(text, keys)) << keys;
    for (const CommandRow& row : CommandTable()) {
        if (row.key) {
            EXPECT_TRUE(Lists(text, KeyName(row.key))) << row.key;
        }
        if (row.shortcut) {
            EXPECT_NE(text.find(row.shortcut), std::string::npos) << row.shortcut;
        }
    }
    for (const PerspectiveKeyRow& row : PerspectiveKeys())
        EXPECT_TRUE(Lists(text, (row.alt ? "Alt+" : "") + KeyName(row.key))) << row.key;
    for (const ToolMode mode : AllToolModes)
        EXPECT_NE(text.find(std::string(ToolName(mode)) + " : "), std::string::npos)
            << ToolName(mode);
    // Each tool shows its cursor; the window's HTML names the picture.
    const std::string html = ReferenceHtml(KeyReference());
    EXPECT_NE(html.find("<img src=\"cursor:6\"></td><td><b>E, Deplacer... &gt; Déplacer XY"),
              std::string::npos);  // "ALLDIRECTION"
}

TEST(KeyReference, TheReadmeCarriesTheSameTables) {
    std::ifstream file(std::string(KVX_TEST_DATA_DIR) + "/../../README.md");
    ASSERT_TRUE(file);
    std::ostringstream readme;
    readme << file.rdbuf();
    EXPECT_NE(readme.str().find(ReferenceMarkdown(KeyReference())), std::string::npos)
        << "README.md lacks the key reference as written now:\n"
        << ReferenceMarkdown(KeyReference());
}

}  // namespace
}  // namespace kvx::test
