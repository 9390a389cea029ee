// Menu definition rewrites against real files: copies of the shipped menus and small fixtures
// written by the tests, read back byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "text/MenuDefinition.h"

namespace fs = std::filesystem;

namespace orv {
namespace {

const fs::path kShippedMenus = fs::path(ORV_TEST_SOURCE_DIR) / "resources" / "menus";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

// The file's identity on disk: a rewrite replaces the file, so a changed inode means written.
ino_t inodeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// The writer's layout of a menu with the given items (one tab per level, "utf-8").
std::string menuText(const std::string& items, const std::string& windowAttributes = "") {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window" + windowAttributes +
           ">\n\t<Menu>\n" + items + "\t</Menu>\n</Window>\n";
}

std::string item(const std::string& name, const std::string& text, const std::string& extra = "") {
    return "\t\t<MenuElement name=\"" + name + "\"" + extra + " text=\"" + text + "\"/>\n";
}

class MenuDefinitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orv_menu_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path copyShipped(const std::string& name) {
        fs::copy_file(kShippedMenus / name, folder / name);
        return folder / name;
    }
    fs::path fixture(const std::string& name, const std::string& content) {
        writeFile(folder / name, content);
        return folder / name;
    }
    // Only the file itself is left in the folder (no temporary file).
    bool onlyFile(const fs::path& file) const {
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path() != file) {
                return false;
            }
        }
        return true;
    }

    fs::path folder;
};

TEST_F(MenuDefinitionTest, SettingATextChangesOnlyThatAttributeOfThatItem) {
    const fs::path file = copyShipped("BtnSetGreedMenu.xml");
    const std::string before = readFile(file);
    EXPECT_EQ(MenuDefinition(file).setItemText("ZL", "LT"), MenuRewrite::Written);
    std::string expected = before;
    const std::string old = "<MenuElement name=\"ZL\" text=\"ZL\"/>";
    ASSERT_NE(expected.find(old), std::string::npos);
    expected.replace(expected.find(old), old.size(), "<MenuElement name=\"ZL\" text=\"LT\"/>");
    EXPECT_EQ(readFile(file), expected);
    EXPECT_TRUE(onlyFile(file));

    // Layout attributes of the element and of the window pass through; UTF-8 texts arrive as
    // typed.
    const fs::path small = fixture(
        "Small.xml", menuText(item("ZL", "ZL", " height=\"30\" icon=\"a.png\"") + item("R", "R"),
                              " width=\"200\""));
    EXPECT_EQ(MenuDefinition(small).setItemText("ZL", "Ｌトリガー"), MenuRewrite::Written);
    EXPECT_EQ(readFile(small),
              menuText(item("ZL", "Ｌトリガー", " height=\"30\" icon=\"a.png\"") + item("R", "R"),
                       " width=\"200\""));
}

TEST_F(MenuDefinitionTest, OnlyTheFirstOfTwoSameNamedItemsIsSet) {
    const fs::path file = fixture("Twice.xml", menuText(item("A", "one") + item("A", "two")));
    EXPECT_EQ(MenuDefinition(file).setItemText("A", "first"), MenuRewrite::Written);
    EXPECT_EQ(readFile(file), menuText(item("A", "first") + item("A", "two")));
}

TEST_F(MenuDefinitionTest, NamesCompareExactly) {
    const fs::path file = fixture("Case.xml", menuText(item("zl", "x") + item("ZL ", "y")));
    EXPECT_EQ(MenuDefinition(file).setItemText("ZL", "LT"), MenuRewrite::Written);
    EXPECT_EQ(readFile(file), menuText(item("zl", "x") + item("ZL ", "y")));
}

