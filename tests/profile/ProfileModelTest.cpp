#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "profile/ProfileModel.h"
#include "text/TextStore.h"

namespace orv {
namespace {

// A text store whose every text n reads "tn", so a test sees which number a label came from.
class ProfileModelLabels : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::path(::testing::TempDir()) /
                ("profile_model_texts_" + std::to_string(::getpid()) + ".db");
        std::filesystem::remove(path_);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
        std::string sql =
            "CREATE TABLE MultiLingualData (id INTEGER, english TEXT, japanese TEXT);";
        for (const int id : {1, 18, 19, 20, 35, 36, 37, 38, 39}) {
            const std::string n = std::to_string(id);
            sql += "INSERT INTO MultiLingualData VALUES (" + n + ", 't" + n + "', 'j" + n + "');";
        }
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        ASSERT_TRUE(texts_.open(path_)) << texts_.lastError();
    }
    void TearDown() override {
        texts_.close();
        std::filesystem::remove(path_);
    }

    std::filesystem::path path_;
    TextStore texts_;
};

TEST(ProfileModelCodes, ItemNamesGiveTheirCodesAndEverythingElseNone) {
    const struct {
        const char* name;
        FunctionCode code;
    } cases[] = {
        {"Up", 0},
        {"Down", 1},
        {"Left", 2},
        {"Right", 3},
        {"Y", 4},
        {"B", 5},
        {"A", 6},
        {"X", 7},
        {"L", 8},
        {"LB", 8},
        {"R", 9},
        {"RB", 9},
        {"ZL", 10},
        {"LT", 10},
        {"ZR", 11},
        {"RT", 11},
        {"Minus", 12},
        {"BACK", 12},
        {"Plus", 13},
        {"START", 13},
        {"LStickBut", 14},
        {"RStickBut", 15},
        {"Home", 16},
        {"Cap", 17},
        {"nothing", 31},
        // Exact and case-sensitive; unknown names are "nothing".
        {"Capture", 31},
        {"", 31},
        {"a", 31},
        {"up", 31},
        {"HOME", 31},
        {"Cap ", 31},
        {" A", 31},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(functionCodeFromItemName(c.name), c.code) << '"' << c.name << '"';
    }
}

