// The button function editor and its continuous-disable and switch confirmations, over a
// stand-in main window.

#include <algorithm>
#include <fstream>
#include <sstream>

#include "EditorHarness.h"
#include "profile/ProfileModel.h"
#include "ui/editors/EditorOpening.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kSlotA = 12;

class EditorFunctionTest : public EditorHarness {
protected:
    EditorFunctionTest() { selectButton(kSlotA, record(6), record(6)); }

    ButtonSetting working(kit::testing::Driver& d) const {
        return onUi<ButtonSetting>(d, [&] { return images.workingBlock.button(kSlotA); });
    }
};

TEST_F(EditorFunctionTest, OpeningShowsTheRecordAndMarksTheCell) {
    ButtonSetting button = record(6);
    button.LDownPos = 8;
    button.TurboPos = 17;
    button.LDownTime = 15;
    button.TurboTime = 2;
    button.ConDisableTime = 30;
    button.ConDisable = 1;
    selectButton(kSlotA, button, record(6));
    images.switchModes(HostMode::NS)[0][kSlotA].flag = 1;
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        EXPECT_EQ(d.GetText(editor, "PressBtn"), "A");
        EXPECT_EQ(d.GetText(editor, "LongPressBtn"), "L");
        EXPECT_EQ(d.GetText(editor, "TurboPosBtn"), "Capture");
        EXPECT_EQ(d.GetText(editor, "LDownPosTime"), "1.5");
        EXPECT_EQ(d.GetText(editor, "TurboTimeLabel"), "0.2");
        EXPECT_EQ(d.GetText(editor, "ConDisableTimeLabel"), "3.0");
        EXPECT_TRUE(d.IsSelected(editor, "ConDisableOption"));
        EXPECT_FALSE(d.IsEnabled(editor, "TurboPosBtn"));
        EXPECT_EQ(d.GetAttribute(editor, "PressBtn", "hotimage"), "FunSetBtnBK_DeepGreen.png");
        EXPECT_EQ(d.GetAttribute(editor, "PressBtn", "normalimage"), "FunSetBtnBK_Blank.png");
        EXPECT_EQ(d.GetAttribute(editor, "LongPressBtn", "normalimage"),
                  "FunSetBtnBK_LightGreen.png");
        EXPECT_EQ(d.GetAttribute(editor, "TurboPosBtn", "normalimage"),
                  "FunSetBtnBK_LightGreen.png");
        ASSERT_TRUE(waitForMessages(d, 1));
        const std::vector<ParentMessage> seen = received(d);
        EXPECT_EQ(seen[0].message, MainWindowMessage);
        EXPECT_EQ(seen[0].wParam, 23u);
        EXPECT_FALSE(seen[0].sent);
        EXPECT_EQ(onUi<int>(d, [&] { return images.switchModes(HostMode::NS)[0][kSlotA].flag; }),
                  0);
    });
}

TEST_F(EditorFunctionTest, PlacesTheWindowNextToTheCell) {
    struct Case {
        std::uint32_t slot;
        const char* language;
        int left;
        int top;
    };
    // Slot 12 sits 282 pixels further right for languages other than English.
    const Case cases[] = {{12, "english", 100 + 92, 40 + 170},
                          {12, "japanese", 100 + 374, 40 + 170},
                          {0, "japanese", 100 + 410, 40 + 150},
                          {kSelectionNone, "english", 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " slot " + std::to_string(c.slot));
        texts.language = c.language;
        state.selectedSlot = c.slot;
        runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
            const kit::Rect r = d.GetWindowRect(editor);
            EXPECT_EQ(r.left, c.left);
            EXPECT_EQ(r.top, c.top);
            EXPECT_EQ(r.Width(), 580);
        });
    }
}

