// How windows and menus behave on a desktop: menu placement inside the screen, one scale for
// every window, the keys of dialogs and menus, and the titles the desktop shows.

#include <gtest/gtest.h>

#include "KitTestSupport.h"
#include "ui/kit/DisplayScale.h"
#include "ui/kit/Menu.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/testing/Driver.h"

namespace orv::kit {
namespace {

using test::Drain;
using test::RecordingWindow;

constexpr const char* kPromptSkin = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="300,200" bkcolor="#FF20242E">
  <VerticalLayout>
    <Button name="closebtn" float="true" pos="270,0,300,30"/>
    <Edit name="NameEdit" float="true" pos="20,40,280,70"/>
    <Button name="OKBtn" float="true" pos="20,150,120,190"/>
    <Button name="CancelBtn" float="true" pos="180,150,280,190"/>
    <Button name="HiddenBtn" float="true" pos="130,150,170,190" visible="false"/>
  </VerticalLayout>
</Window>
)";

constexpr const char* kNoCancelSkin = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="300,200">
  <VerticalLayout>
    <Button name="closebtn" float="true" pos="270,0,300,30"/>
    <Button name="PressBtn" float="true" pos="20,150,120,190"/>
  </VerticalLayout>
</Window>
)";

constexpr const char* kMenu = R"(<?xml version="1.0" encoding="utf-8"?>
<Window width="180" itemheight="30">
  <Menu>
    <MenuElement name="First" text="First"/>
    <MenuElement name="Off" text="Off" enabled="false"/>
    <MenuElement name="line" separator="true"/>
    <MenuElement name="Third" text="Third"/>
  </Menu>
</Window>
)";

TEST(MenuPlacement, MenusStayInsideTheAvailableArea) {
    const Rect area{0, 0, 1366, 728};  // a panel takes the bottom 40 pixels
    const Size menu{180, 154};
    struct Case {
        const char* what;
        Point anchor;
        unsigned align;
        Rect expected;
    };
    const Case cases[] = {
        {"top-left corner at the anchor", {110, 62}, menu_align::LeftTop, {110, 62, 290, 216}},
        {"the windows' value 6 anchors top-left", {0, 62}, 6, {0, 62, 180, 216}},
        {"shifted left at the right edge", {1300, 62}, 6, {1186, 62, 1366, 216}},
        {"opens upwards at the bottom edge", {400, 700}, 6, {400, 546, 580, 700}},
        {"raised to the bottom when neither fits", {400, 100}, 6, {400, 0, 580, 154}},
        {"pulled in from left of the screen", {-110, 62}, 6, {0, 62, 180, 216}},
        {"pulled down from above the screen", {500, -160}, 6, {500, 0, 680, 154}},
        {"right edge at the anchor on request", {600, 62}, menu_align::RightEdge,
         {420, 62, 600, 216}},
    };
    for (const Case& c : cases) {
        const Size size = std::string_view(c.what).starts_with("raised") ? Size{180, 800} : menu;
        Rect expected = c.expected;
        if (size.cy == 800) {
            expected = Rect{400, 0, 580, 800};
        }
        EXPECT_EQ(PlaceMenu(size, c.anchor, c.align, area), expected) << c.what;
    }
}

TEST(DisplayScaleFit, TheMainWindowFitsCommonScreens) {
    const Size design{1700, 900};
    struct Case {
        Rect available;
        double expected;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1080}, 1.0},   // never larger than designed
        {{0, 0, 1366, 768}, 0.803},  // width decides
        {{0, 0, 1280, 720}, 0.752},
        {{0, 0, 1700, 600}, 0.666},  // height decides
        {{0, 0, 0, 0}, 1.0},         // no screen known
    };
    for (const Case& c : cases) {
        const double s = FitScale(design, c.available);
        EXPECT_DOUBLE_EQ(s, c.expected) << c.available.Width() << "x" << c.available.Height();
        if (!c.available.IsEmpty()) {
            EXPECT_LE(static_cast<int>(design.cx * s + 0.5), c.available.Width());
            EXPECT_LE(static_cast<int>(design.cy * s + 0.5), c.available.Height());
        }
    }
}

