#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/ProfileModel.h"
#include "profile/SettingsDatabase.h"
#include "profile/SettingsRowReader.h"
#include "tests/profile/SettingsTestSupport.h"

namespace orv {
namespace {

using testing::runSql;
using testing::ScratchFolder;
using testing::shippedDatabase;

constexpr std::size_t kSlotA = 12;
constexpr std::size_t kSlotCapture = 1;
constexpr std::size_t kSlotHome = 16;

// A block whose every byte is 0xEE, so a test sees which bytes a load touched.
DeviceSettingsBlock markedBlock() {
    DeviceSettingsBlock block;
    block.bytes.fill(0xEE);
    return block;
}

Status openForTest(SqliteConnection& db, const std::filesystem::path& file) {
    std::string error;
    if (!db.open(file.string(), SQLITE_OPEN_READWRITE, error)) {
        return Status::failure(error);
    }
    return Status::success();
}

TEST(SettingsDatabaseFactory, ShippedFileHoldsOneFunctionPerButtonAndPlainSticks) {
    SqliteConnection db;
    ASSERT_TRUE(openFactorySettings(db, shippedDatabase("DefaultData.db")));
    DeviceSettingsBlock block = markedBlock();
    loadProfileFromDatabase(db, block);

    // Slot order J_LSB_P .. J_RSB_P and the function each produces.
    const FunctionCode expected[kButtonSlotCount] = {14, 17, 12, 10, 8, 2,  0,  1,  3,
                                                     4,  7,  5,  6,  9, 11, 13, 16, 15};
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        SCOPED_TRACE(kSlotIdentifiers[slot]);
        const ButtonSetting record = block.button(slot);
        EXPECT_EQ(record.SDownPos, expected[slot]);
        // No long press, turbo or switch assigned; sensible times; record bytes 14..15 are 0.
        ButtonSetting unassigned = pcFixedCaptureHomeRecord();
        unassigned.SDownPos = expected[slot];
        unassigned.reserved = {0, 0};
        EXPECT_EQ(record, unassigned);
    }
    const StickSetting left = block.stick(StickSide::Left);
    const StickSetting right = block.stick(StickSide::Right);
    EXPECT_EQ((std::vector<int>{left.mode, left.rotate, left.sen, left.deadzone}),
              (std::vector<int>{1, 0, 100, 0}));
    EXPECT_EQ((std::vector<int>{right.mode, right.rotate, right.sen, right.deadzone}),
              (std::vector<int>{2, 0, 100, 0}));
    // Stick bytes 4..7 and the names are not the database's.
    EXPECT_EQ(left.reserved, (std::array<std::uint8_t, 4>{0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(block[0], 0xEE);
    EXPECT_EQ(block[block::kNamePartTwoOffset], 0xEE);
}

TEST(SettingsDatabaseFactory, TemplateHasEveryKeyRowExportUpdates) {
    SqliteConnection a;
    SqliteConnection b;
    ASSERT_TRUE(openFactorySettings(a, shippedDatabase("DefaultData.db")));
    ASSERT_TRUE(openFactorySettings(b, shippedDatabase("ProfileTemData.db")));
    DeviceSettingsBlock fromDefaults;
    DeviceSettingsBlock fromTemplate;
    loadProfileFromDatabase(a, fromDefaults);
    loadProfileFromDatabase(b, fromTemplate);
    EXPECT_EQ(fromDefaults, fromTemplate);
}

TEST(SettingsDatabaseFactory, LoadingForPcGivesCaptureAndHomeTheFixedRecord) {
    const SettingsFiles files = SettingsFiles::beside(ORV_TEST_DATA_DIR);
    for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
        ProfileState state;
        ProfileImages images;
        ASSERT_TRUE(loadFactoryImage(state, images, files, mode));
        EXPECT_TRUE(state.settingsDb.isOpen());
        EXPECT_EQ(images.workingBlock, state.defaultsBlock);
        ASSERT_EQ(state.defaultRecords.size(), kButtonSlotCount);
        EXPECT_EQ(state.defaultRecords[kSlotA].SDownPos, 6);
        if (mode == HostMode::PC) {
            EXPECT_EQ(state.defaultRecords[kSlotCapture], pcFixedCaptureHomeRecord());
            EXPECT_EQ(state.defaultRecords[kSlotHome], pcFixedCaptureHomeRecord());
        } else {
            EXPECT_EQ(state.defaultRecords[kSlotCapture].SDownPos, 17);
            EXPECT_EQ(state.defaultRecords[kSlotHome].SDownPos, 16);
        }
        // The image itself keeps the database records; only the factory records follow the
        // PC rule.
        EXPECT_EQ(state.defaultsBlock.button(kSlotCapture).SDownPos, 17);
        EXPECT_EQ(state.defaultRightStick.mode, 2);
    }
}

TEST(SettingsDatabaseFactory, MissingFactoryFileChangesNothingAndIsNotCreated) {
    ScratchFolder folder;
    const SettingsFiles files = SettingsFiles::beside(folder.path());
    ProfileState state;
    ProfileImages images;
    state.defaultRecords.resize(kButtonSlotCount);
    images.workingBlock = markedBlock();

    const Status loaded = loadFactoryImage(state, images, files, HostMode::NS);
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(loaded.error.empty());
    EXPECT_TRUE(state.defaultRecords.empty());
    EXPECT_EQ(images.workingBlock, markedBlock());
    EXPECT_FALSE(state.settingsDb.isOpen());
    EXPECT_FALSE(std::filesystem::exists(files.defaultData));
}

// One settings file broken in the ways a hand-made or foreign file can be.
class SettingsValueRules : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = folder_ / "values.db";
        runSql(file_,
               // tBUTSET without LSwitchTime; J_A_P holds the odd texts; J_X_P appears twice.
               "CREATE TABLE tBUTSET (BtnName TEXT, SDownPos, LDownPos, LDownTime, TurboPos, "
               "TurboTime, ConDisable, ConDisableTime, LSwitchPos1, LSwitchPos2, LSwitchPos3, "
               "LSwitchPos4, LSwitchPos5, LSwitchFlag);"
               "INSERT INTO tBUTSET VALUES ('J_A_P', '31', ' 7', '300', 'abc', NULL, '1.5', "
               "'-1', '', '12abc', ' \t9', 2, 255, 1);"
               "INSERT INTO tBUTSET VALUES ('J_X_P', 7, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1);"
               "INSERT INTO tBUTSET VALUES ('J_X_P', 9, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2);"
               // Only the left stick table; its row has an extra column.
               "CREATE TABLE tSTICKSET_Left (KeyName TEXT, extra, mode, rotate, sen, deadzone);"
               "INSERT INTO tSTICKSET_Left VALUES ('Left', 99, 1, 3, 150, 25);");
        ASSERT_TRUE(openForTest(db_, file_));
        block_ = markedBlock();
        loadProfileFromDatabase(db_, block_);
    }

