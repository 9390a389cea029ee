// Loads the factory image from DefaultData.db in two ways and prints how much faster the
// row-per-slot load is than the baseline of one query per value (260 queries per load, each
// with sqlite3_get_table and a "gbk" conversion of every result column name).
//
//   orv_factory_load_bench [DefaultData.db] [rounds]

#include <sqlite3.h>

#include <boost/locale/encoding.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "context/InstallPaths.h"
#include "profile/ProfileModel.h"
#include "profile/SettingsDatabase.h"

namespace {

using orv::DeviceSettingsBlock;

// The baseline: text of `wanted` in the first row whose key equals `keyValue`, or "".
std::string queryValue(sqlite3* db, const std::string& table, const std::string& keyColumn,
                       const std::string& keyValue, const std::string& wanted) {
    const std::string sql =
        "SELECT * FROM " + table + " where " + keyColumn + "='" + keyValue + "';";
    char** result = nullptr;
    int rows = 0;
    int columns = 0;
    std::string value;
    if (sqlite3_get_table(db, sql.c_str(), &result, &rows, &columns, nullptr) == SQLITE_OK &&
        rows > 0) {
        for (int column = 0; column < columns; ++column) {
            std::string name;
            try {
                name = boost::locale::conv::to_utf<char>(result[column], "gbk",
                                                         boost::locale::conv::stop);
            } catch (...) {
            }
            if (name == wanted) {
                const char* cell = result[columns + column];
                value = cell != nullptr ? cell : "";
                break;
            }
        }
    }
    sqlite3_free_table(result);
    return value;
}

void loadOneValueAtATime(sqlite3* db, DeviceSettingsBlock& block) {
    for (std::size_t slot = 0; slot < orv::kButtonSlotCount; ++slot) {
        orv::ButtonSetting record;
        auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
        for (std::size_t column = 0; column < orv::kButtonValueColumnCount; ++column) {
            bytes[column] = orv::parseDecimalLow8(
                queryValue(db, "tBUTSET", "BtnName", std::string(orv::kSlotIdentifiers[slot]),
                           std::string(orv::kButtonColumnNames[column])));
        }
        block.setButton(slot, record);
    }
    const struct {
        orv::StickSide side;
        const char* table;
        const char* key;
    } sticks[] = {{orv::StickSide::Left, "tSTICKSET_Left", "Left"},
                  {orv::StickSide::Right, "tSTICKSET_Right", "Right"}};
    for (const auto& stick : sticks) {
        orv::StickSetting setting = block.stick(stick.side);
        std::uint8_t* fields[] = {&setting.mode, &setting.rotate, &setting.sen, &setting.deadzone};
        for (std::size_t column = 0; column < orv::kStickValueColumnCount; ++column) {
            *fields[column] =
                orv::parseDecimalLow8(queryValue(db, stick.table, "KeyName", stick.key,
                                                 std::string(orv::kStickColumnNames[column])));
        }
        block.setStick(stick.side, setting);
    }
}

template <typename Load>
double secondsFor(int rounds, Load&& load) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        load();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path file =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::path(orv::paths::dataFolder()) / "DefaultData.db";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;

    orv::SqliteConnection db;
    if (orv::Status opened = orv::openFactorySettings(db, file); !opened) {
        std::fprintf(stderr, "orv_factory_load_bench: %s\n", opened.error.c_str());
        return 1;
    }
    DeviceSettingsBlock baseline;
    DeviceSettingsBlock rowWise;
    loadOneValueAtATime(db.handle(), baseline);
    orv::loadProfileFromDatabase(db, rowWise);
    if (!(baseline == rowWise)) {
        std::fprintf(stderr, "orv_factory_load_bench: the two loads disagree\n");
        return 1;
    }

    const double baselineSeconds = secondsFor(rounds, [&] {
        baseline.clear();
        loadOneValueAtATime(db.handle(), baseline);
    });
    const double rowSeconds = secondsFor(rounds, [&] {
        rowWise.clear();
        orv::loadProfileFromDatabase(db, rowWise);
    });
    const double ratio = rowSeconds > 0 ? baselineSeconds / rowSeconds : 0;
    std::printf("factory image load, %d rounds\n", rounds);
    std::printf("  one query per value (baseline): %9.1f us per load\n",
                baselineSeconds * 1e6 / rounds);
    std::printf("  one row per slot:               %9.1f us per load\n", rowSeconds * 1e6 / rounds);
    std::printf("  ratio: %.1fx (goal: at least 20x)\n", ratio);
    return ratio >= 20.0 ? 0 : 2;
}