TEST_F(MenuDefinitionTest, AnUnknownItemRewritesTheSameContentInTheWritersLayout) {
    const fs::path file = copyShipped("LeftRightGreedMenu.xml");
    const std::string before = readFile(file);
    const ino_t inode = inodeOf(file);
    EXPECT_EQ(MenuDefinition(file).setItemText("NoSuchItem", "x"), MenuRewrite::Written);
    EXPECT_NE(inodeOf(file), inode);
    EXPECT_EQ(readFile(file), before);

    // A file laid out otherwise comes back in the writer's layout, and stays so: repeated
    // rewrites do not grow it.
    const fs::path loose =
        fixture("Loose.xml",
                "<?xml version=\"1.0\"?>\n<Window>\n    <Menu>\n      <MenuElement name=\"A\" "
                "text=\"a\" />\n\n    </Menu>\n</Window>");
    const MenuDefinition menu(loose);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(menu.setItemText("B", "b"), MenuRewrite::Written);
        EXPECT_EQ(readFile(loose), menuText(item("A", "a"))) << "rewrite " << i;
    }
}

TEST_F(MenuDefinitionTest, EveryShippedMenuSurvivesARewriteByteForByte) {
    for (const auto& entry : fs::directory_iterator(kShippedMenus)) {
        if (entry.path().extension() != ".xml") {
            continue;
        }
        const fs::path file = copyShipped(entry.path().filename().string());
        const std::string before = readFile(file);
        EXPECT_EQ(MenuDefinition(file).prepare({}), MenuRewrite::Written) << file;
        EXPECT_EQ(readFile(file), before) << file;
    }
}

TEST_F(MenuDefinitionTest, FilesThatCannotBeReadAreLeftAloneAndNothingIsCreated) {
    struct Case {
        const char* name;
        const char* content;  // nullptr: no file
        MenuRewrite expected;
    };
    const Case cases[] = {
        {"Missing.xml", nullptr, MenuRewrite::Unreadable},
        {"Broken.xml", "<Window><Menu><MenuElement name=\"A\" text=\"a\"></Menu>",
         MenuRewrite::Unreadable},
        {"Empty.xml", "", MenuRewrite::NoMenu},  // an empty document parses
        {"NoMenu.xml", "<Window><Other><MenuElement name=\"Cap\" text=\"x\"/></Other></Window>",
         MenuRewrite::NoMenu},
    };
    for (const Case& c : cases) {
        const fs::path file = folder / c.name;
        if (c.content != nullptr) {
            writeFile(file, c.content);
        }
        const MenuDefinition menu(file);
        EXPECT_EQ(menu.setItemText("A", "b"), c.expected) << c.name;
        EXPECT_EQ(menu.prepare({{"A", "b"}, {"Cap", "c"}}), c.expected) << c.name;
        EXPECT_EQ(menu.fitCaptureItem(MenuHostMode::NS), c.expected) << c.name;
        EXPECT_EQ(menu.fitCaptureItem(MenuHostMode::PC), c.expected) << c.name;
        if (c.content == nullptr) {
            EXPECT_FALSE(fs::exists(file));
        } else {
            EXPECT_EQ(readFile(file), c.content) << c.name;
        }
        fs::remove(file);
        EXPECT_TRUE(fs::is_empty(folder)) << c.name;
    }
}

// A text the XML writer cannot carry (a NUL would end the document for the next reader) is
// refused before anything is written: the menu stays the one that opened.
TEST_F(MenuDefinitionTest, ATextThatWouldNotReadBackLeavesTheMenuAsItWas) {
    const fs::path file = copyShipped("BtnSetRedMenu.xml");
    const std::string before = readFile(file);
    const ino_t inode = inodeOf(file);
    EXPECT_EQ(MenuDefinition(file).setItemText("A", std::string("Alpha\0beta", 10)),
              MenuRewrite::WriteFailed);
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(inodeOf(file), inode);
    EXPECT_FALSE(fs::exists(fs::path(file) += ".rewrite"));
}