class DesktopBehaviour : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteResource("Prompt.xml", kPromptSkin);
        test::WriteResource("NoCancel.xml", kNoCancelSkin);
        test::WriteResource("KeysMenu.xml", kMenu);
        owner_ = new RecordingWindow("Prompt.xml", &ownerLog_);
        ASSERT_NE(owner_->Create(kNoWindow, "Owner", style::Visible, 0), kNoWindow);
    }
    void TearDown() override {
        Menu::CloseAll();
        SetDesktopTitles(nullptr);
        test::DestroyAllWindows();
        SetDisplayScale(0);
    }
    RecordingWindow* Child(const char* skin, const char* title) {
        auto* w = new RecordingWindow(skin, &log_);
        EXPECT_NE(w->Create(owner_->GetHWND(), title, style::Dialog, 0), kNoWindow);
        return w;
    }

    RecordingWindow* owner_ = nullptr;
    std::vector<std::string> ownerLog_;
    std::vector<std::string> log_;
    testing::Driver driver_;
};

TEST_F(DesktopBehaviour, WindowsKeepLogicalCoordinatesAtAnyScale) {
    SetDisplayScale(0.5);
    auto* w = new RecordingWindow("Prompt.xml", &log_);
    ASSERT_NE(w->Create(kNoWindow, "Scaled", style::Visible, 0, 100, 60, 300, 200), kNoWindow);
    log_.clear();
    EXPECT_EQ(w->GetWindowRect(), (Rect{100, 60, 400, 260}));
    w->MoveWindow(Rect{41, 33, 341, 233});
    EXPECT_EQ(w->GetWindowRect(), (Rect{41, 33, 341, 233})) << "odd values survive the round trip";
    EXPECT_EQ(w->GetPaintManager().FindControl("OKBtn")->GetPos(), (Rect{20, 150, 120, 190}));

    // Drawn at half size, and a press at a control's place on screen reaches that control.
    const auto shot = test::ResourceFolder() / "scaled.png";
    ASSERT_TRUE(driver_.SaveScreenshot(w->GetHWND(), shot.string()));
    EXPECT_EQ(testing::Driver::ImageSize(shot.string()), (Size{150, 100}));
    driver_.Click(w->GetHWND(), "CancelBtn");
    driver_.ClickAt(w->GetHWND(), Point{60, 170});  // OKBtn in logical coordinates
    EXPECT_EQ(log_, (std::vector<std::string>{"click:CancelBtn", "click:OKBtn"}));

    // Menus: the point is logical, and so is the rectangle read back.
    Menu::CreateMenu(nullptr, "KeysMenu.xml", Point{200, 100}, &w->GetPaintManager(), nullptr);
    EXPECT_EQ(driver_.MenuRect(), (Rect{200, 100, 380, 197}));
}

TEST_F(DesktopBehaviour, EnterAndEscapeClickTheDialogButtons) {
    RecordingWindow* prompt = Child("Prompt.xml", "Prompt");
    RecordingWindow* editor = Child("NoCancel.xml", "Editor");
    RecordingWindow* custom = Child("NoCancel.xml", "Custom");
    custom->SetKeyButtons("PressBtn", "");
    struct Case {
        WindowHandle window;
        unsigned key;
        const char* clicked;  // "" for nothing
    };
    const Case cases[] = {
        {prompt->GetHWND(), vk::Return, "OKBtn"},
        {prompt->GetHWND(), vk::Escape, "CancelBtn"},
        {editor->GetHWND(), vk::Escape, "closebtn"},  // no cancel button: Escape closes
        {editor->GetHWND(), vk::Return, ""},          // and Enter has nothing to press
        {custom->GetHWND(), vk::Return, "PressBtn"},
        {custom->GetHWND(), vk::Escape, ""},
        {owner_->GetHWND(), vk::Return, ""},  // the top-level window has no defaults
        {owner_->GetHWND(), vk::Escape, ""},
    };
    log_.clear();
    for (const Case& c : cases) {
        log_.clear();
        ownerLog_.clear();
        driver_.PressKey(c.window, c.key);
        Drain();
        std::vector<std::string> expected;
        if (*c.clicked != '\0') {
            expected.push_back(std::string("click:") + c.clicked);
        }
        EXPECT_EQ(log_, expected) << driver_.GetTitle(c.window) << " key " << c.key;
        EXPECT_TRUE(ownerLog_.empty());
    }
}

