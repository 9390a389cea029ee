// The editors' shared tables: images and menu files per colour, placement, and the
// assignment menu's item names.

#include <gtest/gtest.h>

#include "text/TextStore.h"
#include "ui/editors/EditorLooks.h"
#include "ui/editors/FunctionMenuChoice.h"

namespace orv::editor {
namespace {

TEST(EditorLooks, ImagesAndMenuFilesFollowTheProfileColour) {
    EXPECT_EQ(deepImage(1), "FunSetBtnBK_DeepGreen.png");
    EXPECT_EQ(lightImage(4), "FunSetBtnBK_LightPurple.png");
    EXPECT_EQ(deepImage(6), "FunSetBtnBK_DeepGray.png");
    EXPECT_EQ(deepImage(0), "");
    EXPECT_EQ(lightImage(7), "");
    EXPECT_EQ(menuFile(MenuKind::ButtonFunction, 4), "BtnSetPurpleMenu.xml");
    EXPECT_EQ(menuFile(MenuKind::ButtonFunction, 1), "BtnSetGreedMenu.xml");
    // Colour 5 keeps the files' own spellings.
    EXPECT_EQ(menuFile(MenuKind::StickMode, 5), "LeftRightBlueMenu.xml");
    EXPECT_EQ(menuFile(MenuKind::StickRotation, 5), "InsOriBulMenu.xml");
    EXPECT_EQ(menuFile(MenuKind::Sensitivity, 5), "SensitiveBluMenu.xml");
    EXPECT_EQ(menuFile(MenuKind::Deadzone, 5), "UnrAreaBuleMenu.xml");
    EXPECT_EQ(menuFile(MenuKind::StickMode, 2), "LeftRightYellorMenu.xml");
    EXPECT_EQ(menuFile(MenuKind::ButtonFunction, 0), std::nullopt);
    EXPECT_EQ(menuFile(MenuKind::Deadzone, 7), std::nullopt);
}

TEST(EditorLooks, PlacementTruncatesTowardZeroAndKnowsEverySlot) {
    const kit::Rect wide{0, 0, 1700, 900};
    EXPECT_EQ(editorPosition(EditorKind::Function, 9, true, wide), (kit::Point{-40, 250}));
    EXPECT_EQ(editorPosition(EditorKind::Function, 9, false, wide), (kit::Point{242, 250}));
    EXPECT_EQ(editorPosition(EditorKind::LongPressSwitch, 9, true, wide), (kit::Point{242, 250}));
    EXPECT_EQ(editorPosition(EditorKind::Function, 17, true, wide), (kit::Point{406, 150}));
    EXPECT_EQ(editorPosition(EditorKind::Function, 8, false, wide), (kit::Point{861, 170}));
    // Width 1697: (−3) / 2 is −1, not −2.
    EXPECT_EQ(editorPosition(EditorKind::Function, 0, true, kit::Rect{10, 20, 1707, 900}),
              (kit::Point{10 - 1 + 410, 20 + 150}));
    EXPECT_EQ(editorPosition(EditorKind::Function, 18, true, wide), (kit::Point{0, 0}));
    EXPECT_EQ(editorPosition(EditorKind::LongPressSwitch, 31, true, wide), (kit::Point{0, 0}));
    EXPECT_EQ(editorPosition(EditorKind::Stick, 12, true, wide), (kit::Point{0, 0}));
    EXPECT_EQ(editorPosition(EditorKind::Stick, 19, false, wide), (kit::Point{867, 270}));
    for (std::uint32_t slot = 9; slot <= 17; ++slot) {
        EXPECT_EQ(editorOffset(EditorKind::Function, slot, false)->x -
                      editorOffset(EditorKind::Function, slot, true)->x,
                  282)
            << slot;
    }
}

TEST(EditorLooks, ItemNamesOfCodesAreWhatTheMenuHandsOn) {
    const TextStore texts;  // closed: texts are empty, names and fixed labels are not
    for (int code = 0; code <= 17; ++code) {
        for (HostMode mode : {HostMode::NS, HostMode::PC}) {
            const std::string item = itemNameOfCode(static_cast<FunctionCode>(code), mode);
            // The NS item name chooses the same function; its value is the name reported.
            const char* nsItems[] = {"Up",    "Down", "Left",      "Right",     "Y",    "B",
                                     "A",     "X",    "L",         "R",         "ZL",   "ZR",
                                     "Minus", "Plus", "LStickBut", "RStickBut", "Home", "Cap"};
            const auto choice =
                functionMenuChoice(nsItems[code], mode, texts, CaptureWording::Capture);
            ASSERT_TRUE(choice.has_value()) << code;
            EXPECT_EQ(choice->value, item) << code;
        }
    }
    EXPECT_EQ(itemNameOfCode(31, HostMode::PC), "nothing");
    EXPECT_EQ(itemNameOfCode(18, HostMode::NS), "");
    EXPECT_EQ(itemNameOfCode(255, HostMode::NS), "");
    EXPECT_EQ(itemNameOfCode(8, HostMode::PC), "LB");
    EXPECT_EQ(itemNameOfCode(13, HostMode::NS), "Plus");
}

TEST(EditorLooks, MenuChoiceTextsFollowTheHostModeAndTheEditor) {
    const TextStore texts;
    struct Case {
        const char* item;
        HostMode mode;
        CaptureWording wording;
        const char* text;
        const char* value;
    };
    const Case cases[] = {
        {"L", HostMode::PC, CaptureWording::Capture, "LB", "LB"},
        {"ZR", HostMode::NS, CaptureWording::Capture, "ZR", "ZR"},
        {"Plus", HostMode::NS, CaptureWording::Capture, "+", "Plus"},
        {"Minus", HostMode::PC, CaptureWording::Cap, "BACK", "BACK"},
        {"Cap", HostMode::NS, CaptureWording::Capture, "Capture", "Cap"},
        {"Cap", HostMode::NS, CaptureWording::Cap, "Cap", "Cap"},
        {"Right", HostMode::PC, CaptureWording::Capture, "\u25B7", "Right"},
        {"Home", HostMode::NS, CaptureWording::Capture, "HOME", "Home"},
        {"nothing", HostMode::NS, CaptureWording::Capture, "", "nothing"},
    };
    for (const Case& c : cases) {
        const auto choice = functionMenuChoice(c.item, c.mode, texts, c.wording);
        ASSERT_TRUE(choice.has_value()) << c.item;
        EXPECT_EQ(choice->buttonText, c.text) << c.item;
        EXPECT_EQ(choice->value, c.value) << c.item;
    }
    EXPECT_FALSE(functionMenuChoice("LB", HostMode::PC, texts, CaptureWording::Capture));
    EXPECT_FALSE(functionMenuChoice("Capture", HostMode::NS, texts, CaptureWording::Capture));
    EXPECT_FALSE(functionMenuChoice("", HostMode::NS, texts, CaptureWording::Capture));
}

}  // namespace
}  // namespace orv::editor
