#include <gtest/gtest.h>

#include "KitTestSupport.h"
#include "ui/kit/Menu.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/testing/Driver.h"

namespace orv::kit {
namespace {

using test::Drain;
using test::RecordingWindow;

constexpr const char* kFileMenu = R"(<?xml version="1.0" encoding="utf-8"?>
<Window width="180" itemheight="30" bkcolor="#FF2A2F3C" textcolor="#FFFFFFFF">
	<Menu>
		<MenuElement name="ImportMenuBtn" text="Import"/>
		<MenuElement name="ExportMenuBtn" text="Export" userdata="x"/>
		<MenuElement name="line" separator="true"/>
		<MenuElement name="CopyBtn" text="Copy" enabled="false"/>
		<MenuElement name="ExitMenuBtn" text="終了"/>
	</Menu>
</Window>
)";

class Menus : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteResource("Owner.xml", R"(<Window size="300,200"><Control/></Window>)");
        test::WriteResource("FileMenu_english.xml", kFileMenu);
        owner_ = new RecordingWindow("Owner.xml");
        ASSERT_NE(owner_->Create(kNoWindow, "ORVMainWindow", style::Dialog, 0), kNoWindow);
        owner_->onMessage = [this](RecordingWindow& self, unsigned m, WParam w, LParam) {
            if (m != msg::MenuClick) {
                return false;
            }
            MenuCommand* record = MenuCommand::FromWParam(w);
            received_.push_back(*record);
            self.GetPaintManager().DeletePtr(record);
            // A second release of the same record is ignored.
            self.GetPaintManager().DeletePtr(record);
            return true;
        };
    }
    void TearDown() override {
        Menu::CloseAll();
        test::DestroyAllWindows();
    }
    MenuHandle Open() {
        return Menu::CreateMenu(nullptr, "FileMenu_english.xml", Point{10, 45},
                                &owner_->GetPaintManager(), &checks_, 6);
    }

    RecordingWindow* owner_ = nullptr;
    MenuCheckMap checks_;
    std::vector<MenuCommand> received_;
    testing::Driver driver_;
};

TEST_F(Menus, AChoicePostsTheRecordToTheOwner) {
    checks_["ExportMenuBtn"] = true;
    MenuHandle menu = Open();
    ASSERT_TRUE(menu.IsOpen());
    EXPECT_EQ(menu.ItemNames(), (std::vector<std::string>{"ImportMenuBtn", "ExportMenuBtn",
                                                          "CopyBtn", "ExitMenuBtn"}));
    bool closedWithChoice = false;
    menu.OnClosed([&](bool chosen) { closedWithChoice = chosen; });
    ASSERT_TRUE(driver_.ChooseMenuItem("ExportMenuBtn"));
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_TRUE(closedWithChoice);
    EXPECT_TRUE(received_.empty()) << "posted, not sent";
    Drain();
    ASSERT_EQ(received_.size(), 1u);
    EXPECT_EQ(received_[0].name, "ExportMenuBtn");
    EXPECT_EQ(received_[0].text, "Export");
    EXPECT_EQ(received_[0].userData, "x");
    EXPECT_EQ(received_[0].checked, 1);

    Open();
    driver_.ChooseMenuItem("ExitMenuBtn");
    Drain();
    ASSERT_EQ(received_.size(), 2u);
    EXPECT_EQ(received_[1].text, "終了");
    EXPECT_EQ(received_[1].checked, 0);
}

TEST_F(Menus, ClosingWithoutAChoiceDeliversNothing) {
    MenuHandle dismissed = Open();
    bool closed = false;
    bool chosen = true;
    dismissed.OnClosed([&](bool c) {
        closed = true;
        chosen = c;
    });
    ASSERT_TRUE(driver_.DismissMenu());
    EXPECT_FALSE(dismissed.IsOpen());
    EXPECT_TRUE(closed);
    EXPECT_FALSE(chosen);

    MenuHandle closedByCode = Open();
    closedByCode.Close();
    EXPECT_FALSE(closedByCode.IsOpen());
    closedByCode.Close();  // closing a closed menu touches nothing

    // Disabled items and separators are not choices.
    MenuHandle third = Open();
    driver_.ChooseMenuItem("CopyBtn");
    Drain();
    EXPECT_TRUE(third.IsOpen());
    EXPECT_FALSE(driver_.ChooseMenuItem("line"));
    third.Close();
    Drain();
    EXPECT_TRUE(received_.empty());
    EXPECT_FALSE(MenuHandle().IsOpen());
}

TEST_F(Menus, AClickElsewhereClosesTheMenu) {
    MenuHandle menu = Open();
    ASSERT_TRUE(menu.IsOpen());
    driver_.ClickAt(owner_->GetHWND(), Point{150, 150});
    Drain();
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_TRUE(received_.empty());
}

TEST_F(Menus, ARecordForAWindowThatDiedIsReleasedNotDelivered) {
    Open();
    driver_.ChooseMenuItem("ImportMenuBtn");
    owner_->DestroyWindow();  // before the posted message is handled
    Drain();
    EXPECT_TRUE(received_.empty());  // and the sanitizer build sees no leak
}

TEST_F(Menus, AMissingMenuFileOpensNothing) {
    MenuHandle menu = Menu::CreateMenu(nullptr, "NoSuchMenu.xml", Point{0, 0},
                                       &owner_->GetPaintManager(), &checks_);
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_TRUE(Menu::OpenMenus().empty());
}

}  // namespace
}  // namespace orv::kit