TEST_F(DesktopBehaviour, TabWalksEditsAndButtonsAndSpacePressesTheFocusedOne) {
    RecordingWindow* prompt = Child("Prompt.xml", "Prompt");
    const WindowHandle h = prompt->GetHWND();
    std::vector<std::string> visited;
    for (int i = 0; i < 5; ++i) {
        driver_.PressKey(h, vk::Tab);
        Drain();
        visited.push_back(driver_.FocusedControl(h));
    }
    // Skin order, hidden buttons skipped, round again.
    EXPECT_EQ(visited, (std::vector<std::string>{"closebtn", "NameEdit", "OKBtn", "CancelBtn",
                                                 "closebtn"}));
    driver_.PressKey(h, vk::Tab, mod::Shift);
    Drain();
    EXPECT_EQ(driver_.FocusedControl(h), "CancelBtn");

    // Enter and Space press the button that has the focus, not the default one.
    log_.clear();
    driver_.PressKey(h, vk::Space);
    driver_.PressKey(h, vk::Return);
    Drain();
    EXPECT_EQ(log_, (std::vector<std::string>{"click:CancelBtn", "click:CancelBtn"}));

    // The focused button carries a mark: its pixels change.
    const auto marked = test::ResourceFolder() / "marked.png";
    const auto plain = test::ResourceFolder() / "plain.png";
    driver_.SaveScreenshot(h, marked.string());
    driver_.Click(h, "OKBtn");  // a click takes the mark away
    Drain();
    driver_.SaveScreenshot(h, plain.string());
    EXPECT_NE(testing::Driver::ImagePixel(marked.string(), Point{181, 170}),
              testing::Driver::ImagePixel(plain.string(), Point{181, 170}));
}

TEST_F(DesktopBehaviour, MenusAnswerTheArrowKeysEnterAndEscape) {
    std::vector<MenuCommand> chosen;
    owner_->onMessage = [&](RecordingWindow& self, unsigned m, WParam w, LParam) {
        if (m != msg::MenuClick) {
            return false;
        }
        MenuCommand* record = MenuCommand::FromWParam(w);
        chosen.push_back(*record);
        self.GetPaintManager().DeletePtr(record);
        return true;
    };
    const auto open = [&] {
        return Menu::CreateMenu(nullptr, "KeysMenu.xml", Point{10, 10},
                                &owner_->GetPaintManager(), nullptr);
    };
    MenuHandle menu = open();
    // Down from nothing: "First"; again: past the disabled item and the separator.
    driver_.PressMenuKey(vk::Down);
    driver_.PressMenuKey(vk::Down);
    driver_.PressMenuKey(vk::Return);
    Drain();
    EXPECT_FALSE(menu.IsOpen());
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].name, "Third");

    menu = open();
    driver_.PressMenuKey(vk::Up);  // wraps to the last item
    driver_.PressMenuKey(vk::Down);
    driver_.PressMenuKey(vk::Return);
    Drain();
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[1].name, "First");

    menu = open();
    driver_.PressMenuKey(vk::Return);  // nothing highlighted: no choice
    EXPECT_TRUE(menu.IsOpen());
    driver_.PressMenuKey(vk::Escape);
    Drain();
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_EQ(chosen.size(), 2u);
}

TEST_F(DesktopBehaviour, TheDesktopReadsItsTitlesWhileLookupsKeepTheirs) {
    RecordingWindow* prompt = Child("Prompt.xml", "SaveTipsFrom");
    EXPECT_EQ(GetDesktopTitle(prompt->GetHWND()), "SaveTipsFrom");
    SetDesktopTitles([](const std::string& lookup) {
        return lookup == "SaveTipsFrom" ? std::string("Save profile") : std::string();
    });
    EXPECT_EQ(GetDesktopTitle(prompt->GetHWND()), "Save profile") << "live windows follow";
    RecordingWindow* later = Child("Prompt.xml", "SaveTipsFrom");
    EXPECT_EQ(GetDesktopTitle(later->GetHWND()), "Save profile") << "and so do new ones";
    EXPECT_EQ(GetDesktopTitle(owner_->GetHWND()), "Owner") << "no readable title: the lookup one";
    EXPECT_EQ(FindWindow("SaveTipsFrom"), prompt->GetHWND());
    EXPECT_EQ(FindWindow("Save profile"), kNoWindow);
    SetDesktopTitles(nullptr);
    EXPECT_EQ(GetDesktopTitle(later->GetHWND()), "SaveTipsFrom");
}

}  // namespace
}  // namespace orv::kit