TEST_F(EditorFunctionTest, SteppersKeepTheirBoundsAndCommitEachStep) {
    struct Step {
        const char* button;
        const char* label;
        std::uint8_t ButtonSetting::*field;
        std::uint8_t stored;
        std::uint8_t expected;  // same as stored: the step is refused
    };
    const Step steps[] = {
        {"LDownPlusBtn", "LDownPosTime", &ButtonSetting::LDownTime, 20, 20},
        {"LDownMinusBtn", "LDownPosTime", &ButtonSetting::LDownTime, 5, 5},
        {"LDownPlusBtn", "LDownPosTime", &ButtonSetting::LDownTime, 3, 4},
        {"LDownMinusBtn", "LDownPosTime", &ButtonSetting::LDownTime, 3, 3},
        {"LDownMinusBtn", "LDownPosTime", &ButtonSetting::LDownTime, 25, 24},
        {"LDownPlusBtn", "LDownPosTime", &ButtonSetting::LDownTime, 25, 25},
        {"LDownMinusBtn", "LDownPosTime", &ButtonSetting::LDownTime, 0, 0},
        {"LDownPlusBtn", "LDownPosTime", &ButtonSetting::LDownTime, 255, 255},
        {"TurboPosMinusBtn", "TurboTimeLabel", &ButtonSetting::TurboTime, 1, 1},
        {"TurboPosPlusBtn", "TurboTimeLabel", &ButtonSetting::TurboTime, 5, 5},
        {"TurboPosPlusBtn", "TurboTimeLabel", &ButtonSetting::TurboTime, 4, 5},
        {"ConDisablePlusBtn", "ConDisableTimeLabel", &ButtonSetting::ConDisableTime, 30, 30},
        {"ConDisableMinusBtn", "ConDisableTimeLabel", &ButtonSetting::ConDisableTime, 2, 1},
        {"ConDisableMinusBtn", "ConDisableTimeLabel", &ButtonSetting::ConDisableTime, 1, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.button) + " from " + std::to_string(s.stored));
        ButtonSetting button = record(6);
        button.*s.field = s.stored;
        selectButton(kSlotA, button, record(6));
        runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
            d.Click(editor, s.button);
            settle(d);
            EXPECT_EQ(d.GetText(editor, s.label), timeToText(s.expected));
            EXPECT_EQ(onUi<int>(d, [&] { return state.editRecord.*s.field; }), s.expected);
            EXPECT_EQ(working(d).*s.field, s.expected);
        });
    }
}

TEST_F(EditorFunctionTest, ShortPressChoiceStoresTheHostModeNameAndTellsTheMainWindow) {
    struct Case {
        HostMode mode;
        const char* item;
        const char* shown;
        FunctionCode code;
        const char* itemName;
    };
    const Case cases[] = {{HostMode::PC, "L", "LB", 8, "LB"},
                          {HostMode::NS, "L", "L", 8, "L"},
                          {HostMode::NS, "Cap", "Capture", 17, "Cap"},
                          {HostMode::PC, "Plus", "START", 13, "START"},
                          {HostMode::NS, "Up", "\u25B3", 0, "Up"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        images.hostMode = c.mode;
        state.lastPcProfile = 1;
        runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
            ASSERT_TRUE(waitForMessages(d, 1));  // code 23
            ASSERT_TRUE(chooseFromMenu(d, editor, "PressBtn", c.item));
            ASSERT_TRUE(waitForMessages(d, 2));
            const ParentMessage refresh = received(d).back();
            EXPECT_EQ(refresh.message, CellRefreshMessage);
            EXPECT_TRUE(refresh.sent);
            EXPECT_EQ(refresh.selectedItemName, c.itemName);
            EXPECT_EQ(d.GetText(editor, "PressBtn"), c.shown);
            EXPECT_EQ(working(d).SDownPos, c.code);
            EXPECT_EQ(d.GetAttribute(editor, "PressBtn", "normalimage"),
                      "FunSetBtnBK_LightGreen.png");
        });
    }
}

TEST_F(EditorFunctionTest, OpeningFitsTheMenuFileToTheHostMode) {
    const std::string file = "BtnSetGreedMenu.xml";
    auto menuItemsOfPressMenu = [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        d.Click(editor, "PressBtn");
        EXPECT_TRUE(d.WaitUntil([] { return !kit::Menu::OpenMenus().empty(); }, 3s));
        std::vector<std::string> items = d.MenuItems();
        d.DismissMenu();
        return items;
    };
    images.hostMode = HostMode::PC;
    state.lastPcProfile = 1;
    std::vector<std::string> items;
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        items = menuItemsOfPressMenu(d, editor);
    });
    EXPECT_EQ(std::find(items.begin(), items.end(), "Cap"), items.end());
    EXPECT_NE(std::find(items.begin(), items.end(), "L"), items.end());
    std::string content = readMenuFile(file);
    EXPECT_NE(content.find("name=\"L\" text=\"LB\""), std::string::npos);
    EXPECT_NE(content.find("name=\"Minus\" text=\"BACK\""), std::string::npos);
    EXPECT_NE(content.find("name=\"nothing\" text=\"" + text(35) + "\""), std::string::npos);

    images.hostMode = HostMode::NS;
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        items = menuItemsOfPressMenu(d, editor);
    });
    EXPECT_NE(std::find(items.begin(), items.end(), "Cap"), items.end());
    content = readMenuFile(file);
    EXPECT_NE(content.find("name=\"Cap\" text=\"Capture\""), std::string::npos);
    EXPECT_NE(content.find("name=\"Plus\" text=\"\uFF0B\""), std::string::npos);
    EXPECT_NE(content.find("name=\"ZR\" text=\"ZR\""), std::string::npos);
}

