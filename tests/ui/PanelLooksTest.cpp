// The plain decisions behind the main window's looks: cell images per function code and host
// mode, what counts as differing from the factory settings, the tab marks, the language
// choice and the loading cover.

#include <gtest/gtest.h>

#include "ui/dialogs/LoadingForm.h"
#include "ui/main/CellImages.h"
#include "ui/main/LanguageChoice.h"
#include "ui/main/NonDefaultCells.h"
#include "ui/main/ProfileMarks.h"

namespace orv {
namespace {

std::string valueOf(const AttributeList& attributes, const std::string& name) {
    std::string value = "<unset>";
    for (const auto& [attribute, v] : attributes) {
        if (attribute == name) {
            value = v;
        }
    }
    return value;
}

TEST(CellImagesTest, LooksFollowCodeModeAndProfile) {
    struct Case {
        FunctionCode code;
        HostMode mode;
        std::uint32_t profile;
        const char* normal;
        const char* hot;
        const char* selected;
        const char* nonDefault;
    };
    const Case cases[] = {
        {6, HostMode::NS, 3, "default_a.png", "profile3_sel_A.png", "profile3_sel_A.png",
         "profile3_hot_A.png"},
        {13, HostMode::NS, 1, "default_plus.png", "profile1_sel_PLUS.png", "profile1_sel_PLUS.png",
         "profile1_hot_PLUS.png"},
        {12, HostMode::PC, 2, "default_BACK.png", "profile2_sel_BACK.png", "profile2_sel_BACK.png",
         "profile2_hot_BACK.png"},
        {8, HostMode::PC, 4, "default_LB.png", "profile4_sel_LB.png", "profile4_sel_LB.png",
         "profile4_hot_LB.png"},
        {8, HostMode::NS, 4, "default_L.png", "profile4_sel_L.png", "profile4_sel_L.png",
         "profile4_hot_L.png"},
        {1, HostMode::NS, 5, "default_dowm.png", "profile5_sel_Down.png", "profile5_sel_Down.png",
         "profile5_hot_Down.png"},
        {16, HostMode::PC, 6, "default_home.png", "profile6_sel_HOME.png", "profile6_sel_HOME.png",
         "profile6_hot_HOME.png"},
        {17, HostMode::NS, 2, "default_cap.png", "profile2_sel_Cap.png", "profile2_sel_Cap.png",
         "profile2_hot_Cap.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "code " << int{c.code} << " mode " << static_cast<int>(c.mode));
        const AttributeList normal = cellImageNormal(c.code, c.mode, c.profile, "None");
        EXPECT_EQ(valueOf(normal, "normalimage"), c.normal);
        EXPECT_EQ(valueOf(normal, "hotimage"), c.hot);
        EXPECT_EQ(valueOf(normal, "text"), "");
        EXPECT_EQ(valueOf(cellImageSelected(c.code, c.mode, c.profile, "None"), "normalimage"),
                  c.selected);
        EXPECT_EQ(valueOf(cellImageNonDefault(c.code, c.mode, c.profile, "None"), "normalimage"),
                  c.nonDefault);
    }
}

TEST(CellImagesTest, EmptyCellsAndCodesWithoutPicture) {
    // Nothing assigned: the empty cell with its label in font 3.
    const AttributeList none = cellImageNormal(31, HostMode::NS, 3, "None");
    EXPECT_EQ(valueOf(none, "normalimage"), "default_empty.png");
    EXPECT_EQ(valueOf(none, "hotimage"), "profile3_empty_sel.png");
    EXPECT_EQ(valueOf(none, "font"), "3");
    EXPECT_EQ(valueOf(none, "text"), "None");
    const AttributeList noneChanged = cellImageNonDefault(31, HostMode::PC, 3, "None");
    EXPECT_EQ(valueOf(noneChanged, "normalimage"), "profile3_empty_hot.png");
    EXPECT_EQ(valueOf(noneChanged, "hotimage"), "profile3_empty_sel.png");

    // Capture has no function in PC mode: the empty cell, in the file form.
    const AttributeList pcCapture = cellImageNormal(17, HostMode::PC, 2, "None");
    EXPECT_EQ(valueOf(pcCapture, "normalimage"), "file='Resources/default_empty.png'");
    EXPECT_EQ(valueOf(pcCapture, "text"), "None");
    const AttributeList pcCaptureSelected = cellImageSelected(17, HostMode::PC, 2, "None");
    EXPECT_EQ(valueOf(pcCaptureSelected, "normalimage"), "profile2_empty_sel.png");
    EXPECT_EQ(valueOf(pcCaptureSelected, "font"), "<unset>");
    EXPECT_EQ(valueOf(cellImageNonDefault(17, HostMode::PC, 2, "None"), "hotimage"), "<unset>");

    // A value the controller holds but the tool has no picture for only clears the text.
    const AttributeList unknown = cellImageNormal(20, HostMode::NS, 1, "None");
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(unknown[0], (std::pair<std::string, std::string>{"text", ""}));
    // Values above 31 are shown as "nothing".
    EXPECT_EQ(cellKind(200, HostMode::NS), CellKind::Empty);
}

TEST(NonDefaultCellsTest, OnlySettingBytesCountAndEntriesAreReplacedOrRemoved) {
    ButtonSetting factory{};
    factory.SDownPos = 6;
    ButtonSetting edited = factory;
    edited.reserved = {1, 2};  // the controller's own bytes
    EXPECT_FALSE(buttonDiffersFromFactory(edited, factory));
    edited.LSwitchFlag = 1;  // byte 13
    EXPECT_TRUE(buttonDiffersFromFactory(edited, factory));

    StickSetting stick{};
    StickSetting stickEdited = stick;
    stickEdited.reserved = {9, 9, 9, 9};
    EXPECT_FALSE(stickDiffersFromFactory(stickEdited, stick));
    stickEdited.deadzone = 5;
    EXPECT_TRUE(stickDiffersFromFactory(stickEdited, stick));

    NonDefaultCells cells;
    cells.mark(12, 6);
    cells.mark(3, 10);
    cells.mark(12, 4);
    EXPECT_EQ(cells.cells(), (std::vector<NonDefaultCell>{{12, 4}, {3, 10}}));
    cells.unmark(12);
    EXPECT_EQ(cells.cells(), (std::vector<NonDefaultCell>{{3, 10}}));
}

TEST(ProfileMarksTest, PaintedOnlyWhenDifferingAndShownInTheirMode) {
    ProfileMarks marks;
    marks.set(HostMode::NS, 2, 1);
    marks.markCustomisedName(HostMode::NS, 5);  // not yet worked out for the overview
    marks.set(HostMode::PC, 3, 1);
    marks.set(HostMode::NS, 0, 1);  // no current profile: nothing
    marks.set(HostMode::NS, 7, 1);  // out of range: nothing
    EXPECT_EQ(marks.profilesToPaint(HostMode::NS), (std::vector<std::uint32_t>{2}));
    marks.markShown(HostMode::NS, 5);
    EXPECT_EQ(marks.profilesToPaint(HostMode::NS), (std::vector<std::uint32_t>{2, 5}));
    EXPECT_EQ(marks.profilesToPaint(HostMode::PC), (std::vector<std::uint32_t>{3}));
    marks.clear();
    EXPECT_TRUE(marks.profilesToPaint(HostMode::NS).empty());
    EXPECT_EQ(marks.get(HostMode::PC, 3), ProfileMark{});
}

TEST(LanguageChoiceTest, OnlyUsEnglishAndJapaneseChangeTheColumn) {
    struct Case {
        std::uint32_t langId;
        const char* current;
        const char* language;
        const char* label;
    };
    const Case cases[] = {
        {1033, "japanese", "english", "English"},
        {1041, "english", "japanese", "日本語"},
        {0x10000u | 1041u, "english", "japanese", "日本語"},  // only the low 16 bits count
        {2057, "japanese", "japanese", "English"},
        {1031, "english", "english", "English"},
    };
    for (const Case& c : cases) {
        const LanguageChoice choice = chooseLanguage(c.langId, c.current);
        EXPECT_EQ(choice.language, c.language) << c.langId;
        EXPECT_EQ(choice.buttonLabel, c.label) << c.langId;
    }
    EXPECT_EQ(languageTipImage("japanese").bkimage, "file='Resources/LanguageTip_japanese.png'");
    EXPECT_EQ(languageTipImage("french").width, "88");
}

TEST(LoadingFormTest, CoversTheParentBelowItsTitleBand) {
    const kit::Rect cover = LoadingForm::CoverRect(kit::Rect{100, 50, 1800, 950});
    EXPECT_EQ(cover, (kit::Rect{100, 85, 1800, 950}));
    EXPECT_EQ(cover.Width(), 1700);
    EXPECT_EQ(cover.Height(), 865);
}

}  // namespace
}  // namespace orv
