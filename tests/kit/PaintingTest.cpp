#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "KitTestSupport.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/testing/Driver.h"

namespace orv::kit {
namespace {

using test::Drain;
using test::RecordingWindow;

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kGrey = 0xFF808080;
constexpr std::uint32_t kYellow = 0xFFFFFF00;

// Saves a solid-colour PNG by photographing a window of that colour; tests include no Qt.
void MakeSolidImage(testing::Driver& driver, const std::string& name, std::uint32_t argb) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "#%08X", argb);
    const std::string skin =
        std::string("<Window size=\"8,8\" bkcolor=\"") + colour + "\"><Control/></Window>";
    test::WriteResource("solid.xml", skin);
    auto* w = new RecordingWindow("solid.xml");
    ASSERT_NE(w->Create(kNoWindow, "solid", style::Visible, 0), kNoWindow);
    const auto path = test::ResourceFolder() / name;
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(driver.SaveScreenshot(w->GetHWND(), path.string()));
    w->DestroyWindow();
}

TEST(Painting, ImagesAndLooksFollowTheControlState) {
    testing::Driver driver;
    MakeSolidImage(driver, "nor.png", kRed);
    MakeSolidImage(driver, "hot.png", kGreen);
    MakeSolidImage(driver, "dis.png", kGrey);
    MakeSolidImage(driver, "sel.png", kYellow);
    MakeSolidImage(driver, "img/file.png", kBlue);
    // file='…' is relative to the executable folder; point it at the scratch folder's parent.
    const std::string savedInstance = PaintManager::GetInstancePath();
    PaintManager::SetInstancePath(test::ResourceFolder().parent_path().string());
    const std::string folder = test::ResourceFolder().filename().string();

    const std::string skin = R"(<Window size="200,40"><HorizontalLayout>
        <Button name="Plain" normalimage="nor.png" hotimage="hot.png" disabledimage="dis.png"/>
        <Button name="FromFile" normalimage="file=')" +
                             folder + R"(/img/file.png' corner='2,2,2,2'"/>
        <Option name="Opt" normalimage="nor.png" selectedimage="sel.png"/>
        <Button name="Missing" normalimage="nothere.png" bkcolor="#FF000000"/>
      </HorizontalLayout></Window>)";
    test::WriteResource("Looks.xml", skin);
    auto* w = new RecordingWindow("Looks.xml");
    const WindowHandle h = w->Create(kNoWindow, "LooksForm", style::Visible, 0);
    ASSERT_NE(h, kNoWindow) << w->GetCreateError();
    const std::string shot = (test::ResourceFolder() / "looks.png").string();
    const auto pixelOf = [&](const char* control) {
        const Rect r = w->GetPaintManager().FindControl(control)->GetPos();
        driver.SaveScreenshot(h, shot);
        return testing::Driver::ImagePixel(shot, r.Centre()).value_or(0);
    };

    EXPECT_EQ(pixelOf("Plain"), kRed);
    EXPECT_EQ(pixelOf("FromFile"), kBlue);
    EXPECT_EQ(pixelOf("Opt"), kRed);
    EXPECT_EQ(pixelOf("Missing"), 0xFF000000u) << "a missing image draws nothing";

    driver.Hover(h, "Plain");
    EXPECT_EQ(pixelOf("Plain"), kGreen);
    w->GetPaintManager().FindControl("Plain")->SetEnabled(false);
    EXPECT_EQ(pixelOf("Plain"), kGrey);
    driver.Click(h, "Opt");
    EXPECT_EQ(pixelOf("Opt"), kYellow);
    // Images can be swapped at run time like any attribute.
    w->GetPaintManager().FindControl("Opt")->SetAttribute("selectedimage", "hot.png");
    EXPECT_EQ(pixelOf("Opt"), kGreen);

    PaintManager::SetInstancePath(savedInstance);
    w->DestroyWindow();
    Drain();
}

TEST(Painting, RightClickSendsMenuNotification) {
    test::WriteResource("Right.xml", R"(<Window size="100,40"><Button name="Cell"/></Window>)");
    std::vector<std::string> log;
    auto* w = new RecordingWindow("Right.xml", &log);
    ASSERT_NE(w->Create(kNoWindow, "RightForm", style::Visible, 0), kNoWindow);
    testing::Driver driver;
    log.clear();
    driver.RightClick(w->GetHWND(), "Cell");
    EXPECT_EQ(log, (std::vector<std::string>{"menu:Cell"}));
    w->Forget();
    w->DestroyWindow();
    Drain();
}

}  // namespace
}  // namespace orv::kit