TEST_F(EditorFunctionTest, MenuTextsOfTheCurrentLanguageGoToTheUserCopyOnly) {
    const std::string file = "BtnSetGreedMenu.xml";
    texts.language = "japanese";
    state.lastNsProfile = 1;
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        d.Click(editor, "PressBtn");
        EXPECT_TRUE(d.WaitUntil([] { return !kit::Menu::OpenMenus().empty(); }, 3s));
        d.DismissMenu();
    });
    ASSERT_FALSE(text(35).empty());
    EXPECT_NE(text(35), "None");
    EXPECT_EQ(menuFilePath(file), (folder / "menus" / file).string());
    EXPECT_NE(readMenuFile(file).find("name=\"nothing\" text=\"" + text(35) + "\""),
              std::string::npos);
    const auto contentOf = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    };
    EXPECT_EQ(contentOf(folder / "Resources" / file),
              contentOf(std::filesystem::path(ORV_TEST_DATA_DIR) / "Resources" / file));
}

TEST_F(EditorFunctionTest, LongPressAndTurboChoicesStoreWithoutACellRefresh) {
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        ASSERT_TRUE(waitForMessages(d, 1));
        ASSERT_TRUE(chooseFromMenu(d, editor, "LongPressBtn", "B"));
        ASSERT_TRUE(chooseFromMenu(d, editor, "TurboPosBtn", "nothing"));
        EXPECT_TRUE(d.WaitUntil([&] { return state.editRecord.TurboPos == 31; }, 3s));
        EXPECT_EQ(d.GetText(editor, "LongPressBtn"), "B");
        EXPECT_EQ(d.GetText(editor, "TurboPosBtn"), text(35));
        EXPECT_EQ(working(d).LDownPos, 5);
        EXPECT_EQ(working(d).TurboPos, 31);
        EXPECT_EQ(working(d).SDownPos, 6);
        EXPECT_EQ(received(d).size(), 1u);
    });
}

TEST_F(EditorFunctionTest, ContinuousDisableAsksBeforeTurningOn) {
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        // Cancelled: stays off, turbo stays available.
        d.Click(editor, "ConDisableOption");
        kit::WindowHandle prompt = d.WaitForWindow("ConDisableForm");
        ASSERT_NE(prompt, kit::kNoWindow);
        EXPECT_EQ(d.GetText(prompt, "PromptInfoLabel1"), text(62));
        EXPECT_EQ(d.GetText(prompt, "PromptInfoLabel2"), text(63));
        EXPECT_EQ(d.GetText(prompt, "OKBtn"), text(64));
        EXPECT_EQ(d.GetText(prompt, "CancelBtn"), text(65));
        d.Click(prompt, "CancelBtn");
        ASSERT_TRUE(d.WaitForWindowGone(prompt));
        settle(d);
        EXPECT_FALSE(d.IsSelected(editor, "ConDisableOption"));
        EXPECT_TRUE(d.IsEnabled(editor, "TurboPosBtn"));
        EXPECT_EQ(working(d).ConDisable, 0);

        // Confirmed: on, turbo disabled.
        d.Click(editor, "ConDisableOption");
        prompt = d.WaitForWindow("ConDisableForm");
        ASSERT_NE(prompt, kit::kNoWindow);
        d.Click(prompt, "OKBtn");
        ASSERT_TRUE(d.WaitForWindowGone(prompt));
        settle(d);
        EXPECT_TRUE(d.IsSelected(editor, "ConDisableOption"));
        EXPECT_FALSE(d.IsEnabled(editor, "TurboPosBtn"));
        EXPECT_EQ(working(d).ConDisable, 1);

        // Turning off needs no confirmation.
        d.Click(editor, "ConDisableOption");
        settle(d);
        EXPECT_EQ(onUi<kit::WindowHandle>(d, [] { return kit::FindWindow("ConDisableForm"); }),
                  kit::kNoWindow);
        EXPECT_FALSE(d.IsSelected(editor, "ConDisableOption"));
        EXPECT_TRUE(d.IsEnabled(editor, "TurboPosBtn"));
        EXPECT_EQ(working(d).ConDisable, 0);
    });
}

