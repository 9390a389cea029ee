#include <gtest/gtest.h>

#include <filesystem>

#include "KitTestSupport.h"
#include "ui/kit/Application.h"
#include "ui/kit/Clock.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/testing/Driver.h"
#include "ui/kit/testing/ManualClock.h"

namespace orv::kit {
namespace {

using test::Drain;
using test::RecordingWindow;
using namespace std::chrono_literals;

constexpr const char* kFormSkin = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="320,200" caption="0,0,0,30" bkcolor="#FF20242E">
  <Font id="0" name="Noto Sans CJK JP" size="14" default="true"/>
  <VerticalLayout inset="10,40,10,10" childpadding="6">
    <HorizontalLayout height="40" childpadding="6">
      <Button name="OKBtn" text="OK" bkcolor="#FF3F8CFF" textcolor="#FFFFFFFF"/>
      <Button name="HiddenBtn" visible="false"/>
      <Button name="DisabledBtn" enabled="false"/>
      <Button name="GhostBtn" mouse="false"/>
    </HorizontalLayout>
    <Edit name="NameEdit" height="30" maxchar="8" bkcolor="#FFFFFFFF"/>
    <HorizontalLayout height="30">
      <Option name="NSOption" group="mode" selected="true"/>
      <Option name="PCOption" group="mode"/>
    </HorizontalLayout>
  </VerticalLayout>
  <Font id="1" size="12"/>
</Window>
)";

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteResource("Form.xml", kFormSkin);
        Application::ResetQuit();
        window_ = new RecordingWindow("Form.xml", &log_);
        handle_ = window_->Create(kNoWindow, "ProfileForm", style::Dialog, 0);
        ASSERT_NE(handle_, kNoWindow) << window_->GetCreateError();
        Clock::Install(&clock_);
        log_.clear();
    }
    void TearDown() override {
        Clock::Install(nullptr);
        test::DestroyAllWindows();
        Application::ResetQuit();
    }

    testing::ManualClock clock_;
    testing::Driver driver_;
    std::vector<std::string> log_;
    RecordingWindow* window_ = nullptr;
    WindowHandle handle_ = kNoWindow;
};

TEST_F(DriverTest, OnlyControlsAUserCouldClickReact) {
    EXPECT_TRUE(driver_.Click(handle_, "OKBtn"));
    EXPECT_TRUE(driver_.Click(handle_, "HiddenBtn"));
    EXPECT_TRUE(driver_.Click(handle_, "DisabledBtn"));
    EXPECT_TRUE(driver_.Click(handle_, "GhostBtn"));
    EXPECT_FALSE(driver_.Click(handle_, "NoSuchBtn"));
    EXPECT_EQ(log_, (std::vector<std::string>{"click:OKBtn"}));
}

TEST_F(DriverTest, DoubleClicksFollowTheInjectedClock) {
    driver_.Click(handle_, "OKBtn");
    clock_.AdvanceMilliseconds(200);
    driver_.Click(handle_, "OKBtn");
    clock_.AdvanceMilliseconds(600);
    driver_.Click(handle_, "OKBtn");
    EXPECT_EQ(log_, (std::vector<std::string>{"click:OKBtn", "click:OKBtn", "dbclick:OKBtn",
                                              "click:OKBtn"}));
}

TEST_F(DriverTest, OptionsSelectOnClickAndTypingFillsTheEdit) {
    driver_.Click(handle_, "PCOption");
    EXPECT_TRUE(driver_.IsSelected(handle_, "PCOption"));
    EXPECT_FALSE(driver_.IsSelected(handle_, "NSOption"));
    EXPECT_EQ(log_, (std::vector<std::string>{"selectchanged:PCOption", "click:PCOption"}));

    ASSERT_TRUE(driver_.TypeText(handle_, "NameEdit", "名前abcdefghij"));
    // maxchar="8" holds as it would for a user.
    EXPECT_EQ(driver_.GetText(handle_, "NameEdit"), "名前abcdef");
    window_->GetPaintManager().FindControl("NameEdit")->SetText("reset");
    EXPECT_EQ(driver_.GetText(handle_, "NameEdit"), "reset");
    EXPECT_FALSE(driver_.TypeText(handle_, "OKBtn", "x")) << "only edits take typing";
}

TEST_F(DriverTest, ScreenshotShowsTheSkin) {
    window_->ShowWindow();
    const auto path = test::ResourceFolder() / "shot.png";
    ASSERT_TRUE(driver_.SaveScreenshot(handle_, path.string()));
    EXPECT_EQ(testing::Driver::ImageSize(path.string()), (Size{320, 200}));
    // Window bkcolor, and the button's own background.
    EXPECT_EQ(testing::Driver::ImagePixel(path.string(), Point{5, 5}), 0xFF20242Eu);
    const Rect ok = window_->GetPaintManager().FindControl("OKBtn")->GetPos();
    EXPECT_EQ(testing::Driver::ImagePixel(path.string(), Point{ok.left + 2, ok.top + 2}),
              0xFF3F8CFFu);
}

// A script beside a running program: the program opens a modal dialog from a click, the
// script keeps acting while that nested loop runs.
TEST_F(DriverTest, ScriptsDriveNestedModalLoops) {
    window_->onNotify = [](RecordingWindow& self, Notification& n) {
        if (n.type != "click" || n.sender->GetName() != "OKBtn") {
            return;
        }
        auto* dialog = new RecordingWindow("Form.xml");
        dialog->Create(self.GetHWND(), "SaveTipsFrom", style::Dialog, 0);
        dialog->onNotify = [](RecordingWindow& d, Notification& dn) {
            if (dn.type == "click" && dn.sender->GetName() == "OKBtn") {
                MessageBox(d.GetHWND(), "Saved", "prompt", MessageBoxIcon::Information);
                d.Close(1);
            }
        };
        dialog->ShowModal();
        PostQuitMessage(0);
    };
    std::vector<std::string> steps;
    const bool ok = driver_.Run(
        [&](testing::Driver& d) {
            d.Click(handle_, "OKBtn");
            const WindowHandle dialog = d.WaitForWindow("SaveTipsFrom", 5s);
            if (dialog == kNoWindow) {
                steps.push_back("no dialog");
                return;
            }
            steps.push_back("dialog");
            // The main window is blocked while the dialog is modal.
            d.Click(handle_, "PCOption");
            d.Click(dialog, "OKBtn");
            if (d.WaitForMessageBox(1, 5s)) {
                steps.push_back("box " + d.MessageBoxes()[0].text);
            }
            if (d.WaitForWindowGone("SaveTipsFrom", 5s)) {
                steps.push_back("closed");
            }
        },
        [] { Application::Instance()->MessageLoop(); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(steps, (std::vector<std::string>{"dialog", "box Saved", "closed"}));
    EXPECT_FALSE(driver_.IsSelected(handle_, "PCOption"));
    EXPECT_TRUE(Application::QuitRequested());
}

TEST_F(DriverTest, WaitingForAWindowThatNeverComesTimesOut) {
    EXPECT_EQ(driver_.WaitForWindow("NeverForm", 50ms), kNoWindow);
    EXPECT_EQ(driver_.WaitForWindow("ProfileForm", 50ms), handle_);
}

}  // namespace
}  // namespace orv::kit
