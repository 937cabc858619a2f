// The command rows: the menus built from them are the editor's menus item for item, and no two
// rows of one menu or of the flat views' keys answer to the same identifier or key.

#include <fstream>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "shell/CommandTable.h"
#include "shell/MenuResources.h"

namespace kvx::test {
namespace {

using platform::MenuItem;

void Write(std::ostream& out, const std::vector<MenuItem>& items, int depth) {
    for (const MenuItem& item : items) {
        out << std::string(static_cast<std::size_t>(depth) * 2, ' ');
        if (item.kind == MenuItem::Kind::Separator) {
            out << "-\n";
        } else if (item.kind == MenuItem::Kind::Popup) {
            out << item.text << "\n";
            Write(out, item.items, depth + 1);
        } else {
            out << item.text << " = " << item.id;
            for (const std::string& s : item.shortcuts)
                out << " [" << s << "]";
            out << "\n";
        }
    }
}

// The golden text lists every menu as the user sees it: texts, order, separators, identifiers
// and shortcuts.
TEST(CommandTable, MenusAreTheEditorsMenusItemForItem) {
    std::ostringstream built;
    for (const char* name : {"MENU1", "SUBMENU1", "SUBMENU2"}) {
        const platform::Menu* menu = LoadMenuResource(name);
        ASSERT_NE(menu, nullptr) << name;
        built << name << "\n";
        Write(built, menu->popups, 1);
    }
    std::ifstream golden(std::string(KVX_TEST_DATA_DIR) + "/golden/menus.txt");
    ASSERT_TRUE(golden) << "golden/menus.txt";
    std::ostringstream expected;
    expected << golden.rdbuf();
    EXPECT_EQ(built.str(), expected.str());
    EXPECT_EQ(LoadMenuResource("MENU2"), nullptr);
}

TEST(CommandTable, EveryIdentifierAndKeyLeadsToOneRow) {
    std::set<std::pair<CommandSource, std::uint32_t>> ids;
    std::set<std::pair<CommandSource, std::uint32_t>> keys;
    for (const CommandRow& row : CommandTable()) {
        if (row.id != 0) {
            EXPECT_TRUE(ids.insert({row.source, row.id}).second) << row.id;
            EXPECT_EQ(FindCommand(row.source, row.id), &row);
        }
        if (row.key != 0) {
            EXPECT_TRUE(keys.insert({row.source, row.key}).second) << row.key;
            EXPECT_EQ(FindKey(row.source, row.key), &row);
        }
        // A separator does nothing; every other row does something.
        if (!row.IsSeparator() && row.id != 40021) {  // "Fermer le Menu" only closes the menu
            EXPECT_TRUE(row.run || row.tool) << (row.label ? row.label : "key");
        }
    }
    EXPECT_EQ(FindCommand(CommandSource::Frame, 40012), nullptr);  // a popup item elsewhere
    EXPECT_EQ(FindKey(CommandSource::FlatView, 'Z'), nullptr);
}

}  // namespace
}  // namespace kvx::test
