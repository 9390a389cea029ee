// The stick settings editor over a stand-in main window.

#include "EditorHarness.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;

class EditorStickTest : public EditorHarness {
protected:
    EditorStickTest() {
        state.defaultLeftStick = StickSetting{0, 0, 100, 10, {}};
        state.defaultRightStick = StickSetting{0, 0, 100, 10, {}};
        state.editLeftStick = state.defaultLeftStick;
        state.editRightStick = state.defaultRightStick;
        state.selectedSlot = kSelectionRightStick;
    }
};

TEST_F(EditorStickTest, OpeningShowsTheStickAndPostsNothing) {
    state.editRightStick = StickSetting{2, 3, 0, 0, {}};
    runEditor(OpenedEditor::Stick, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        EXPECT_EQ(d.GetText(editor, "LeftRightBtnMenu"), text(20));
        EXPECT_EQ(d.GetText(editor, "InsOriBtnMenu"), text(39));
        EXPECT_EQ(d.GetText(editor, "SensitiveBtnMenu"), "0%");
        // A stored 0 has its own wording, distinct from the menu item's text 35.
        EXPECT_EQ(d.GetText(editor, "UnrAreaBtnMenu"), text(81));
        EXPECT_NE(text(81), text(35));
        // Profile 1 is green: every field differs from the factory stick, so all are lit.
        for (const char* button :
             {"LeftRightBtnMenu", "InsOriBtnMenu", "SensitiveBtnMenu", "UnrAreaBtnMenu"}) {
            EXPECT_EQ(d.GetAttribute(editor, button, "hotimage"), "FunSetBtnBK_DeepGreen.png");
            EXPECT_EQ(d.GetAttribute(editor, button, "normalimage"), "FunSetBtnBK_LightGreen.png");
        }
        settle(d);
        EXPECT_TRUE(received(d).empty());
    });
}

TEST_F(EditorStickTest, PlacesTheWindowByStickAndLanguage) {
    struct Case {
        std::uint32_t slot;
        const char* language;
        kit::Rect parent;
        int expectedLeft;
    };
    // Left edge = parent.left + (width - 1700) / 2 truncated toward zero + X; top + 270.
    const Case cases[] = {
        {kSelectionRightStick, "english", {100, 40, 1800, 940}, 100 + 732},
        {kSelectionRightStick, "japanese", {100, 40, 1800, 940}, 100 + 867},
        {kSelectionLeftStick, "japanese", {100, 40, 1800, 940}, 100 + 437},
        {kSelectionLeftStick, "english", {100, 40, 1799, 940}, 100 + 437},  // -1/2 is 0
        {kSelectionLeftStick, "english", {100, 40, 1900, 940}, 100 + 50 + 437},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " slot " + std::to_string(c.slot));
        texts.language = c.language;
        state.selectedSlot = c.slot;
        parentRect = c.parent;
        runEditor(OpenedEditor::Stick, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
            const kit::Rect r = d.GetWindowRect(editor);
            EXPECT_EQ(r.left, c.expectedLeft);
            EXPECT_EQ(r.top, 40 + 270);
            EXPECT_EQ(r.Width(), 440);  // the skin's size is kept
        });
    }
}

TEST_F(EditorStickTest, SensitivityChoiceStoresAndTellsNobody) {
    runEditor(OpenedEditor::Stick, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        ASSERT_TRUE(chooseFromMenu(d, editor, "SensitiveBtnMenu", "sen125"));
        EXPECT_TRUE(d.WaitUntil([&] { return state.editRightStick.sen == 125; }, 3s));
        EXPECT_EQ(d.GetText(editor, "SensitiveBtnMenu"), "125%");
        EXPECT_EQ(onUi<int>(d, [&] { return images.workingBlock.stick(StickSide::Right).sen; }),
                  125);
        EXPECT_EQ(d.GetAttribute(editor, "SensitiveBtnMenu", "normalimage"),
                  "FunSetBtnBK_LightGreen.png");
        settle(d);
        EXPECT_TRUE(received(d).empty());
    });
}

TEST_F(EditorStickTest, ModeChoiceSendsTheCellRefreshWithItsItemName) {
    runEditor(OpenedEditor::Stick, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        ASSERT_TRUE(chooseFromMenu(d, editor, "LeftRightBtnMenu", "modeR"));
        ASSERT_TRUE(waitForMessages(d, 1));
        const std::vector<ParentMessage> seen = received(d);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].message, CellRefreshMessage);
        EXPECT_TRUE(seen[0].sent);
        EXPECT_EQ(seen[0].selectedItemName, "modeR");
        EXPECT_EQ(d.GetText(editor, "LeftRightBtnMenu"), text(20));
        EXPECT_EQ(onUi<int>(d, [&] { return images.workingBlock.stick(StickSide::Right).mode; }),
                  2);
        // The left stick of the image is untouched.
        EXPECT_EQ(onUi<int>(d, [&] { return images.workingBlock.stick(StickSide::Left).mode; }), 0);
    });
}