TEST_F(MenuDefinitionTest, PrepareGivesWhatOneCallPerItemGives) {
    const std::vector<MenuDefinition::ItemText> texts = {
        {"Minus", "BACK"}, {"Plus", "START"}, {"L", "LB"},         {"R", "RB"},
        {"ZL", "LT"},      {"ZR", "RT"},      {"nothing", "なし"}, {"Unknown", "?"}};
    const fs::path oneByOne = copyShipped("BtnSetRedMenu.xml");
    fs::create_directories(folder / "batch");
    const fs::path batch = folder / "batch" / "BtnSetRedMenu.xml";
    fs::copy_file(oneByOne, batch);
    for (const auto& entry : texts) {
        EXPECT_EQ(MenuDefinition(oneByOne).setItemText(entry.item, entry.text),
                  MenuRewrite::Written);
    }
    EXPECT_EQ(MenuDefinition(batch).prepare(texts), MenuRewrite::Written);
    EXPECT_EQ(readFile(batch), readFile(oneByOne));
    EXPECT_NE(readFile(batch).find("<MenuElement name=\"Minus\" text=\"BACK\"/>"),
              std::string::npos);
}

TEST_F(MenuDefinitionTest, PcModeRemovesCaptureOnceThenLeavesTheFileAlone) {
    const fs::path file = copyShipped("BtnSetGreedMenu.xml");
    const std::string before = readFile(file);
    const MenuDefinition menu(file);
    EXPECT_EQ(menu.fitCaptureItem(MenuHostMode::PC), MenuRewrite::Written);
    const std::string once = readFile(file);
    std::string expected = before;
    const std::string capture = "\t\t<MenuElement name=\"Cap\" text=\"Capture\"/>\n";
    ASSERT_NE(expected.find(capture), std::string::npos);
    expected.erase(expected.find(capture), capture.size());
    EXPECT_EQ(once, expected);

    const ino_t inode = inodeOf(file);
    EXPECT_EQ(menu.fitCaptureItem(MenuHostMode::PC), MenuRewrite::Unchanged);
    EXPECT_EQ(inodeOf(file), inode);
    EXPECT_EQ(readFile(file), once);

    // Back in NS the item returns, at the end of the menu.
    EXPECT_EQ(menu.fitCaptureItem(MenuHostMode::NS), MenuRewrite::Written);
    const std::string last = "\t\t<MenuElement name=\"Cap\" text=\"Capture\"/>\n\t</Menu>";
    EXPECT_NE(readFile(file).find(last), std::string::npos);
}

TEST_F(MenuDefinitionTest, NsModeWithCapturePresentLeavesTheFileByteIdentical) {
    const fs::path file = copyShipped("BtnSetBlueMenu.xml");
    const std::string before = readFile(file);
    const ino_t inode = inodeOf(file);
    EXPECT_EQ(MenuDefinition(file).fitCaptureItem(MenuHostMode::NS), MenuRewrite::Unchanged);
    EXPECT_EQ(inodeOf(file), inode);
    EXPECT_EQ(readFile(file), before);

    // Only one of two Cap items goes in PC mode; NS then sees one still there.
    const fs::path twice =
        fixture("Twice.xml", menuText(item("Cap", "1") + item("A", "a") + item("Cap", "2")));
    EXPECT_EQ(MenuDefinition(twice).fitCaptureItem(MenuHostMode::PC), MenuRewrite::Written);
    EXPECT_EQ(readFile(twice), menuText(item("A", "a") + item("Cap", "2")));
    EXPECT_EQ(MenuDefinition(twice).fitCaptureItem(MenuHostMode::NS), MenuRewrite::Unchanged);
}

TEST_F(MenuDefinitionTest, AFailedWriteKeepsTheOldFile) {
    // The temporary file's place is taken by a folder, so the new content cannot be written.
    const fs::path file = fixture("Menu.xml", menuText(item("A", "a")));
    fs::path blocker = file;
    blocker += ".rewrite";
    fs::create_directory(blocker);
    EXPECT_EQ(MenuDefinition(file).setItemText("A", "b"), MenuRewrite::WriteFailed);
    EXPECT_EQ(MenuDefinition(file).fitCaptureItem(MenuHostMode::NS), MenuRewrite::WriteFailed);
    EXPECT_EQ(readFile(file), menuText(item("A", "a")));
    fs::remove(blocker);
    EXPECT_TRUE(onlyFile(file));
}

}  // namespace
}  // namespace orv
