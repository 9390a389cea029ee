// The editors' menu rewrites land in the user's copies and never in the shipped files.

#include "ui/editors/MenuFileText.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ui/kit/PaintManager.h"

namespace orv::editor {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class MenuFileTextTest : public ::testing::Test {
protected:
    MenuFileTextTest() {
        kit::PaintManager::SetResourcePath(shipped.string() + "/");
        fs::remove_all(userFolder);
    }
    ~MenuFileTextTest() override {
        kit::PaintManager::SetMenuPath("");
        fs::remove_all(userFolder);
    }
    const fs::path shipped = fs::path(ORV_TEST_DATA_DIR) / "Resources";
    const fs::path source = fs::path(ORV_TEST_SOURCE_DIR) / "resources" / "menus";
    const fs::path userFolder =
        fs::temp_directory_path() / ("orv-user-menus-" + std::to_string(::getpid()));
};

TEST_F(MenuFileTextTest, AShippedMenuIsNeverRewritten) {
    // Without a user folder the only candidate is the shipped file itself: refused.
    EXPECT_EQ(setMenuItemTexts("BtnSetRedMenu.xml", {{"nothing", "changed"}}),
              MenuRewrite::WriteFailed);
    EXPECT_EQ(fitCaptureItem("BtnSetRedMenu.xml", HostMode::PC), MenuRewrite::WriteFailed);
    // A user folder that cannot be made falls back to the shipped file: refused as well.
    kit::PaintManager::SetMenuPath((shipped / "MainWindow.xml" / "menus").string());
    EXPECT_EQ(setMenuItemTexts("BtnSetRedMenu.xml", {{"nothing", "changed"}}),
              MenuRewrite::WriteFailed);
    EXPECT_EQ(contentOf(shipped / "BtnSetRedMenu.xml"), contentOf(source / "BtnSetRedMenu.xml"));
}

TEST_F(MenuFileTextTest, RewritesGoToTheUserCopyWhichTheMenuOpens) {
    kit::PaintManager::SetMenuPath(userFolder.string());
    EXPECT_EQ(setMenuItemTexts("BtnSetRedMenu.xml", {{"nothing", "なし"}}), MenuRewrite::Written);
    EXPECT_EQ(fitCaptureItem("BtnSetRedMenu.xml", HostMode::PC), MenuRewrite::Written);
    const fs::path copy = userFolder / "BtnSetRedMenu.xml";
    EXPECT_EQ(kit::PaintManager::GetMenuFile("BtnSetRedMenu.xml"), copy.string());
    const std::string rewritten = contentOf(copy);
    EXPECT_NE(rewritten.find("name=\"nothing\" text=\"なし\""), std::string::npos) << rewritten;
    EXPECT_EQ(rewritten.find("name=\"Cap\""), std::string::npos) << rewritten;
    // The rewrite survives the next opening (the copy is newer than the shipped file).
    EXPECT_EQ(contentOf(kit::PaintManager::GetMenuFile("BtnSetRedMenu.xml")), rewritten);
    EXPECT_EQ(contentOf(shipped / "BtnSetRedMenu.xml"), contentOf(source / "BtnSetRedMenu.xml"));
}

}  // namespace
}  // namespace orv::editor
