// The long-press switch editor and its way back to the function editor, over a stand-in main
// window.

#include "EditorHarness.h"
#include "profile/ProfileModel.h"
#include "ui/editors/EditorOpening.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kSlot = 12;

class EditorLongPressSwitchTest : public EditorHarness {
protected:
    EditorLongPressSwitchTest() { select({31, 31, 6, 31, 31}, 20); }

    void select(std::array<std::uint8_t, 5> positions, std::uint8_t time) {
        ButtonSetting button = record(6);
        button.LSwitchPos1 = positions[0];
        button.LSwitchPos2 = positions[1];
        button.LSwitchPos3 = positions[2];
        button.LSwitchPos4 = positions[3];
        button.LSwitchPos5 = positions[4];
        button.LSwitchTime = time;
        button.LSwitchFlag = 1;
        selectButton(kSlot, button, record(6));
    }
    ButtonSetting working(kit::testing::Driver& d) const {
        return onUi<ButtonSetting>(d, [&] { return images.workingBlock.button(kSlot); });
    }
    // The CellRefreshMessages the parent received.
    std::vector<ParentMessage> refreshes(kit::testing::Driver& d) const {
        std::vector<ParentMessage> result;
        for (const ParentMessage& m : received(d)) {
            if (m.message == CellRefreshMessage) {
                result.push_back(m);
            }
        }
        return result;
    }
};

TEST_F(EditorLongPressSwitchTest, OpeningShowsThePositionsAndMarksTheCell) {
    select({31, 8, 6, 13, 17}, 25);
    texts.language = "english";  // the second X applies in every language
    runEditor(OpenedEditor::LongPressSwitch, [&](kit::testing::Driver& d,
                                                 kit::WindowHandle editor) {
        EXPECT_EQ(d.GetText(editor, "LPressSetMenu1"), text(35));
        EXPECT_EQ(d.GetText(editor, "LPressSetMenu2"), "L");
        EXPECT_EQ(d.GetText(editor, "LPressSetMenu3"), "A");
        EXPECT_EQ(d.GetText(editor, "LPressSetMenu4"), "+");
        EXPECT_EQ(d.GetText(editor, "LPressSetMenu5"), "Capture");
        EXPECT_EQ(d.GetText(editor, "LSwitchTimeLabel"), "2.5");
        EXPECT_EQ(d.GetAttribute(editor, "LPressSetMenu1", "normalimage"), "FunSetBtnBK_Blank.png");
        EXPECT_EQ(d.GetAttribute(editor, "LPressSetMenu2", "normalimage"),
                  "FunSetBtnBK_LightGreen.png");
        EXPECT_EQ(d.GetAttribute(editor, "LPressSetMenu3", "hotimage"),
                  "FunSetBtnBK_DeepGreen.png");
        const kit::Rect r = d.GetWindowRect(editor);
        EXPECT_EQ(r.left, 100 + 374);
        EXPECT_EQ(r.top, 40 + 170);
        ASSERT_TRUE(waitForMessages(d, 1));
        EXPECT_EQ(codes(d), (std::vector<kit::WParam>{23}));
        EXPECT_EQ(onUi<int>(d, [&] { return images.switchModes(HostMode::NS)[0][kSlot].flag; }), 1);
    });
}

TEST_F(EditorLongPressSwitchTest, TimeStepperKeepsItsBounds) {
    struct Step {
        const char* button;
        std::uint8_t stored;
        std::uint8_t expected;  // same as stored: refused, without a CellRefreshMessage
    };
    const Step steps[] = {{"LDownPosPlusBtn", 30, 30}, {"LDownPosMinusBtn", 5, 5},
                          {"LDownPosMinusBtn", 0, 0},  {"LDownPosPlusBtn", 0, 1},
                          {"LDownPosPlusBtn", 29, 30}, {"LDownPosMinusBtn", 6, 5}};
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.button) + " from " + std::to_string(s.stored));
        select({31, 31, 6, 31, 31}, s.stored);
        runEditor(OpenedEditor::LongPressSwitch,
                  [&](kit::testing::Driver& d, kit::WindowHandle editor) {
                      d.Click(editor, s.button);
                      settle(d);
                      EXPECT_EQ(d.GetText(editor, "LSwitchTimeLabel"), timeToText(s.expected));
                      EXPECT_EQ(working(d).LSwitchTime, s.expected);
                      EXPECT_EQ(refreshes(d).size(), s.expected == s.stored ? 0u : 1u);
                  });
    }
}

