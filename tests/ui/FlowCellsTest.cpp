// The cells of the profile on screen: the selected look while an editor is open, relabelling
// after an edit, the non-default look, and the codes the editors' opening and closing send.

#include <gtest/gtest.h>

#include "FlowHarness.h"
#include "ui/kit/WindowSystem.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;
using kit::testing::Driver;
constexpr auto kA = static_cast<std::size_t>(ButtonSlot::A);

class FlowCellsTest : public FlowHarness {};

TEST_F(FlowCellsTest, ACellEditorShowsTheSelectedLookRelabelsAndClosesBackToNormal) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 2));
        d.Click(main, "J_A_P");
        const kit::WindowHandle editor = d.WaitForWindow(title::FunButtonForm);
        ASSERT_NE(editor, kit::kNoWindow);
        EXPECT_EQ(context->profile.selectedSlot, kA);
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "profile2_sel_A.png");
        // An editor's change relabels the cell it was opened for.
        for (const auto& [item, image] : {std::pair{"Plus", "profile2_sel_PLUS.png"},
                                          std::pair{"Home", "profile2_sel_HOME.png"},
                                          std::pair{"nothing", "profile2_empty_sel.png"}}) {
            d.OnUi([&] {
                context->profile.selectedItemName = item;
                kit::SendMessage(main, CellRefreshMessage);
            });
            EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), image) << item;
        }
        EXPECT_EQ(d.GetText(main, "J_A_P"), context->text.text(35));
        d.OnUi([&] {
            context->profile.selectedItemName = "unknown";
            kit::SendMessage(main, CellRefreshMessage);
        });
        EXPECT_EQ(d.GetText(main, "J_A_P"), "");
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "profile2_empty_sel.png");

        d.Click(editor, "closebtn");
        ASSERT_TRUE(d.WaitForWindowGone(editor));
        // Closing paints every cell normal, then the ones that differ from the factory.
        EXPECT_TRUE(d.WaitUntil(
            [&] { return d.GetAttribute(main, "J_A_P", "normalimage") == "default_a.png"; }));
    });
}

TEST_F(FlowCellsTest, NonDefaultCellsAndSticksGetTheirLookUntilChangedBack) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 2));
        const DeviceSettingsBlock original = context->images.workingBlock;
        d.OnUi([&] {
            ButtonSetting a = context->images.workingBlock.button(kA);
            a.SDownPos = 5;
            context->images.workingBlock.setButton(kA, a);
            StickSetting left = context->images.workingBlock.stick(StickSide::Left);
            left.sen = static_cast<std::uint8_t>(left.sen + 25);
            context->images.workingBlock.setStick(StickSide::Left, left);
        });
        send(d, MainWindowCode::RecomputeMarkers);
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "profile2_hot_B.png");
        EXPECT_EQ(d.GetAttribute(main, "LStickSetBtn", "normalimage"), "profile2_Stick_hot.png");
        EXPECT_EQ(d.GetAttribute(main, "J_B_P", "normalimage"), "default_b.png");

        // Code 22 with nothing selected changes nothing.
        const ButtonSetting factoryBefore = context->profile.selectedDefaultRecord;
        d.OnUi([&] { context->profile.selectedSlot = kSelectionNone; });
        send(d, MainWindowCode::UpdateCellMarker);
        EXPECT_EQ(context->profile.selectedDefaultRecord, factoryBefore);
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "profile2_hot_B.png");

        // The editor of A puts it back to the stored settings and closes: codes 20, 22, 24.
        d.OnUi([&] {
            context->images.workingBlock = original;
            context->profile.selectedSlot = static_cast<std::uint32_t>(kA);
            context->profile.editRecord = original.button(kA);
        });
        send(d, MainWindowCode::PaintCellsNormal);
        send(d, MainWindowCode::UpdateCellMarker);
        send(d, MainWindowCode::RecomputeMarkers);
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "default_a.png");
        EXPECT_EQ(d.GetAttribute(main, "LStickSetBtn", "normalimage"), "StickSetBtn_Nor.png");
        EXPECT_EQ(int{context->images.workingBlock.button(kA).SDownPos}, 6);
        EXPECT_EQ(int{context->profile.currentRecords[kA].SDownPos}, 6);
        EXPECT_EQ(int{context->profile.defaultRecords[kA].SDownPos}, 6);
    });
}

TEST_F(FlowCellsTest, SwitchCodesNeedTheirEditorAndTheMainWindowIgnoresTheEditorAnswer) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 2));
        const DeviceSettingsBlock working = context->images.workingBlock;
        for (const MainWindowCode code :
             {MainWindowCode::ConfirmLongPressSwitch, MainWindowCode::ConfirmBackToFunctionEditor,
              MainWindowCode::SwitchToLongPressEditor, MainWindowCode::SwitchToFunctionEditor}) {
            send(d, code);
        }
        d.OnUi([&] { kit::SendMessage(main, FunctionEditorAnswerMessage, 1); });
        d.Pump(50ms);
        for (const char* opened : {title::LDownSwitchConfirmFrom, title::LPressToFunBtnComForm,
                                   title::FunButtonForm, title::LPressSwitchForm}) {
            EXPECT_EQ(requestsOf(d, opened), 0u) << opened;
        }
        EXPECT_EQ(context->images.workingBlock, working);
    });
}

TEST_F(FlowCellsTest, StickCellOpensTheStickEditorInItsSelectedLook) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 3));
        d.Click(main, "RStickSetBtn");
        const kit::WindowHandle editor = d.WaitForWindow(title::StickSetForm);
        ASSERT_NE(editor, kit::kNoWindow);
        EXPECT_EQ(context->profile.selectedSlot, kSelectionRightStick);
        EXPECT_EQ(d.GetAttribute(main, "RStickSetBtn", "normalimage"), "profile3_Stick_sel.png");
        d.OnUi([&] { kit::PostMessage(editor, kit::msg::Close, 0); });
        EXPECT_TRUE(d.WaitForWindowGone(editor));
    });
}

}  // namespace
}  // namespace orv::testing