TEST_F(ProfileModelLabels, FunctionLabelsFollowTheHostMode) {
    const struct {
        FunctionCode code;
        const char* ns;
        const char* pc;
    } cases[] = {
        {0, "\u25B3", "\u25B3"},
        {1, "\u25BD", "\u25BD"},
        {2, "\u25C1", "\u25C1"},
        {3, "\u25B7", "\u25B7"},
        {4, "Y", "Y"},
        {5, "B", "B"},
        {6, "A", "A"},
        {7, "X", "X"},
        {8, "L", "LB"},
        {9, "R", "RB"},
        {10, "ZL", "LT"},
        {11, "ZR", "RT"},
        {12, "-", "BACK"},
        {13, "+", "START"},
        {14, "t1", "t1"},
        {15, "t18", "t18"},
        {16, "HOME", "HOME"},
        {17, "Capture", "t35"},
        {31, "t35", "t35"},
        // Bytes no editor produces are shown as "nothing".
        {18, "t35", "t35"},
        {30, "t35", "t35"},
        {32, "t35", "t35"},
        {255, "t35", "t35"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(functionLabel(c.code, HostMode::NS, texts_), c.ns) << int{c.code};
        EXPECT_EQ(functionLabel(c.code, HostMode::PC, texts_), c.pc) << int{c.code};
    }
}

TEST_F(ProfileModelLabels, TextLabelsUseTheCurrentLanguage) {
    texts_.language = "japanese";
    EXPECT_EQ(functionLabel(14, HostMode::NS, texts_), "j1");
    EXPECT_EQ(functionLabel(17, HostMode::PC, texts_), "j35");
    EXPECT_EQ(stickModeLabel(2, texts_), "j20");
}

TEST_F(ProfileModelLabels, StickLabels) {
    EXPECT_EQ(stickModeLabel(0, texts_), "t35");
    EXPECT_EQ(stickModeLabel(1, texts_), "t19");
    EXPECT_EQ(stickModeLabel(2, texts_), "t20");
    EXPECT_EQ(stickModeLabel(3, texts_), "");
    EXPECT_EQ(rotationLabel(0, texts_), "t36");
    EXPECT_EQ(rotationLabel(1, texts_), "t38");  // left 90
    EXPECT_EQ(rotationLabel(2, texts_), "t37");  // right 90
    EXPECT_EQ(rotationLabel(3, texts_), "t39");
    EXPECT_EQ(rotationLabel(4, texts_), "");
    EXPECT_EQ(sensitivityLabel(25), "25%");
    EXPECT_EQ(sensitivityLabel(200), "200%");
    EXPECT_EQ(sensitivityLabel(0), "");
    EXPECT_EQ(sensitivityLabel(30), "");
    EXPECT_EQ(sensitivityLabel(225), "");
    EXPECT_EQ(deadzoneLabel(0, texts_), "t35");
    EXPECT_EQ(deadzoneLabel(5, texts_), "5%");
    EXPECT_EQ(deadzoneLabel(50, texts_), "50%");
    EXPECT_EQ(deadzoneLabel(15, texts_), "");
}

TEST(ProfileModelCodes, StickItemsChooseOneFieldEach) {
    const struct {
        const char* name;
        StickField field;
        std::uint8_t value;
    } cases[] = {
        {"ModeNothing", StickField::Mode, 0},
        {"modeL", StickField::Mode, 1},
        {"modeR", StickField::Mode, 2},
        {"RotateNothing", StickField::Rotate, 0},
        {"Lrotate90", StickField::Rotate, 1},
        {"Rrotate90", StickField::Rotate, 2},
        {"rotate180", StickField::Rotate, 3},
        {"sen25", StickField::Sensitivity, 25},
        {"sen125", StickField::Sensitivity, 125},
        {"sen200", StickField::Sensitivity, 200},
        {"DeadzoneNothing", StickField::Deadzone, 0},
        {"deadzone5", StickField::Deadzone, 5},
        {"deadzone50", StickField::Deadzone, 50},
    };
    for (const auto& c : cases) {
        const auto choice = stickChoiceFromItemName(c.name);
        ASSERT_TRUE(choice.has_value()) << c.name;
        EXPECT_EQ(*choice, (StickChoice{c.field, c.value})) << c.name;
    }
    for (const char* unknown : {"", "sen0", "sen", "ModeL", "deadzone0", "nothing"}) {
        EXPECT_FALSE(stickChoiceFromItemName(unknown).has_value()) << unknown;
    }

    StickSetting stick{1, 2, 100, 10, {9, 8, 7, 6}};
    applyStickChoice(stick, {StickField::Rotate, 3});
    applyStickChoice(stick, {StickField::Deadzone, 0});
    EXPECT_EQ(stick, (StickSetting{1, 3, 100, 0, {9, 8, 7, 6}}));
}

TEST(ProfileModelNumbers, DecimalReadingFollowsTheCLibraryRulesAndKeepsTheLowByte) {
    const struct {
        const char* text;
        std::uint8_t value;
    } cases[] = {
        {"31", 31},
        {" 7", 7},
        {"\t\n 12", 12},
        {"+5", 5},
        {"-1", 255},
        {"300", 44},
        {"256", 0},
        {"abc", 0},
        {"", 0},
        {"12abc", 12},
        {"1 2", 1},
        {"- 1", 0},
        {"+-1", 0},
        {"0x1F", 0},
        {"007", 7},
        {"3.5", 3},
        // Beyond the 32-bit range the value saturates at 2147483647 / -2147483648 first.
        {"2147483647", 255},
        {"2147483648", 255},
        {"99999999999999999999999", 255},
        {"-2147483648", 0},
        {"-99999999999999999999999", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDecimalLow8(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ProfileModelNumbers, TimeTextBothWays) {
    const struct {
        std::uint8_t tenths;
        const char* text;
    } cases[] = {
        {0, "0.0"},  {1, "0.1"},  {5, "0.5"},  {9, "0.9"},    {10, "1.0"},   {15, "1.5"},
        {20, "2.0"}, {30, "3.0"}, {99, "9.9"}, {100, "10.0"}, {105, "10.5"}, {255, "25.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(timeToText(c.tenths), c.text) << int{c.tenths};
        EXPECT_EQ(textToTime(c.text), c.tenths) << c.text;
    }
    for (int tenths = 0; tenths <= 255; ++tenths) {
        const auto value = static_cast<std::uint8_t>(tenths);
        EXPECT_EQ(textToTime(timeToText(value)), value) << tenths;
    }
}

TEST(ProfileModelNumbers, TextToTimeReadsOddTexts) {
    const struct {
        const char* text;
        std::uint8_t tenths;
    } cases[] = {
        {"", 0},       {"0.", 0},  {"0.12", 12}, {" 0.5", 5}, {"1.5 s", 15},
        {"1.5.2", 15}, {"15", 15}, {"1 .5", 1},  {"abc", 0},  {".5", 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textToTime(c.text), c.tenths) << '"' << c.text << '"';
    }
}

// The bytes of a name field up to its first NUL.
std::string fieldBytes(std::span<const std::uint8_t, block::kNamePartSize> field) {
    std::string bytes(reinterpret_cast<const char*>(field.data()), field.size());
    return bytes.substr(0, bytes.find('\0'));
}

bool zeroPaddedAfterText(std::span<const std::uint8_t, block::kNamePartSize> field) {
    const std::size_t length = fieldBytes(field).size();
    for (std::size_t i = length; i < field.size(); ++i) {
        if (field[i] != 0) {
            return false;
        }
    }
    return true;
}

TEST(ProfileModelNames, SplitAfterTenUtf16UnitsAndJoinBack) {
    const std::string kana10 = "あいうえおかきくけこ";  // 10 characters, 30 bytes
    const std::string emoji = "\U0001F600";             // one character, two UTF-16 units
    const struct {
        std::string name;
        std::string partOne;
        std::string partTwo;
    } cases[] = {
        {"", "", ""},
        {"PROFILE1", "PROFILE1", ""},
        {"ABCDEFGHIJ", "ABCDEFGHIJ", ""},
        {"ABCDEFGHIJK", "ABCDEFGHIJ", "K"},
        {kana10, kana10, ""},
        {kana10 + "さ", kana10, "さ"},
        // Unit 10 would be the first half of a surrogate pair: the pair moves to part two.
        {"ABCDEFGHI" + emoji + "Z", "ABCDEFGHI", emoji + "Z"},
        {"ABCDEFGH" + emoji + "Z", "ABCDEFGH" + emoji, "Z"},
        {"Zweiundzwanzig Zeichen", "Zweiundzwa", "nzig Zeichen"},
    };
    for (const auto& c : cases) {
        DeviceSettingsBlock block;
        block.bytes.fill(0xAA);
        writeProfileName(block, c.name);
        EXPECT_EQ(fieldBytes(block.namePartOne()), c.partOne) << c.name;
        EXPECT_EQ(fieldBytes(block.namePartTwo()), c.partTwo) << c.name;
        EXPECT_TRUE(zeroPaddedAfterText(block.namePartOne())) << c.name;
        EXPECT_TRUE(zeroPaddedAfterText(block.namePartTwo())) << c.name;
        EXPECT_EQ(readProfileName(block), c.name);
        // Only the two name fields are written.
        EXPECT_EQ(block[block::kLeftStickOffset], 0xAA);
        EXPECT_EQ(block[block::kNamePartTwoOffset - 1], 0xAA);
        EXPECT_EQ(block[block::kReservedAreaTwoOffset], 0xAA);
    }
}

TEST(ProfileModelNames, LongSecondPartIsCutAtACharacterBoundary) {
    // 1 + 11 three-byte characters = 34 bytes after the first ten units: the eleventh
    // character would cross byte 32, so part two keeps 31 bytes and ends with its NUL.
    const std::string name = "ABCDEFGHIJ" + std::string("x") + "漢字漢字漢字漢字漢字漢";
    DeviceSettingsBlock block;
    writeProfileName(block, name);
    const std::string two = fieldBytes(block.namePartTwo());
    EXPECT_EQ(two, "x漢字漢字漢字漢字漢字");
    EXPECT_EQ(two.size(), 31u);
    EXPECT_EQ(readProfileName(block), "ABCDEFGHIJx漢字漢字漢字漢字漢字");

    // Exactly 32 bytes fill the field with no NUL; reading takes all of them.
    const std::string exact = "ABCDEFGHIJ" + std::string(32, 'y') + "zz";
    writeProfileName(block, exact);
    EXPECT_EQ(block[block::kNamePartTwoOffset + 31], 'y');
    EXPECT_EQ(readProfileName(block), "ABCDEFGHIJ" + std::string(32, 'y'));
}

TEST(ProfileModelNames, ReceivedFieldsAreDecodedSafely) {
    const auto setField = [](std::span<std::uint8_t, block::kNamePartSize> field,
                             std::string_view bytes) {
        std::fill(field.begin(), field.end(), std::uint8_t{0});
        std::copy(bytes.begin(), bytes.end(), field.begin());
    };
    const std::string replacement = "\uFFFD";
    const struct {
        const char* what;
        std::string one;
        std::string two;
        std::string name;
    } cases[] = {
        {"no NUL in either field", std::string(32, 'a'), std::string(32, 'b'),
         std::string(32, 'a') + std::string(32, 'b')},
        {"stray continuation byte",
         "A\x80"
         "B",
         "", "A" + replacement + "B"},
        {"invalid lead bytes",
         "\xC0\xFF"
         "C",
         "", replacement + replacement + "C"},
        {"character cut at the field end", std::string(30, 'a') + "\xE6\xBC", "",
         std::string(30, 'a') + replacement},
        {"truncated then ASCII",
         "\xE6\xBC"
         "A",
         "", replacement + "A"},
        {"surrogate encoded in UTF-8", "\xED\xA0\x80", "", replacement + replacement + replacement},
        {"overlong form", "\xE0\x80\xAF", "", replacement + replacement + replacement},
        {"part two after NUL garbage", "AB\0\xFF\xFF", "CD", "ABCD"},
        {"valid Japanese", "日本", "語", "日本語"},
    };
    for (const auto& c : cases) {
        DeviceSettingsBlock block;
        setField(block.namePartOne(), c.one);
        setField(block.namePartTwo(), c.two);
        EXPECT_EQ(readProfileName(block), c.name) << c.what;
    }
}

TEST(ProfileModelNames, IllFormedInputIsWrittenAsReplacementCharacters) {
    DeviceSettingsBlock block;
    writeProfileName(block,
                     "A\xFF"
                     "B");
    EXPECT_EQ(fieldBytes(block.namePartOne()), "A\uFFFDB");
    EXPECT_EQ(factoryProfileName(3), "PROFILE3");
}

ButtonSetting switchRecord(std::uint8_t flag, std::array<std::uint8_t, 5> positions) {
    ButtonSetting record;
    record.SDownPos = 5;
    record.LSwitchPos1 = positions[0];
    record.LSwitchPos2 = positions[1];
    record.LSwitchPos3 = positions[2];
    record.LSwitchPos4 = positions[3];
    record.LSwitchPos5 = positions[4];
    record.LSwitchFlag = flag;
    return record;
}

TEST(ProfileModelRecords, DisplayedCode) {
    EXPECT_EQ(displayedCode(switchRecord(0, {6, 6, 6, 6, 6})), 5);
    EXPECT_EQ(displayedCode(switchRecord(1, {31, 6, 7, 31, 31})), 6);
    EXPECT_EQ(displayedCode(switchRecord(1, {4, 31, 31, 31, 31})), 4);
    EXPECT_EQ(displayedCode(switchRecord(1, {31, 31, 31, 31, 0})), 0);
    EXPECT_EQ(displayedCode(switchRecord(1, {31, 31, 31, 31, 31})), 31);
    // Only 1 marks a switch.
    EXPECT_EQ(displayedCode(switchRecord(2, {6, 6, 6, 6, 6})), 5);
}

// A working image whose every byte is distinct from its neighbours.
ProfileImages patternedImages() {
    ProfileImages images;
    for (std::size_t i = 0; i < block::kSize; ++i) {
        images.workingBlock[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return images;
}

TEST(ProfileModelRecords, LoadAndCommitTouchOnlyTheSelectedButton) {
    for (const std::uint32_t slot : {0u, 1u, 16u, 17u}) {
        ProfileImages images = patternedImages();
        ProfileState state;
        state.selectedSlot = slot;
        loadEditedRecord(state, images);
        EXPECT_EQ(state.editRecord, images.workingBlock.button(slot));

        const DeviceSettingsBlock before = images.workingBlock;
        state.editRecord.SDownPos = 0xEE;
        state.editRecord.reserved = {0x11, 0x22};
        commitEditedRecord(state, images);
        const std::size_t start = block::buttonRecordOffset(slot);
        for (std::size_t i = 0; i < block::kSize; ++i) {
            if (i == start) {
                EXPECT_EQ(images.workingBlock[i], 0xEE);
            } else if (i == start + 14 || i == start + 15) {
                EXPECT_EQ(images.workingBlock[i], i == start + 14 ? 0x11 : 0x22);
            } else {
                EXPECT_EQ(images.workingBlock[i], before[i]) << "slot " << slot << " byte " << i;
            }
        }
    }
}

TEST(ProfileModelRecords, StickOrNoSelectionNeverTouchesARecord) {
    for (const std::uint32_t selection :
         {kSelectionLeftStick, kSelectionRightStick, kSelectionNone}) {
        ProfileImages images = patternedImages();
        const DeviceSettingsBlock before = images.workingBlock;
        ProfileState state;
        state.selectedSlot = selection;
        state.editRecord = switchRecord(1, {1, 2, 3, 4, 5});
        loadEditedRecord(state, images);
        EXPECT_EQ(state.editRecord, ButtonSetting{}) << selection;
        state.editRecord = switchRecord(1, {1, 2, 3, 4, 5});
        commitEditedRecord(state, images);
        EXPECT_EQ(images.workingBlock, before) << selection;
    }
}

TEST(ProfileModelRecords, CommitEditedStickWritesOnlyTheSelectedStick) {
    const StickSetting left{1, 2, 75, 5, {1, 2, 3, 4}};
    const StickSetting right{2, 3, 150, 25, {5, 6, 7, 8}};
    const struct {
        std::uint32_t selection;
        bool leftWritten;
        bool rightWritten;
    } cases[] = {{kSelectionLeftStick, true, false},
                 {kSelectionRightStick, false, true},
                 {kSelectionNone, false, false},
                 {3, false, false}};
    for (const auto& c : cases) {
        ProfileImages images = patternedImages();
        const DeviceSettingsBlock before = images.workingBlock;
        ProfileState state;
        state.selectedSlot = c.selection;
        state.editLeftStick = left;
        state.editRightStick = right;
        commitEditedStick(state, images);
        EXPECT_EQ(images.workingBlock.stick(StickSide::Left),
                  c.leftWritten ? left : before.stick(StickSide::Left));
        EXPECT_EQ(images.workingBlock.stick(StickSide::Right),
                  c.rightWritten ? right : before.stick(StickSide::Right));
        DeviceSettingsBlock rest = images.workingBlock;
        rest.setStick(StickSide::Left, before.stick(StickSide::Left));
        rest.setStick(StickSide::Right, before.stick(StickSide::Right));
        EXPECT_EQ(rest, before);
    }
}

TEST(ProfileModelRecords, DefaultRecordsInPcModeUseTheFixedCaptureHomeRecord) {
    ProfileState state;
    for (std::size_t i = 0; i < block::kSize; ++i) {
        state.defaultsBlock[i] = static_cast<std::uint8_t>(i);
    }
    const ButtonSetting fixed = pcFixedCaptureHomeRecord();
    const std::array<std::uint8_t, 16> fixedBytes = {31, 31, 5,  31, 1,  0, 1,  31,
                                                     31, 31, 31, 31, 20, 0, 31, 31};
    EXPECT_EQ(std::memcmp(&fixed, fixedBytes.data(), sizeof fixed), 0);

    for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
        state.defaultRecords.assign(3, ButtonSetting{});
        buildDefaultRecords(state, mode);
        ASSERT_EQ(state.defaultRecords.size(), kButtonSlotCount);
        for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
            const bool fixedSlot = mode == HostMode::PC && (slot == 1 || slot == 16);
            EXPECT_EQ(state.defaultRecords[slot],
                      fixedSlot ? fixed : state.defaultsBlock.button(slot))
                << "slot " << slot;
        }
        EXPECT_EQ(state.defaultLeftStick, state.defaultsBlock.stick(StickSide::Left));
        EXPECT_EQ(state.defaultRightStick, state.defaultsBlock.stick(StickSide::Right));
    }
}

TEST(ProfileModelRecords, PcRuleSetsOnlyCaptureAndHomeShortPress) {
    DeviceSettingsBlock block;
    block.bytes.fill(6);
    applyPcCaptureHomeRule(block);
    for (std::size_t i = 0; i < block::kSize; ++i) {
        EXPECT_EQ(block[i], (i == 64 || i == 304) ? 31 : 6) << i;
    }
}

TEST(ProfileModelRecords, PanelRefreshCopiesTheWorkingImage) {
    ProfileImages images = patternedImages();
    ProfileState state;
    state.currentRecords.assign(30, ButtonSetting{});
    refreshPanelCopy(state, images);
    ASSERT_EQ(state.currentRecords.size(), kButtonSlotCount);
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        EXPECT_EQ(state.currentRecords[slot], images.workingBlock.button(slot));
    }
    EXPECT_EQ(state.editLeftStick, images.workingBlock.stick(StickSide::Left));
    EXPECT_EQ(state.editRightStick, images.workingBlock.stick(StickSide::Right));
}

// Six images per mode; profile p of mode m has LSwitchFlag = 1 on slot p (NS) or p + 6 (PC)
// and the value 7 (not a switch, carried) on slot 17.
ProfileImages imagesWithSwitches() {
    ProfileImages images;
    for (std::uint32_t p = 0; p < 6; ++p) {
        DeviceSettingsBlock ns;
        ns[block::switchFlagOffset(p)] = 1;
        ns[block::switchFlagOffset(17)] = 7;
        images.nsProfiles.push_back(ns);
        DeviceSettingsBlock pc;
        pc[block::switchFlagOffset(p + 6)] = 1;
        images.pcProfiles.push_back(pc);
    }
    return images;
}

TEST(ProfileModelSwitchModes, ListsAreRebuiltFromBothModes) {
    ProfileImages images = imagesWithSwitches();
    images.switchModes(HostMode::NS).assign(9, SwitchModeList{});
    rebuildSwitchModeLists(images);
    for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
        ASSERT_EQ(images.switchModes(mode).size(), 6u);
        EXPECT_EQ(images.savedSwitchModes(mode), images.switchModes(mode));
        for (std::uint32_t p = 0; p < 6; ++p) {
            const SwitchModeList& list = images.switchModes(mode)[p];
            ASSERT_EQ(list.size(), kButtonSlotCount);
            for (std::uint32_t slot = 0; slot < kButtonSlotCount; ++slot) {
                const std::uint32_t switchSlot = mode == HostMode::NS ? p : p + 6;
                std::uint32_t flag = slot == switchSlot ? 1 : 0;
                if (mode == HostMode::NS && slot == 17) {
                    flag = 7;
                }
                EXPECT_EQ(list[slot], (SwitchModePair{flag, slot}));
            }
        }
    }
}

TEST(ProfileModelSwitchModes, ClearSetsEveryFlagOfOneModeToZero) {
    ProfileImages images = imagesWithSwitches();
    rebuildSwitchModeLists(images);
    clearSwitchModeFlags(images, HostMode::NS);
    for (const SwitchModeList& list : images.switchModes(HostMode::NS)) {
        for (const SwitchModePair& pair : list) {
            EXPECT_EQ(pair.flag, 0u);
        }
    }
    EXPECT_EQ(images.switchModes(HostMode::PC), images.savedSwitchModes(HostMode::PC));
    EXPECT_NE(images.switchModes(HostMode::NS), images.savedSwitchModes(HostMode::NS));
}

TEST(ProfileModelSwitchModes, SetSwitchModeOfSelectedUsesTheLastActivatedProfile) {
    ProfileImages images = imagesWithSwitches();
    rebuildSwitchModeLists(images);
    ProfileState state;

    images.hostMode = HostMode::PC;
    state.lastPcProfile = 3;
    state.lastNsProfile = 5;
    state.selectedSlot = 4;
    setSwitchModeOfSelected(state, images, 1);
    EXPECT_EQ(images.switchModes(HostMode::PC)[2][4], (SwitchModePair{1, 4}));
    SwitchModeLists expected = images.savedSwitchModes(HostMode::PC);
    expected[2][4].flag = 1;
    EXPECT_EQ(images.switchModes(HostMode::PC), expected);
    EXPECT_EQ(images.switchModes(HostMode::NS), images.savedSwitchModes(HostMode::NS));

    images.hostMode = HostMode::NS;
    state.selectedSlot = 4;  // profile 5 of NS has its switch on slot 4
    setSwitchModeOfSelected(state, images, 0);
    EXPECT_EQ(images.switchModes(HostMode::NS)[4][4], (SwitchModePair{0, 4}));

    // Nothing happens without an active profile, for a stick or no selection, or without lists.
    const ProfileImages before = images;
    const auto unchanged = [&] {
        return images.switchModes(HostMode::NS) == before.switchModeLists[0] &&
               images.switchModes(HostMode::PC) == before.switchModeLists[1];
    };
    state.lastNsProfile = 0;
    setSwitchModeOfSelected(state, images, 1);
    EXPECT_TRUE(unchanged());
    state.lastNsProfile = 2;
    for (const std::uint32_t selection :
         {kSelectionLeftStick, kSelectionRightStick, kSelectionNone}) {
        state.selectedSlot = selection;
        setSwitchModeOfSelected(state, images, 1);
        EXPECT_TRUE(unchanged());
    }
    state.selectedSlot = 0;
    state.lastNsProfile = 7;
    setSwitchModeOfSelected(state, images, 1);
    EXPECT_TRUE(unchanged());
    images.switchModes(HostMode::NS).clear();
    state.lastNsProfile = 1;
    setSwitchModeOfSelected(state, images, 1);
    EXPECT_TRUE(images.switchModes(HostMode::NS).empty());
}

}  // namespace
}  // namespace orv