TEST_F(EditorFunctionTest, ButtonsPostTheirCodesAndCloseEndsWithThree) {
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        ASSERT_TRUE(waitForMessages(d, 1));
        for (const char* button : {"SDownPosDirBtn", "ConDisableDirBtn", "SDownPosTestBtn",
                                   "TurboPosTestBtn", "LPressSwitch"}) {
            d.Click(editor, button);
        }
        ASSERT_TRUE(waitForMessages(d, 6));
        d.Click(editor, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(editor));
        ASSERT_TRUE(waitForMessages(d, 9));
        std::vector<std::pair<kit::WParam, kit::LParam>> seen;
        for (const ParentMessage& m : received(d)) {
            EXPECT_EQ(m.message, MainWindowMessage);
            EXPECT_FALSE(m.sent);
            seen.emplace_back(m.wParam, m.lParam);
        }
        EXPECT_EQ(seen, (std::vector<std::pair<kit::WParam, kit::LParam>>{{23, 0},
                                                                          {10, 1004},
                                                                          {10, 1007},
                                                                          {11, 2001},
                                                                          {11, 2003},
                                                                          {12, 0},
                                                                          {20, 0},
                                                                          {22, 0},
                                                                          {24, 0}}));
    });
}

TEST_F(EditorFunctionTest, DismissedMenuPutsTheBackgroundsBack) {
    images.currentProfile = 4;  // purple
    images.switchModes(HostMode::NS)[3][kSlotA].flag = 1;
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        d.Click(editor, "LongPressBtn");
        ASSERT_TRUE(d.WaitUntil([] { return !kit::Menu::OpenMenus().empty(); }, 3s));
        EXPECT_EQ(d.GetAttribute(editor, "LongPressBtn", "normalimage"),
                  "FunSetBtnBK_DeepPurple.png");
        EXPECT_TRUE(d.DismissMenu());
        EXPECT_TRUE(d.WaitUntil(
            [&] {
                return d.GetAttribute(editor, "LongPressBtn", "normalimage") ==
                       "FunSetBtnBK_Blank.png";
            },
            3s));
    });
}

TEST_F(EditorFunctionTest, RefreshMessageRepaintsTheBackgroundsFromTheRecord) {
    ButtonSetting button = record(6);
    button.TurboTime = 4;
    selectButton(kSlotA, button, record(6));
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        d.OnUi([&] {
            kit::PaintManager& pm = kit::WindowFromHandle(editor)->GetPaintManager();
            pm.FindControl("PressBtn")->SetAttribute("normalimage", "stale.png");
            pm.FindControl("TurboPosBtn")->SetAttribute("normalimage", "stale.png");
            kit::PostMessage(editor, 0x464);
        });
        EXPECT_TRUE(d.WaitUntil(
            [&] {
                return d.GetAttribute(editor, "PressBtn", "normalimage") == "FunSetBtnBK_Blank.png";
            },
            3s));
        EXPECT_EQ(d.GetAttribute(editor, "TurboPosBtn", "normalimage"),
                  "FunSetBtnBK_LightGreen.png");
    });
}

TEST_F(EditorFunctionTest, SwitchConfirmationAsksTheMainWindowForTheOtherEditor) {
    onCode = [&](kit::WParam code) {
        if (code == static_cast<kit::WParam>(MainWindowCode::ConfirmLongPressSwitch)) {
            openLongPressSwitchConfirmation(texts);
        }
    };
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        d.Click(editor, "LPressSwitch");
        kit::WindowHandle prompt = d.WaitForWindow("LDownSwitchConfirmFrom");
        ASSERT_NE(prompt, kit::kNoWindow);
        EXPECT_EQ(d.GetText(prompt, "PromptInfoLabel1"), text(68));
        EXPECT_EQ(d.GetText(prompt, "PromptInfoLabel2"), text(69));
        d.Click(prompt, "CancelBtn");
        ASSERT_TRUE(d.WaitForWindowGone(prompt));

        d.Click(editor, "LPressSwitch");
        prompt = d.WaitForWindow("LDownSwitchConfirmFrom");
        ASSERT_NE(prompt, kit::kNoWindow);
        d.Click(prompt, "OKBtn");
        ASSERT_TRUE(d.WaitForWindowGone(prompt));
        ASSERT_TRUE(waitForMessages(d, 4));
        EXPECT_EQ(codes(d), (std::vector<kit::WParam>{23, 12, 12, 14}));
    });
}

TEST_F(EditorFunctionTest, WithoutAProfileNothingIsShownOrPosted) {
    images.currentProfile = 0;
    ButtonSetting button = record(6);
    button.LDownTime = 12;
    selectButton(kSlotA, button, record(6));
    runEditor(OpenedEditor::Function, [&](kit::testing::Driver& d, kit::WindowHandle editor) {
        settle(d);
        EXPECT_TRUE(received(d).empty());
        // The skin's texts stay; no menu opens.
        EXPECT_EQ(d.GetText(editor, "LDownPosTime"), "0.5");
        d.Click(editor, "PressBtn");
        settle(d);
        EXPECT_TRUE(onUi<bool>(d, [] { return kit::Menu::OpenMenus().empty(); }));
    });
}

}  // namespace
}  // namespace orv::testing
