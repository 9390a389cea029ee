#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "profile/ImportedSettingsFile.h"
#include "profile/ProfileEditing.h"
#include "profile/ProfileTransfer.h"
#include "profile/SettingsDatabase.h"
#include "tests/profile/ProfileSessionFixture.h"
#include "tests/profile/SettingsTestSupport.h"

namespace orv {
namespace {

using testing::kSlotA;
using testing::kSlotCapture;
using testing::kSlotHome;
using testing::readFileBytes;
using testing::runSql;
using testing::ScratchFolder;
using testing::shippedDatabase;
using testing::writeFileBytes;

class ProfileTransfer : public testing::ProfileSession {
public:
    // A valid settings file (a copy of the template) holding `image`'s settings.
    std::filesystem::path settingsFile(const std::string& name, const DeviceSettingsBlock& image) {
        const std::filesystem::path file = folder / name;
        std::filesystem::copy_file(shippedDatabase("ProfileTemData.db"), file);
        SqliteConnection db;
        std::string error;
        EXPECT_TRUE(db.open(file.string(), SQLITE_OPEN_READWRITE, error)) << error;
        EXPECT_TRUE(writeProfileToDatabase(db, image));
        return file;
    }
    DeviceSettingsBlock importedSettings() const {
        DeviceSettingsBlock image = sim::factoryImage(HostMode::NS, 0);
        image[block::buttonRecordOffset(kSlotA)] = 5;  // A produces B
        image.setStick(StickSide::Left, {2, 1, 150, 25, {}});
        return image;
    }

