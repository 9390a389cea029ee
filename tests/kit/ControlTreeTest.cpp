#include <gtest/gtest.h>

#include <thread>

#include "KitTestSupport.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit {
namespace {

using test::Drain;
using test::RecordingWindow;

constexpr const char* kPanelSkin = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="300,200" caption="0,0,0,30" bkcolor="#FF101010">
  <Font id="0" name="Noto Sans CJK JP" size="12" default="true"/>
  <Default class="Label" textcolor="#FFCCCCCC"/>
  <VerticalLayout inset="10,10,10,10" childpadding="5">
    <Label name="Title" height="30" text="Title"/>
    <HorizontalLayout height="50" childpadding="10">
      <Button name="Left" text="L"/>
      <Button name="Middle" width="60" text="M"/>
      <Button name="Right" text="R"/>
    </HorizontalLayout>
    <Control name="Filler"/>
    <Button name="Float" float="true" pos="200,150,260,180" text="F"/>
    <Button name="Ghost" float="true" pos="200,150,260,180" mouse="false"/>
    <Button name="Hidden" float="true" pos="10,150,60,180" visible="false"/>
  </VerticalLayout>
</Window>
)";

class ControlTree : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteResource("Panel.xml", kPanelSkin);
        window_ = new RecordingWindow("Panel.xml");
        handle_ = window_->Create(kNoWindow, "PanelForm", style::Dialog, 0);
        ASSERT_NE(handle_, kNoWindow) << window_->GetCreateError();
        Drain();
    }
    void TearDown() override { test::DestroyAllWindows(); }
    Control* Find(const char* name) { return window_->GetPaintManager().FindControl(name); }

    RecordingWindow* window_ = nullptr;
    WindowHandle handle_ = kNoWindow;
};

TEST_F(ControlTree, BoxLayoutsAndFloatsArePlaced) {
    EXPECT_EQ(window_->GetWindowRect().Width(), 300);
    EXPECT_EQ(Find("Title")->GetPos(), (Rect{10, 10, 290, 40}));
    // 280 wide row: 60 fixed, two gaps of 10, the two others share 200.
    EXPECT_EQ(Find("Left")->GetPos(), (Rect{10, 45, 110, 95}));
    EXPECT_EQ(Find("Middle")->GetPos(), (Rect{120, 45, 180, 95}));
    EXPECT_EQ(Find("Right")->GetPos(), (Rect{190, 45, 290, 95}));
    EXPECT_EQ(Find("Filler")->GetPos(), (Rect{10, 100, 290, 190}));
    EXPECT_EQ(Find("Float")->GetPos(), (Rect{200, 150, 260, 180}));

    // "x,y,0,0" moves without resizing.
    Find("Float")->SetAttribute("pos", "20,20,0,0");
    EXPECT_EQ(Find("Float")->GetPos(), (Rect{20, 20, 80, 50}));
    // Hiding a stacked child gives its room to the others.
    Find("Middle")->SetVisible(false);
    EXPECT_EQ(Find("Left")->GetPos(), (Rect{10, 45, 145, 95}));
}

TEST_F(ControlTree, LookupByNameAndPoint) {
    EXPECT_EQ(Find("NoSuchControl"), nullptr);
    EXPECT_EQ(Find("Middle")->GetClass(), "Button");
    PaintManager& pm = window_->GetPaintManager();
    EXPECT_EQ(pm.FindControl(Point{150, 70}), Find("Middle"));
    // The float lies on top of the filler; the mouse="false" one above it lets it through.
    EXPECT_EQ(pm.FindControl(Point{230, 160}), Find("Float"));
    // Hidden controls are not found by point.
    EXPECT_EQ(pm.FindControl(Point{30, 160}), Find("Filler"));
    EXPECT_EQ(pm.FindControl(Point{500, 500}), nullptr);
    // Class defaults show through GetAttribute; own values win.
    EXPECT_EQ(Find("Title")->GetAttribute("textcolor"), "#FFCCCCCC");
}

TEST_F(ControlTree, SettingTheCurrentValueRepaintsNothing) {
    Control* middle = Find("Middle");
    Control* left = Find("Left");
    PaintManager& pm = window_->GetPaintManager();
    window_->ShowWindow();
    Drain();
    ASSERT_GT(middle->PaintCount(), 0) << "the offscreen platform paints shown windows";

    const int invalidations = pm.InvalidateCount();
    const int middlePaints = middle->PaintCount();
    const int leftPaints = left->PaintCount();
    middle->SetText("M");
    middle->SetAttribute("width", "60");
    middle->SetVisible(true);
    middle->SetEnabled(true);
    Find("Title")->SetAttribute("textcolor", "#FFCCCCCC");  // equals the class default
    Drain();
    EXPECT_EQ(pm.InvalidateCount(), invalidations);
    EXPECT_EQ(middle->PaintCount(), middlePaints);

    middle->SetText("changed");
    Drain();
    EXPECT_GT(pm.InvalidateCount(), invalidations);
    EXPECT_GT(middle->PaintCount(), middlePaints);
    // Only what changed is drawn again: the neighbour in the same row is left alone.
    EXPECT_EQ(left->PaintCount(), leftPaints);
    EXPECT_EQ(middle->GetText(), "changed");
}

TEST_F(ControlTree, AttributesSetFromAWorkerThreadApplyOnTheUiThread) {
    Control* middle = Find("Middle");
    std::thread worker([middle] { middle->SetAttribute("mouse", "false"); });
    worker.join();
    EXPECT_TRUE(middle->IsMouseEnabled()) << "not applied on the worker thread";
    Drain();
    EXPECT_FALSE(middle->IsMouseEnabled());
}

TEST_F(ControlTree, OptionsOfOneGroupExcludeEachOther) {
    constexpr const char* skin = R"(<Window size="200,100"><HorizontalLayout>
      <Option name="NSOption" group="mode" selected="true"/>
      <Option name="PCOption" group="mode"/>
      <CheckBox name="Check"/>
    </HorizontalLayout></Window>)";
    test::WriteResource("Options.xml", skin);
    auto* w = new RecordingWindow("Options.xml");
    ASSERT_NE(w->Create(kNoWindow, "OptionsForm", style::Dialog, 0), kNoWindow);
    PaintManager& pm = w->GetPaintManager();
    EXPECT_TRUE(pm.FindControl("NSOption")->IsSelected());
    pm.FindControl("PCOption")->Selected(true);
    EXPECT_FALSE(pm.FindControl("NSOption")->IsSelected());
    EXPECT_TRUE(pm.FindControl("PCOption")->IsSelected());
    pm.FindControl("Check")->SetCheck(true);
    EXPECT_TRUE(pm.FindControl("Check")->GetCheck());
    w->DestroyWindow();
    Drain();
}

}  // namespace
}  // namespace orv::kit