TEST_F(EditorLongPressSwitchTest, ReportsTheFirstNonEmptyPosition) {
    struct Case {
        std::array<std::uint8_t, 5> positions;
        HostMode mode;
        const char* itemName;
    };
    const Case cases[] = {{{31, 31, 6, 31, 31}, HostMode::NS, "A"},
                          {{31, 31, 31, 31, 31}, HostMode::NS, "nothing"},
                          {{31, 13, 6, 31, 31}, HostMode::PC, "START"},
                          {{31, 31, 31, 31, 9}, HostMode::NS, "R"},
                          {{40, 6, 31, 31, 31}, HostMode::NS, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.itemName);
        images.hostMode = c.mode;
        select(c.positions, 10);
        runEditor(OpenedEditor::LongPressSwitch,
                  [&](kit::testing::Driver& d, kit::WindowHandle editor) {
                      d.Click(editor, "LDownPosPlusBtn");
                      ASSERT_TRUE(d.WaitUntil([&] { return !refreshes(d).empty(); }, 3s));
                      const ParentMessage refresh = refreshes(d).front();
                      EXPECT_FALSE(refresh.sent);  // posted
                      EXPECT_EQ(refresh.selectedItemName, c.itemName);
                      EXPECT_EQ(working(d).LSwitchTime, 11);
                  });
    }
}

TEST_F(EditorLongPressSwitchTest, PositionChoiceShowsItsLabelAndStoresTheCode) {
    struct Case {
        HostMode mode;
        const char* item;
        const char* shown;
        FunctionCode code;
        const char* itemName;  // position 1 is empty, so position 2 decides
    };
    const Case cases[] = {{HostMode::PC, "L", "LB", 8, "LB"},
                          {HostMode::NS, "Cap", "Cap", 17, "Cap"},
                          {HostMode::NS, "Minus", "-", 12, "Minus"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        images.hostMode = c.mode;
        state.lastPcProfile = 1;
        runEditor(OpenedEditor::LongPressSwitch,
                  [&](kit::testing::Driver& d, kit::WindowHandle editor) {
                      ASSERT_TRUE(chooseFromMenu(d, editor, "LPressSetMenu2", c.item));
                      ASSERT_TRUE(d.WaitUntil([&] { return !refreshes(d).empty(); }, 3s));
                      EXPECT_EQ(d.GetText(editor, "LPressSetMenu2"), c.shown);
                      EXPECT_EQ(working(d).LSwitchPos2, c.code);
                      EXPECT_EQ(refreshes(d).front().selectedItemName, c.itemName);
                      EXPECT_EQ(d.GetAttribute(editor, "LPressSetMenu2", "normalimage"),
                                "FunSetBtnBK_LightGreen.png");
                  });
    }
}

TEST_F(EditorLongPressSwitchTest, ButtonsPostTheirCodesAndCloseEndsWithThree) {
    runEditor(OpenedEditor::LongPressSwitch, [&](kit::testing::Driver& d,
                                                 kit::WindowHandle editor) {
        ASSERT_TRUE(waitForMessages(d, 1));
        for (const char* button : {"LPressDirBtn", "LPressTestBtn", "SwitchToFunBtn"}) {
            d.Click(editor, button);
        }
        ASSERT_TRUE(waitForMessages(d, 4));
        d.Click(editor, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(editor));
        ASSERT_TRUE(waitForMessages(d, 7));
        std::vector<std::pair<kit::WParam, kit::LParam>> seen;
        for (const ParentMessage& m : received(d)) {
            EXPECT_FALSE(m.sent);
            seen.emplace_back(m.wParam, m.lParam);
        }
        EXPECT_EQ(seen, (std::vector<std::pair<kit::WParam, kit::LParam>>{
                            {23, 0}, {10, 1008}, {11, 2010}, {13, 0}, {20, 0}, {22, 0}, {24, 0}}));
    });
}

TEST_F(EditorLongPressSwitchTest, BackSwitchConfirmationAsksTheMainWindow) {
    onCode = [&](kit::WParam code) {
        if (code == static_cast<kit::WParam>(MainWindowCode::ConfirmBackToFunctionEditor)) {
            openBackToFunctionConfirmation(texts);
        }
    };
    runEditor(OpenedEditor::LongPressSwitch,
              [&](kit::testing::Driver& d, kit::WindowHandle editor) {
                  d.Click(editor, "SwitchToFunBtn");
                  kit::WindowHandle prompt = d.WaitForWindow("LPressToFunBtnComForm");
                  ASSERT_NE(prompt, kit::kNoWindow);
                  EXPECT_EQ(d.GetText(prompt, "PropmtInfoLabel"), text(70));
                  d.Click(prompt, "OKBtn");
                  ASSERT_TRUE(d.WaitForWindowGone(prompt));
                  ASSERT_TRUE(waitForMessages(d, 3));
                  EXPECT_EQ(codes(d), (std::vector<kit::WParam>{23, 13, 15}));
              });
}

}  // namespace
}  // namespace orv::testing