TEST_F(EditorStickTest, DeadZoneAndRotationChoicesShowTheirTexts) {
    state.editRightStick.deadzone = 25;
    runEditor(OpenedEditor::Stick, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        EXPECT_EQ(d.GetText(editor, "UnrAreaBtnMenu"), "25%");
        ASSERT_TRUE(chooseFromMenu(d, editor, "UnrAreaBtnMenu", "DeadzoneNothing"));
        EXPECT_TRUE(d.WaitUntil([&] { return state.editRightStick.deadzone == 0; }, 3s));
        EXPECT_EQ(d.GetText(editor, "UnrAreaBtnMenu"), text(35));
        ASSERT_TRUE(chooseFromMenu(d, editor, "InsOriBtnMenu", "Lrotate90"));
        EXPECT_TRUE(d.WaitUntil([&] { return state.editRightStick.rotate == 1; }, 3s));
        EXPECT_EQ(d.GetText(editor, "InsOriBtnMenu"), text(38));
        EXPECT_EQ(
            onUi<StickSetting>(d, [&] { return images.workingBlock.stick(StickSide::Right); }),
            (StickSetting{0, 1, 100, 0, {}}));
        settle(d);
        EXPECT_TRUE(received(d).empty());
    });
}

TEST_F(EditorStickTest, DismissedMenuPutsTheBackgroundsBack) {
    runEditor(OpenedEditor::Stick, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        d.Click(editor, "InsOriBtnMenu");
        ASSERT_TRUE(d.WaitUntil([] { return !kit::Menu::OpenMenus().empty(); }, 3s));
        EXPECT_EQ(d.GetAttribute(editor, "InsOriBtnMenu", "normalimage"),
                  "FunSetBtnBK_DeepGreen.png");
        EXPECT_TRUE(d.DismissMenu());
        EXPECT_TRUE(d.WaitUntil(
            [&] {
                return d.GetAttribute(editor, "InsOriBtnMenu", "normalimage") ==
                       "FunSetBtnBK_Blank.png";
            },
            3s));
    });
}

TEST_F(EditorStickTest, DirectionTestAndCloseButtonsPostTheirCodes) {
    runEditor(OpenedEditor::Stick, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        for (const char* button : {"LeftRightDirBtn", "UnrAreaDirBtn", "SensitiveTestBtn",
                                   "UnrAreaTestBtn", "InsOriTestBtn"}) {
            d.Click(editor, button);
        }
        ASSERT_TRUE(waitForMessages(d, 5));
        d.Click(editor, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(editor));
        ASSERT_TRUE(waitForMessages(d, 6));
        std::vector<std::pair<kit::WParam, kit::LParam>> seen;
        for (const ParentMessage& m : received(d)) {
            EXPECT_EQ(m.message, MainWindowMessage);
            EXPECT_FALSE(m.sent);
            seen.emplace_back(m.wParam, m.lParam);
        }
        // The sensitivity test is 2008 and the dead-zone test 2007; closing posts only 24.
        EXPECT_EQ(seen, (std::vector<std::pair<kit::WParam, kit::LParam>>{
                            {10, 1000}, {10, 1003}, {11, 2008}, {11, 2007}, {11, 2006}, {24, 0}}));
    });
}

TEST_F(EditorStickTest, WithoutAStickSelectedNothingIsWritten) {
    state.selectedSlot = kSelectionNone;
    const DeviceSettingsBlock before = images.workingBlock;
    runEditor(OpenedEditor::Stick, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        ASSERT_TRUE(chooseFromMenu(d, editor, "SensitiveBtnMenu", "sen50"));
        EXPECT_TRUE(
            d.WaitUntil([&] { return d.GetText(editor, "SensitiveBtnMenu") == "50%"; }, 3s));
        EXPECT_EQ(d.GetWindowRect(editor).left, 0);
        EXPECT_EQ(d.GetWindowRect(editor).top, 0);
    });
    EXPECT_EQ(state.editRightStick.sen, 100);
    EXPECT_EQ(state.editLeftStick.sen, 100);
    EXPECT_EQ(images.workingBlock, before);
}

TEST_F(EditorStickTest, PublicOpenerUsesTheLanguageSkinAndTitle) {
    usePublicOpeners = true;
    texts.language = "japanese";
    runEditor(OpenedEditor::Stick, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        EXPECT_EQ(d.GetTitle(editor), "StickSetForm");
        EXPECT_EQ(d.GetWindowRect(editor).left, 100 + 867);
        d.Click(editor, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(editor));
        EXPECT_TRUE(waitForMessages(d, 1));
        EXPECT_EQ(codes(d), (std::vector<kit::WParam>{24}));
    });
}

}  // namespace
}  // namespace orv::testing
