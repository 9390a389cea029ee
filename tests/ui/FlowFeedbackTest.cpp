// What the main window tells the user while a profile is open: the hint that the other tabs
// wait for Save or Revert, the confirmations after a factory reset, an export and an import,
// and the unsaved-changes marks on "SaveBtn" and the open profile's tab.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "FlowHarness.h"
#include "profile/ProfileModel.h"

namespace orv::testing {
namespace {

using kit::testing::Driver;
using namespace std::chrono_literals;
constexpr auto kA = static_cast<std::size_t>(ButtonSlot::A);
const std::string kMark = "\u25CF";

class FlowFeedbackTest : public FlowHarness {
protected:
    // The unsaved marks as the window shows them: Save's text and each tab's text.
    void expectMarks(Driver& d, kit::WindowHandle main, std::uint32_t markedTab) {
        const std::string save = context->text.text(23);
        EXPECT_EQ(d.GetText(main, "SaveBtn"), markedTab != 0 ? save + " " + kMark : save);
        for (std::uint32_t p = 1; p <= 6; ++p) {
            EXPECT_EQ(d.GetText(main, "ProFileIndex" + std::to_string(p)),
                      p == markedTab ? kMark : "")
                << "tab " << p;
        }
    }
    void changeA(Driver& d, std::uint8_t code) {
        d.OnUi([&] {
            ButtonSetting a = context->images.workingBlock.button(kA);
            a.SDownPos = code;
            context->images.workingBlock.setButton(kA, a);
        });
    }
    bool chooseFromFileMenu(Driver& d, kit::WindowHandle main, const std::string& item) {
        d.Click(main, "FileMenuBtn");
        return d.WaitUntil([&] { return d.IsMenuOpen(); }) && d.ChooseMenuItem(item);
    }
};

TEST_F(FlowFeedbackTest, HintAndUnsavedMarksFollowTheEditingState) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        EXPECT_FALSE(d.IsVisible(main, "StatusLabel"));
        ASSERT_TRUE(editProfile(d, main, 2));
        // The other tabs do nothing while editing; the status line says why.
        EXPECT_TRUE(d.IsVisible(main, "StatusLabel"));
        EXPECT_EQ(d.GetText(main, "StatusLabel"), context->text.text(303));
        expectMarks(d, main, 0);

        // An edit the editors commit marks Save and the open tab; undoing it clears them.
        const std::uint8_t original = context->images.workingBlock.button(kA).SDownPos;
        changeA(d, static_cast<std::uint8_t>(original == 5 ? 6 : 5));
        send(d, MainWindowCode::RecomputeMarkers);
        expectMarks(d, main, 2);
        changeA(d, original);
        send(d, MainWindowCode::RecomputeMarkers);
        expectMarks(d, main, 0);

        // The marks survive a language switch and go with Revert.
        changeA(d, static_cast<std::uint8_t>(original == 5 ? 6 : 5));
        send(d, MainWindowCode::RecomputeMarkers);
        d.Click(main, "LanguageBtn");
        ASSERT_TRUE(d.WaitUntil([&] { return d.IsMenuOpen(); }));
        ASSERT_TRUE(d.ChooseMenuItem("Japanese"));
        ASSERT_TRUE(d.WaitUntil([&] { return context->text.language == "japanese"; }));
        d.OnUi([] {});
        expectMarks(d, main, 2);
        EXPECT_EQ(d.GetText(main, "StatusLabel"), context->text.text(303));
        ASSERT_TRUE(answer(d, main, "RestoreLastTimeBtn", title::QuitEditPromptFrom, "OKBtn"));
        expectMarks(d, main, 0);
        EXPECT_FALSE(d.IsVisible(main, "StatusLabel"));
        EXPECT_TRUE(d.MessageBoxes().empty());
    });
}

TEST_F(FlowFeedbackTest, FactoryResetSaysSaveWritesItAndMarksTheProfile) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        // Profile 1 as the controller holds it differs from the factory settings.
        DeviceSettingsBlock stored = context->images.nsProfiles[0];
        ButtonSetting a = stored.button(kA);
        a.SDownPos = static_cast<std::uint8_t>(a.SDownPos == 5 ? 6 : 5);
        stored.setButton(kA, a);
        d.OnUi([&] { context->images.nsProfiles[0] = stored; });
        ASSERT_TRUE(editProfile(d, main, 1));
        ASSERT_TRUE(answer(d, main, "ResetBtn", title::ResetDataFrom, "OKBtn"));
        ASSERT_TRUE(d.WaitUntil(
            [&] { return d.GetText(main, "StatusLabel") == context->text.text(300); }));
        EXPECT_TRUE(d.IsVisible(main, "StatusLabel"));
        expectMarks(d, main, 1);
        EXPECT_TRUE(d.MessageBoxes().empty());
    });
}

