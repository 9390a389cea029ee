// Where the tool's files live, and the per-user copies of shipped files.

#include "context/UserCopies.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "context/InstallPaths.h"

namespace orv::paths {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void write(const fs::path& file, const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

class UserCopies : public ::testing::Test {
protected:
    UserCopies() {
        root = fs::temp_directory_path() /
               ("orv-user-copies-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        shipped = root / "share" / "Resources" / "BtnSetRedMenu.xml";
        folder = root / "state" / "menus";
        write(shipped, "shipped v1");
    }
    ~UserCopies() override {
        std::error_code ignored;
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root, ignored);
    }
    fs::path root;
    fs::path shipped;
    fs::path folder;
};

TEST(InstallPaths, DataFolderIsShareOrvtoolBesideTheExecutablesFolder) {
    const fs::path exe = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(dataFolder(), (exe.parent_path() / "share" / "orvtool").string() + "/");
    // The build tree has the installed layout, so the test data is exactly there.
    EXPECT_EQ(fs::canonical(dataFolder()), fs::canonical(ORV_TEST_DATA_DIR));
}

TEST(InstallPaths, UserFoldersFollowXdgAndIgnoreRelativeValues) {
    const char* oldState = std::getenv("XDG_STATE_HOME");
    const std::string saved = oldState != nullptr ? oldState : "";
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "/root";
    ::setenv("XDG_STATE_HOME", "/tmp/xdg-state", 1);
    EXPECT_EQ(userMenuFolder(), "/tmp/xdg-state/orvtool/menus/");
    ::setenv("XDG_STATE_HOME", "relative/state", 1);
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(userMenuFolder(), "/home/someone/.local/state/orvtool/menus/");
    ::setenv("HOME", home.c_str(), 1);
    if (oldState != nullptr) {
        ::setenv("XDG_STATE_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_STATE_HOME");
    }
}

TEST_F(UserCopies, MissingOrOlderCopiesAreMadeFromTheShippedFileAndRewritesAreKept) {
    const auto copy = freshUserCopy(shipped, folder);
    ASSERT_TRUE(copy);
    EXPECT_EQ(*copy, folder / "BtnSetRedMenu.xml");
    EXPECT_EQ(contentOf(*copy), "shipped v1");

    // The user's rewrite is newer than the shipped file: kept.
    write(*copy, "rewritten");
    EXPECT_EQ(contentOf(*freshUserCopy(shipped, folder)), "rewritten");

    // A newer shipped file (the tool was updated) replaces the stale copy.
    write(shipped, "shipped v2");
    fs::last_write_time(*copy, fs::last_write_time(shipped) - 1h);
    EXPECT_EQ(contentOf(*freshUserCopy(shipped, folder)), "shipped v2");
    EXPECT_EQ(contentOf(shipped), "shipped v2");
    // No temporary file is left beside the copy.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(UserCopies, ACopyOfAReadOnlyShippedFileIsWritableByItsUser) {
    fs::permissions(shipped, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto copy = freshUserCopy(shipped, folder);
    ASSERT_TRUE(copy);
    EXPECT_NE(fs::status(*copy).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(UserCopies, FailuresLeaveEverythingAsItWas) {
    // The shipped file is gone: an existing copy still serves, none is invented.
    EXPECT_FALSE(freshUserCopy(root / "share" / "Resources" / "None.xml", folder));
    ASSERT_TRUE(freshUserCopy(shipped, folder));
    fs::remove(shipped);
    EXPECT_EQ(freshUserCopy(shipped, folder), folder / "BtnSetRedMenu.xml");

    // The copy folder cannot be created (a file is in the way).
    write(shipped, "shipped v1");
    write(root / "blocked", "a file");
    EXPECT_FALSE(freshUserCopy(shipped, root / "blocked" / "menus"));
    EXPECT_EQ(contentOf(shipped), "shipped v1");
    EXPECT_EQ(contentOf(root / "blocked"), "a file");
}

TEST_F(UserCopies, EveryMenuFileOfTheResourceFolderGetsACopyAndNothingElse) {
    const fs::path resources = shipped.parent_path();
    for (const char* name : {"FileMenu_japanese.xml", "Language.xml", "MainWindow.xml",
                             "MenuBK.png"}) {
        write(resources / name, name);
    }
    EXPECT_EQ(refreshMenuCopies(resources, folder), 3);
    for (const char* name : {"BtnSetRedMenu.xml", "FileMenu_japanese.xml", "Language.xml"}) {
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    }
    EXPECT_FALSE(fs::exists(folder / "MainWindow.xml"));
    EXPECT_FALSE(fs::exists(folder / "MenuBK.png"));
}

TEST(ShippedFiles, InsideMeansBelowTheFolderAfterResolvingTheRealPath) {
    const fs::path base = fs::temp_directory_path() / ("orv-inside-" + std::to_string(::getpid()));
    fs::remove_all(base);
    fs::create_directories(base / "share" / "orvtool" / "Resources");
    fs::create_directories(base / "share" / "orvtool-other");
    fs::create_directories(base / "state");
    fs::create_symlink(base / "share" / "orvtool" / "Resources", base / "state" / "link");
    const fs::path data = base / "share" / "orvtool";
    struct Case {
        fs::path file;
        bool inside;
    };
    const Case cases[] = {
        {data / "Resources" / "BtnSetRedMenu.xml", true},
        {data / "MultiLingual.db", true},
        {base / "share" / "orvtool-other" / "x.xml", false},  // a prefix of the name only
        {base / "state" / "menus" / "BtnSetRedMenu.xml", false},
        {base / "state" / ".." / "share" / "orvtool" / "x.xml", true},
        {base / "state" / "link" / "BtnSetRedMenu.xml", true},  // through a symbolic link
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isInsideFolder(c.file, data), c.inside) << c.file;
    }
    EXPECT_TRUE(isShippedFile(fs::path(ORV_TEST_DATA_DIR) / "Resources" / "Language.xml"));
    EXPECT_FALSE(isShippedFile(base / "state" / "menus" / "Language.xml"));
    fs::remove_all(base);
}

}  // namespace
}  // namespace orv::paths
