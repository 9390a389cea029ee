// backup and restore: the round trip, hostile or damaged files, and a restore that fails part
// way.

#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include "device/ConnectionWorker.h"
#include "device/ControllerDiscovery.h"
#include "profile/ControllerBackup.h"
#include "profile/ProfileModel.h"
#include "tests/cli/CliFixture.h"

namespace orv::cli::test {
namespace {

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void execute(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string why = message != nullptr ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << why;
}

using BackupRestore = CliFixture;

TEST_F(BackupRestore, RoundTripGivesBackEveryImageByteForByte) {
    const std::filesystem::path state = folder / "controller.state";
    auto controller = backend.addController([&] {
        sim::ControllerOptions options;
        options.stateFile = state.string();
        return options;
    }());
    sim::SimFaults fast;
    fast.reportDelay = std::chrono::microseconds(0);
    controller->setFaults(fast);
    ASSERT_EQ(run({"rename", "--mode", "pc", "--profile", "6", "Mine"}), kSuccess) << err.str();
    settle();
    const std::string saved = fileBytes(state);
    ASSERT_FALSE(saved.empty());

    const std::filesystem::path backup = folder / "all.orvbackup";
    ASSERT_EQ(run({"backup", backup.string()}), kSuccess) << err.str();
    settle();
    ASSERT_EQ(run({"set", "--mode", "ns", "--profile", "1", "A.short=B"}), kSuccess);
    settle();
    ASSERT_EQ(run({"reset", "--mode", "pc", "--profile", "6"}), kSuccess);
    settle();
    ASSERT_NE(fileBytes(state), saved);

    ASSERT_EQ(run({"restore", backup.string()}), kSuccess) << err.str();
    EXPECT_NE(out.str().find("PC profile 6: restored"), std::string::npos) << out.str();
    EXPECT_EQ(fileBytes(state), saved);

    // One slot only.
    settle();
    ASSERT_EQ(run({"set", "--mode", "ns", "--profile", "2", "A.short=B"}), kSuccess);
    settle();
    ASSERT_EQ(run({"set", "--mode", "ns", "--profile", "3", "A.short=B"}), kSuccess);
    settle();
    const DeviceSettingsBlock changedThree = controller->permanentImage(HostMode::NS, 2);
    ASSERT_EQ(run({"restore", backup.string(), "--mode", "ns", "--profile", "2"}), kSuccess);
    EXPECT_EQ(controller->permanentImage(HostMode::NS, 1), sim::factoryImage(HostMode::NS, 1));
    EXPECT_EQ(controller->permanentImage(HostMode::NS, 2), changedThree);
}

TEST_F(BackupRestore, DamagedOrHostileFilesAreRefusedBeforeAnythingIsWritten) {
    auto controller = plug();
    const std::filesystem::path good = folder / "good.orvbackup";
    ASSERT_EQ(run({"backup", good.string()}), kSuccess) << err.str();
    settle();
    struct Case {
        const char* what;
        const char* sql;  // applied to a copy of the good file; "" when `bytes` is used
        const char* mentions;
    };
    const Case cases[] = {
        {"wrong checksum", "UPDATE images SET checksum='00000000' WHERE mode=1 AND slot=4;",
         "checksum"},
        {"corrupted image", "UPDATE images SET image=zeroblob(640) WHERE mode=0 AND slot=0;",
         "checksum"},
        {"short image", "UPDATE images SET image=zeroblob(639) WHERE mode=0 AND slot=2;",
         "640 bytes"},
        {"missing image", "DELETE FROM images WHERE mode=1 AND slot=5;", "instead of twelve"},
        {"slot out of range", "UPDATE images SET slot=9 WHERE mode=0 AND slot=5;", "outside"},
        {"other format", "UPDATE backup SET value='x' WHERE key='format';", "format"},
        {"newer version", "UPDATE backup SET value='2' WHERE key='version';", "not supported"},
        {"a trigger", "CREATE TRIGGER t AFTER INSERT ON backup BEGIN SELECT 1; END;", "trigger"},
        {"a view", "CREATE VIEW v AS SELECT 1;", "view"},
        {"no images table", "DROP TABLE images;", "no such table"},
    };
    for (const Case& damaged : cases) {
        const std::filesystem::path file = folder / "damaged.orvbackup";
        std::filesystem::remove(file);
        std::filesystem::copy_file(good, file);
        execute(file, damaged.sql);
        EXPECT_EQ(run({"restore", file.string()}), kInvalidFile) << damaged.what;
        EXPECT_NE(err.str().find(damaged.mentions), std::string::npos)
            << damaged.what << ": " << err.str();
        EXPECT_NE(err.str().find("nothing was written"), std::string::npos) << err.str();
    }
    {
        std::ofstream junk(folder / "junk.orvbackup", std::ios::binary);
        junk << "SQLite format 3" << std::string(200, '\x7f');
    }
    EXPECT_EQ(run({"restore", (folder / "junk.orvbackup").string()}), kInvalidFile);
    EXPECT_EQ(run({"restore", folder.string()}), kInvalidFile) << "a folder";
    EXPECT_EQ(run({"restore", (folder / "absent").string()}), kInvalidFile);
    EXPECT_EQ(controller->framesReceived(vendor::Command::WriteProfile), 0u);
}

TEST_F(BackupRestore, AFailureHalfWayReportsWrittenSlotsAndLeavesTheOthers) {
    auto controller = plug(kConfigurationProductId);
    DeviceContext context;
    context.device.backend = &backend;
    context.device.clock = &clock;
    ASSERT_TRUE(openController(context.device, kConfigurationProductId));
    ASSERT_TRUE(readAllProfiles(context.device, context.images));

    std::vector<BackupImage> wanted;
    for (std::uint32_t slot = 0; slot < 6; ++slot) {
        BackupImage entry{HostMode::NS, slot, sim::factoryImage(HostMode::NS, slot)};
        writeProfileName(entry.image, "Restored " + std::to_string(slot));
        wanted.push_back(entry);
    }
    // An image takes about 57 reports (write, commit, read back, counted from here): the
    // controller drops off the bus while the third image is being written.
    sim::SimFaults unplugging;
    unplugging.reportDelay = std::chrono::microseconds(0);
    unplugging.unplugAtReport = 114;
    controller->setFaults(unplugging);
    std::vector<std::string> seen;
    const std::vector<SlotResult> results = restoreImages(
        context.device, context.images, wanted, [] { return false; },
        [&seen](const SlotResult& result) { seen.push_back(std::to_string(result.slot)); });

    ASSERT_EQ(results.size(), 6u);
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(results[0].outcome, SlotRestore::Restored);
    EXPECT_EQ(results[1].outcome, SlotRestore::Restored) << results[1].detail;
    EXPECT_NE(results[2].outcome, SlotRestore::Restored);
    EXPECT_NE(results[2].outcome, SlotRestore::NotAttempted);
    for (std::size_t slot = 3; slot < 6; ++slot) {
        EXPECT_EQ(results[slot].outcome, SlotRestore::NotAttempted) << slot;
    }
    controller->plug();
    EXPECT_EQ(controller->permanentImage(HostMode::NS, 0), wanted[0].image);
    EXPECT_EQ(controller->permanentImage(HostMode::NS, 1), wanted[1].image);
    for (std::size_t slot = 2; slot < 6; ++slot) {
        EXPECT_EQ(controller->permanentImage(HostMode::NS, slot),
                  sim::factoryImage(HostMode::NS, slot))
            << slot;
    }
}

TEST_F(BackupRestore, ACommandLineRestoreThatFailsSaysWhichSlotsWereWritten) {
    auto controller = plug();
    const std::filesystem::path backup = folder / "all.orvbackup";
    ASSERT_EQ(run({"backup", backup.string()}), kSuccess) << err.str();
    settle();
    sim::SimFaults refusing;
    refusing.reportDelay = std::chrono::microseconds(0);
    refusing.refuseCommit = true;
    controller->setFaults(refusing);
    EXPECT_EQ(run({"restore", backup.string()}), kDeviceError);
    EXPECT_NE(out.str().find("NS profile 1: FAILED: the controller did not make the image "
                             "permanent"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("PC profile 6: not written (unchanged)"), std::string::npos);
    EXPECT_NE(err.str().find("restore stopped after 0 profiles"), std::string::npos) << err.str();

    EXPECT_EQ(run({"backup"}), kUsageError);
    EXPECT_EQ(run({"backup", (folder / "no-such-folder" / "x").string()}), kFailure);
}

}  // namespace
}  // namespace orv::cli::test