TEST_F(FlowFeedbackTest, ExportAndImportNameTheFileAndTheProfile) {
    const std::string exported = (scratch / "moved.db").string();
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 2));
        const std::string name = d.GetText(main, "ProFileBtn2");
        d.QueueFileDialogAnswer(exported);
        ASSERT_TRUE(chooseFromFileMenu(d, main, "ExportMenuBtn"));
        const std::string exportedLine = "Profile “" + name + "” exported to moved.db.";
        EXPECT_TRUE(d.WaitUntil([&] { return d.GetText(main, "StatusLabel") == exportedLine; }))
            << d.GetText(main, "StatusLabel");
        expectMarks(d, main, 0);  // exporting changes nothing that Save would write

        ASSERT_TRUE(answer(d, main, "RestoreLastTimeBtn", title::QuitEditPromptFrom, "OKBtn"));
        ASSERT_TRUE(editProfile(d, main, 5));
        d.QueueFileDialogAnswer(exported);
        ASSERT_TRUE(chooseFromFileMenu(d, main, "ImportMenuBtn"));
        const std::string importedLine =
            "moved.db imported into profile “moved”. Save writes it to the controller.";
        EXPECT_TRUE(d.WaitUntil([&] { return d.GetText(main, "StatusLabel") == importedLine; }))
            << d.GetText(main, "StatusLabel");
        EXPECT_TRUE(d.MessageBoxes().empty());
    });
}

TEST_F(FlowFeedbackTest, CellsMarkWhatTheirPictureDoesNotShow) {
    struct Case {
        const char* what;
        std::function<void(ButtonSetting&)> change;
        const char* english;
        const char* japanese;
    };
    const std::vector<Case> cases = {
        {"nothing beyond the short press", [](ButtonSetting&) {}, "", ""},
        {"long press", [](ButtonSetting& b) { b.LDownPos = 3; }, "L", "長"},
        {"turbo", [](ButtonSetting& b) { b.TurboPos = 0; }, "T", "連"},
        {"continuous-disable", [](ButtonSetting& b) { b.ConDisable = 1; }, "C", "無"},
        {"all three",
         [](ButtonSetting& b) {
             b.LDownPos = 3;
             b.TurboPos = 4;
             b.ConDisable = 1;
         },
         "L T C", "長 連 無"},
        {"an out-of-range code reads as none", [](ButtonSetting& b) { b.LDownPos = 40; }, "", ""},
        {"long-press switch hides the rest",
         [](ButtonSetting& b) {
             b.LSwitchFlag = 1;
             b.LDownPos = 3;
         },
         "S", "切"},
    };
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        EXPECT_EQ(d.GetText(main, "Marks_J_A_P"), "");
        ASSERT_TRUE(editProfile(d, main, 1));
        EXPECT_TRUE(d.IsVisible(main, "MarkLegendLabel"));
        ButtonSetting plain{};
        d.OnUi([&] { plain = context->profile.defaultRecords.at(kA); });
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            ButtonSetting button = plain;
            c.change(button);
            d.OnUi([&] { context->images.workingBlock.setButton(kA, button); });
            send(d, MainWindowCode::RecomputeMarkers);
            EXPECT_EQ(d.GetText(main, "Marks_J_A_P"), c.english);
            EXPECT_EQ(d.GetText(main, "Marks_J_B_P"), "");
            d.OnUi([&] { context->text.language = "japanese"; });
            send(d, MainWindowCode::RecomputeMarkers);
            EXPECT_EQ(d.GetText(main, "Marks_J_A_P"), c.japanese);
            d.OnUi([&] { context->text.language = "english"; });
        }
        ASSERT_TRUE(answer(d, main, "RestoreLastTimeBtn", title::QuitEditPromptFrom, "OKBtn"));
        EXPECT_EQ(d.GetText(main, "Marks_J_A_P"), "");
        EXPECT_FALSE(d.IsVisible(main, "MarkLegendLabel"));
    });
}

}  // namespace
}  // namespace orv::testing