    ScratchFolder folder_;
    std::filesystem::path file_;
    SqliteConnection db_;
    DeviceSettingsBlock block_;
};

TEST_F(SettingsValueRules, TextsReadAsDecimalLow8AndUnreadableAsZero) {
    const ButtonSetting a = block_.button(kSlotA);
    const struct {
        const char* what;
        std::uint8_t got;
        std::uint8_t expected;
    } cases[] = {
        {"'31'", a.SDownPos, 31},
        {"' 7'", a.LDownPos, 7},
        {"'300' keeps the low 8 bits", a.LDownTime, 44},
        {"'abc'", a.TurboPos, 0},
        {"NULL", a.TurboTime, 0},
        {"'1.5' stops at the point", a.ConDisable, 1},
        {"'-1'", a.ConDisableTime, 255},
        {"''", a.LSwitchPos1, 0},
        {"'12abc'", a.LSwitchPos2, 12},
        {"' \\t9'", a.LSwitchPos3, 9},
        {"integer 2", a.LSwitchPos4, 2},
        {"integer 255", a.LSwitchPos5, 255},
        {"missing column LSwitchTime", a.LSwitchTime, 0},
        {"column after the missing one", a.LSwitchFlag, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got, c.expected) << c.what;
    }
    EXPECT_EQ(a.reserved, (std::array<std::uint8_t, 2>{0, 0}));
}

TEST_F(SettingsValueRules, FirstOfDuplicateRowsWinsAndMissingRowsReadZero) {
    EXPECT_EQ(block_.button(10).SDownPos, 7);  // J_X_P: the first of its two rows
    EXPECT_EQ(block_.button(10).LSwitchFlag, 1);
    EXPECT_EQ(block_.button(0), ButtonSetting{});  // J_LSB_P: no row
}

TEST_F(SettingsValueRules, ColumnsAreFoundByNameAndAMissingStickTableReadsZero) {
    const StickSetting left = block_.stick(StickSide::Left);
    EXPECT_EQ((std::vector<int>{left.mode, left.rotate, left.sen, left.deadzone}),
              (std::vector<int>{1, 3, 150, 25}));
    const StickSetting right = block_.stick(StickSide::Right);
    EXPECT_EQ((std::vector<int>{right.mode, right.rotate, right.sen, right.deadzone}),
              (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(right.reserved, (std::array<std::uint8_t, 4>{0xEE, 0xEE, 0xEE, 0xEE}));
}

TEST(SettingsRowReaderNames, ColumnNamesAreConvertedFromGbk) {
    // "你好" in GBK; an ill-formed name matches nothing rather than losing bytes.
    EXPECT_EQ(decodeColumnName("\xC4\xE3\xBA\xC3"), "\xE4\xBD\xA0\xE5\xA5\xBD");
    EXPECT_EQ(decodeColumnName("SDownPos"), "SDownPos");
    EXPECT_EQ(decodeColumnName("SDown\xFFPos"), "");

    ScratchFolder folder;
    runSql(folder / "gbk.db",
           "CREATE TABLE t (k TEXT, \"\xC4\xE3\xBA\xC3\" TEXT); INSERT INTO t VALUES ('x', '42');");
    SqliteConnection db;
    ASSERT_TRUE(openForTest(db, folder / "gbk.db"));
    const std::string_view wanted[] = {"\xE4\xBD\xA0\xE5\xA5\xBD"};
    SettingsRowReader reader(db, "t", "k", wanted);
    std::uint8_t value = 0;
    EXPECT_TRUE(reader.read("x", std::span<std::uint8_t>(&value, 1)));
    EXPECT_EQ(value, 42);
}

TEST(SettingsDatabaseLoad, ClosedConnectionFillsNothing) {
    SqliteConnection closed;
    DeviceSettingsBlock block = markedBlock();
    loadProfileFromDatabase(closed, block);
    EXPECT_EQ(block, markedBlock());
}

// Splits a statement text at its semicolons.
std::vector<std::string> statementsOf(const std::string& text) {
    std::vector<std::string> statements;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(';', start)) != std::string::npos; start = end + 1) {
        statements.push_back(text.substr(start, end + 1 - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last statement";
    return statements;
}

TEST(SettingsDatabaseWrite, StatementTextsAreExact) {
    DeviceSettingsBlock block;
    ButtonSetting stickClick;
    stickClick.SDownPos = 6;
    block.setButton(0, stickClick);
    ButtonSetting capture;
    capture.SDownPos = 31;
    capture.LSwitchTime = 255;
    block.setButton(kSlotCapture, capture);
    StickSetting left{1, 0, 100, 0, {9, 9, 9, 9}};
    StickSetting right{2, 3, 200, 50, {}};
    block.setStick(StickSide::Left, left);
    block.setStick(StickSide::Right, right);

    const std::vector<std::string> statements = statementsOf(profileWriteStatements(block));
    ASSERT_EQ(statements.size(), 260u);
    EXPECT_EQ(statements[0], "UPDATE tBUTSET SET SDownPos=6 WHERE BtnName='J_LSB_P';");
    EXPECT_EQ(statements[1], "UPDATE tBUTSET SET LDownPos=0 WHERE BtnName='J_LSB_P';");
    EXPECT_EQ(statements[14], "UPDATE tBUTSET SET SDownPos=31 WHERE BtnName='J_CAP_P';");
    EXPECT_EQ(statements[14 + 12], "UPDATE tBUTSET SET LSwitchTime=255 WHERE BtnName='J_CAP_P';");
    EXPECT_EQ(statements[251], "UPDATE tBUTSET SET LSwitchFlag=0 WHERE BtnName='J_RSB_P';");
    const std::vector<std::string> sticks(statements.begin() + 252, statements.end());
    EXPECT_EQ(sticks, (std::vector<std::string>{
                          "UPDATE tSTICKSET_Left SET mode=1;",
                          "UPDATE tSTICKSET_Left SET rotate=0;",
                          "UPDATE tSTICKSET_Left SET sen=100;",
                          "UPDATE tSTICKSET_Left SET deadzone=0;",
                          "UPDATE tSTICKSET_Right SET mode=2;",
                          "UPDATE tSTICKSET_Right SET rotate=3;",
                          "UPDATE tSTICKSET_Right SET sen=200;",
                          "UPDATE tSTICKSET_Right SET deadzone=50;",
                      }));
}

TEST(SettingsDatabaseWrite, WrittenFileLoadsBackTheSameSettings) {
    ScratchFolder folder;
    std::filesystem::copy_file(shippedDatabase("ProfileTemData.db"), folder / "out.db");
    DeviceSettingsBlock block;
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        ButtonSetting record;
        auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
        for (std::size_t i = 0; i < kButtonValueColumnCount; ++i) {
            bytes[i] = static_cast<std::uint8_t>(slot * 14 + i);  // 0 .. 251, all distinct
        }
        block.setButton(slot, record);
    }
    block.setStick(StickSide::Left, {2, 1, 25, 5, {}});
    block.setStick(StickSide::Right, {0, 2, 255, 10, {}});

    SqliteConnection db;
    ASSERT_TRUE(openForTest(db, folder / "out.db"));
    ASSERT_TRUE(writeProfileToDatabase(db, block));
    DeviceSettingsBlock loaded;
    loadProfileFromDatabase(db, loaded);
    EXPECT_EQ(loaded, block);
    EXPECT_EQ(testing::queryText(folder / "out.db", "SELECT typeof(SDownPos) FROM tBUTSET"),
              "text");
}

TEST(SettingsDatabaseWrite, FailingBatchLeavesTheFileAsItWas) {
    const struct {
        const char* what;
        const char* schema;
    } cases[] = {
        {"no tBUTSET", "CREATE TABLE tSTICKSET_Left (KeyName, mode, rotate, sen, deadzone);"},
        {"no right stick table",
         "CREATE TABLE tBUTSET (BtnName, SDownPos, LDownPos, LDownTime, TurboPos, TurboTime, "
         "ConDisable, ConDisableTime, LSwitchPos1, LSwitchPos2, LSwitchPos3, LSwitchPos4, "
         "LSwitchPos5, LSwitchTime, LSwitchFlag);"
         "INSERT INTO tBUTSET (BtnName, SDownPos) VALUES ('J_LSB_P', 'old');"
         "CREATE TABLE tSTICKSET_Left (KeyName, mode, rotate, sen, deadzone);"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        runSql(folder / "t.db", c.schema);
        const std::string before = testing::readFileBytes(folder / "t.db");
        SqliteConnection db;
        ASSERT_TRUE(openForTest(db, folder / "t.db"));
        DeviceSettingsBlock block;
        block.setButton(0, ButtonSetting{6});
        const Status written = writeProfileToDatabase(db, block);
        EXPECT_FALSE(written);
        EXPECT_NE(written.error.find("no such table"), std::string::npos) << written.error;
        db.close();
        // Statements before the failing one were rolled back with it.
        EXPECT_EQ(testing::readFileBytes(folder / "t.db"), before);
    }
}

TEST(SettingsDatabaseFolders, MakesMissingParentsAndReportsAFileInTheWay) {
    ScratchFolder folder;
    EXPECT_TRUE(makeFolders(folder / "a/b/ProfileData/NS"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "a/b/ProfileData/NS"));
    EXPECT_TRUE(makeFolders(folder / "a/b/ProfileData/NS"));  // already there
    testing::writeFileBytes(folder / "file", "x");
    EXPECT_FALSE(makeFolders(folder / "file/NS"));
}

}  // namespace
}  // namespace orv