    ScratchFolder folder;
};

TEST_F(ProfileTransfer, ImportNamesTheProfileAfterTheFileAndReplacesTheSlot) {
    const struct {
        const char* file;
        const char* partOne;
        const char* partTwo;
    } cases[] = {
        {"My Pad.db", "My Pad", ""},
        {"ABCDEFGHIJKLM.db", "ABCDEFGHIJ", "KLM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        editProfile(HostMode::NS, 2);
        const DeviceSettingsBlock before = stored(HostMode::NS, 2);
        const std::filesystem::path file = settingsFile(c.file, importedSettings());

        const ProfileOutcome imported = importProfile(context, flags, file);
        ASSERT_TRUE(imported.succeeded) << imported.detail;
        EXPECT_EQ(imported.nameButtonText, std::string(c.partOne) + c.partTwo);
        EXPECT_TRUE(imported.refreshPanel);
        const DeviceSettingsBlock& now = stored(HostMode::NS, 2);
        EXPECT_EQ(testing::decodeField(now.namePartOne()), c.partOne);
        EXPECT_EQ(testing::decodeField(now.namePartTwo()), c.partTwo);
        EXPECT_EQ(now.button(kSlotA).SDownPos, 5);
        EXPECT_EQ(now.stick(StickSide::Left).sen, 150);
        EXPECT_EQ(images.workingBlock, now);
        EXPECT_EQ(profile.restorePoint, now);
        EXPECT_EQ(profile.backupBlock, before);
        EXPECT_TRUE(flags.importBackupTaken && flags.slotReplaced);
        EXPECT_EQ(controller->selectedProfile(), 1);
        EXPECT_EQ(controller->permanentImage(HostMode::NS, 1), before) << "sent only with Save";
        EXPECT_FALSE(profile.settingsDb.isOpen());
        restoreLastTime(context, flags);
        std::filesystem::remove(file);
    }
}

TEST_F(ProfileTransfer, ImportInPcModeForcesCaptureAndHomeToNone) {
    editProfile(HostMode::PC, 1);
    const ProfileOutcome imported =
        importProfile(context, flags, settingsFile("pad.db", importedSettings()));
    ASSERT_TRUE(imported.succeeded) << imported.detail;
    EXPECT_EQ(stored(HostMode::PC, 1).button(kSlotCapture).SDownPos, 31);
    EXPECT_EQ(stored(HostMode::PC, 1).button(kSlotHome).SDownPos, 31);
    EXPECT_EQ(stored(HostMode::PC, 1).button(kSlotA).SDownPos, 5);
}

TEST_F(ProfileTransfer, ImportThenResetThenRestoreGivesBackThePreImportImage) {
    const struct {
        const char* what;
        int resetsBefore;
        int imports;
        int resetsAfter;
    } cases[] = {
        {"import, reset", 0, 1, 1},
        {"import, import", 0, 2, 0},
        {"reset, import", 1, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        editProfile(HostMode::NS, 6);
        const DeviceSettingsBlock before = stored(HostMode::NS, 6);
        const std::filesystem::path file = settingsFile("in.db", importedSettings());
        for (int i = 0; i < c.resetsBefore; ++i) {
            ASSERT_TRUE(factoryResetProfile(context, flags).succeeded);
        }
        for (int i = 0; i < c.imports; ++i) {
            ASSERT_TRUE(importProfile(context, flags, file).succeeded);
        }
        for (int i = 0; i < c.resetsAfter; ++i) {
            ASSERT_TRUE(factoryResetProfile(context, flags).succeeded);
        }
        const ProfileOutcome restored = restoreLastTime(context, flags);
        EXPECT_EQ(restored.nameButtonText, "Stored 6");
        EXPECT_EQ(stored(HostMode::NS, 6), before);
        EXPECT_EQ(controller->permanentImage(HostMode::NS, 5), before);
        std::filesystem::remove(file);
    }
}

TEST_F(ProfileTransfer, ValidFileWithMissingValuesLoadsThemAsZero) {
    editProfile(HostMode::NS, 3);
    runSql(folder / "sparse.db",
           "CREATE TABLE tBUTSET (BtnName TEXT, SDownPos TEXT);"
           "INSERT INTO tBUTSET VALUES ('J_A_P', '7');");
    const ProfileOutcome imported = importProfile(context, flags, folder / "sparse.db");
    ASSERT_TRUE(imported.succeeded) << imported.detail;
    const DeviceSettingsBlock& now = stored(HostMode::NS, 3);
    EXPECT_EQ(now.button(kSlotA).SDownPos, 7);
    EXPECT_EQ(now.button(kSlotA).LDownPos, 0);
    EXPECT_EQ(now.button(0), ButtonSetting{});
    EXPECT_EQ(now.stick(StickSide::Right).sen, 0);
}

// Builds one hostile import path in `folder`; returns the path to choose.
using HostileFile = std::filesystem::path (*)(ProfileTransfer&);

std::filesystem::path validCopy(ProfileTransfer& t, const char* name) {
    const std::filesystem::path file = t.folder / name;
    std::filesystem::copy_file(shippedDatabase("ProfileTemData.db"), file);
    return file;
}

TEST_F(ProfileTransfer, HostileImportFilesAreRefusedWithoutAnyChange) {
    const struct {
        const char* what;
        HostileFile make;
    } cases[] = {
        {"missing file", [](ProfileTransfer& t) { return t.folder / "absent.db"; }},
        {"not a database",
         [](ProfileTransfer& t) {
             writeFileBytes(t.folder / "text.db", "SDownPos=6\nthis is not a database\n");
             return t.folder / "text.db";
         }},
        {"empty file",
         [](ProfileTransfer& t) {
             writeFileBytes(t.folder / "empty.db", "");
             return t.folder / "empty.db";
         }},
        {"truncated",
         [](ProfileTransfer& t) {
             const std::string bytes = readFileBytes(shippedDatabase("ProfileTemData.db"));
             writeFileBytes(t.folder / "cut.db", bytes.substr(0, bytes.size() / 2 + 100));
             return t.folder / "cut.db";
         }},
        {"corrupted page",
         [](ProfileTransfer& t) {
             std::string bytes = readFileBytes(validCopy(t, "bad.db"));
             const std::size_t page = 4096;  // page 2: the root page of tBUTSET
             for (std::size_t i = 0; i < 64; ++i) {
                 bytes[page + 8 + i] = static_cast<char>(0xA5);
             }
             writeFileBytes(t.folder / "bad.db", bytes);
             return t.folder / "bad.db";
         }},
        {"trigger",
         [](ProfileTransfer& t) {
             const std::filesystem::path file = validCopy(t, "trigger.db");
             runSql(file,
                    "CREATE TABLE log (x); CREATE TRIGGER t AFTER UPDATE ON tBUTSET BEGIN "
                    "INSERT INTO log VALUES (1); END;");
             return file;
         }},
        {"view",
         [](ProfileTransfer& t) {
             const std::filesystem::path file = t.folder / "view.db";
             runSql(file,
                    "CREATE TABLE real (BtnName, SDownPos);"
                    "CREATE VIEW tBUTSET AS SELECT * FROM real;");
             return file;
         }},
        {"no tBUTSET",
         [](ProfileTransfer& t) {
             runSql(t.folder / "other.db", "CREATE TABLE tSTICKSET_Left (KeyName, mode);");
             return t.folder / "other.db";
         }},
        {"tBUTSET without BtnName",
         [](ProfileTransfer& t) {
             runSql(t.folder / "nokey.db", "CREATE TABLE tBUTSET (Name, SDownPos);");
             return t.folder / "nokey.db";
         }},
        {"directory", [](ProfileTransfer& t) { return t.folder.path(); }},
        {"FIFO",
         [](ProfileTransfer& t) {
             EXPECT_EQ(::mkfifo((t.folder / "fifo.db").c_str(), 0600), 0);
             return t.folder / "fifo.db";
         }},
        {"device", [](ProfileTransfer&) { return std::filesystem::path("/dev/zero"); }},
        {"link to a FIFO",
         [](ProfileTransfer& t) {
             EXPECT_EQ(::mkfifo((t.folder / "fifo2").c_str(), 0600), 0);
             std::filesystem::create_symlink(t.folder / "fifo2", t.folder / "fifo-link.db");
             return t.folder / "fifo-link.db";
         }},
        {"link to a directory",
         [](ProfileTransfer& t) {
             std::filesystem::create_directory(t.folder / "sub");
             std::filesystem::create_directory_symlink(t.folder / "sub", t.folder / "dir.db");
             return t.folder / "dir.db";
         }},
        {"link to a device",
         [](ProfileTransfer& t) {
             std::filesystem::create_symlink("/dev/urandom", t.folder / "dev.db");
             return t.folder / "dev.db";
         }},
        {"over the size cap",
         [](ProfileTransfer& t) {
             const std::filesystem::path file = validCopy(t, "huge.db");
             std::filesystem::resize_file(file, kImportSizeCap + 1);  // sparse: no real space
             return file;
         }},
    };
    editProfile(HostMode::NS, 2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::filesystem::path chosen = c.make(*this);
        const testing::SessionSnapshot before = snapshot();
        const std::string chosenBytes =
            std::filesystem::is_regular_file(chosen) && std::filesystem::file_size(chosen) < 1000000
                ? readFileBytes(chosen)
                : std::string();
        const ProfileOutcome imported = importProfile(context, flags, chosen);
        EXPECT_FALSE(imported.succeeded);
        EXPECT_EQ(imported.message, (MessageNotice{112, 77, MessageIcon::Warning}));
        EXPECT_FALSE(imported.detail.empty());
        EXPECT_FALSE(imported.nameButtonText);
        EXPECT_TRUE(snapshot() == before) << imported.detail;
        EXPECT_FALSE(profile.settingsDb.isOpen());
        if (!chosenBytes.empty()) {
            EXPECT_EQ(readFileBytes(chosen), chosenBytes) << "the chosen file was modified";
        }
    }
}

TEST_F(ProfileTransfer, ExportWritesTheStoredSettingsAndKeepsUnsavedEdits) {
    editProfile(HostMode::PC, 4);
    stored(HostMode::PC, 4).setStick(StickSide::Right, {2, 3, 75, 5, {}});
    images.workingBlock[block::buttonRecordOffset(kSlotA)] = 4;  // unsaved edit
    const DeviceSettingsBlock working = images.workingBlock;
    const std::string templateBefore = readFileBytes(files.exportTemplate);

    const std::filesystem::path target = folder / "PROFILE4.db";
    const ProfileOutcome exported = exportProfile(context, target);
    ASSERT_TRUE(exported.succeeded) << exported.detail;
    EXPECT_FALSE(exported.message);
    EXPECT_EQ(images.workingBlock, working);
    EXPECT_EQ(readFileBytes(files.exportTemplate), templateBefore);
    EXPECT_FALSE(profile.settingsDb.isOpen());
    EXPECT_EQ(testing::queryText(target, "SELECT SDownPos FROM tBUTSET WHERE BtnName='J_A_P'"),
              "7");
    EXPECT_EQ(testing::queryText(target, "SELECT sen FROM tSTICKSET_Right"), "75");

    // And the exported file imports as the same settings into another slot.
    editProfile(HostMode::PC, 5);
    ASSERT_TRUE(importProfile(context, flags, target).succeeded);
    DeviceSettingsBlock expected = stored(HostMode::PC, 4);
    DeviceSettingsBlock got = stored(HostMode::PC, 5);
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        EXPECT_EQ(got.button(slot), expected.button(slot)) << slot;
    }
    EXPECT_EQ(got.stick(StickSide::Right), expected.stick(StickSide::Right));
    EXPECT_EQ(readProfileName(got), "PROFILE4");
}

TEST_F(ProfileTransfer, ExportReplacesAnExistingFileCompletely) {
    editProfile(HostMode::NS, 1);
    const std::filesystem::path target = folder / "old.db";
    writeFileBytes(target, std::string(100000, 'x'));
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(exportProfile(context, target).succeeded);
    EXPECT_EQ(testing::queryText(target, "PRAGMA quick_check"), "ok");
    EXPECT_EQ(testing::queryText(target, "SELECT SDownPos FROM tBUTSET WHERE BtnName='J_A_P'"),
              "7");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // No temporary file is left beside it.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST_F(ProfileTransfer, FailedExportsLeaveTheTargetAlone) {
    editProfile(HostMode::NS, 1);
    runSql(folder / "broken-template.db", "CREATE TABLE tSTICKSET_Left (KeyName, mode);");
    const std::filesystem::path target = folder / "target.db";
    writeFileBytes(target, "previous export");
    const struct {
        const char* what;
        std::filesystem::path templateFile;
        std::filesystem::path target;
        std::optional<MessageNotice> message;
    } cases[] = {
        {"template without tBUTSET", folder / "broken-template.db", target,
         MessageNotice{52, 79, MessageIcon::Exclamation}},
        {"template missing", folder / "absent.db", target, std::nullopt},
        {"target folder missing", files.exportTemplate, folder / "no/such/folder/x.db",
         std::nullopt},
        {"target is a folder", files.exportTemplate, folder.path(), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string templateBefore = readFileBytes(c.templateFile);
        SettingsFiles other = files;
        other.exportTemplate = c.templateFile;
        ProfileContext withTemplate{images, profile, link, other};
        const ProfileOutcome exported = exportProfile(withTemplate, c.target);
        EXPECT_FALSE(exported.succeeded);
        EXPECT_EQ(exported.message, c.message);
        EXPECT_EQ(readFileBytes(target), "previous export");
        EXPECT_EQ(readFileBytes(c.templateFile), templateBefore);
        EXPECT_FALSE(profile.settingsDb.isOpen());
    }
}

TEST(ProfileFoldersTest, DesktopFolderFollowsTheXdgUserDirectories) {
    ScratchFolder home;
    std::filesystem::create_directories(home / ".config");
    const struct {
        const char* what;
        const char* userDirs;  // nullptr: no file
        std::filesystem::path expected;
    } cases[] = {
        {"no file", nullptr, home / "Desktop"},
        {"home relative", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n", home / "Schreibtisch"},
        {"absolute, after comments",
         "# written by xdg-user-dirs-update\nXDG_DOWNLOAD_DIR=\"$HOME/dl\"\n"
         "XDG_DESKTOP_DIR=\"/srv/desk top\"\n",
         "/srv/desk top"},
        {"relative value ignored", "XDG_DESKTOP_DIR=\"Desktop2\"\n", home / "Desktop"},
        {"unquoted value ignored", "XDG_DESKTOP_DIR=$HOME/x\n", home / "Desktop"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(home / ".config/user-dirs.dirs");
        if (c.userDirs != nullptr) {
            writeFileBytes(home / ".config/user-dirs.dirs", c.userDirs);
        }
        EXPECT_EQ(desktopFolderFor(home.path().string(), ""), c.expected);
    }
    // XDG_CONFIG_HOME, when absolute, is where the file is looked for.
    std::filesystem::create_directories(home / "cfg");
    writeFileBytes(home / "cfg/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
    EXPECT_EQ(desktopFolderFor(home.path().string(), (home / "cfg").string()), home / "Bureau");
    EXPECT_EQ(desktopFolderFor("", ""), std::nullopt);

    const ProfileFolders folders = ProfileFolders::under(home / "Desk");
    EXPECT_EQ(folders.forMode(HostMode::NS), home / "Desk/ProfileData/NS");
    EXPECT_EQ(folders.forMode(HostMode::PC), home / "Desk/ProfileData/PC");
    EXPECT_EQ(folders.importStartFolder(HostMode::PC), home / "Desk");
    std::filesystem::create_directories(folders.pc);
    EXPECT_EQ(folders.importStartFolder(HostMode::PC), folders.pc);
    EXPECT_EQ(importedProfileName("/a/b.c/My Pad.db"), "My Pad");
}

}  // namespace
}  // namespace orv
