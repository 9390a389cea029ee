// The text database shipped next to the executable.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <vector>

#include "text/TextStore.h"

namespace orv {
namespace {

// Every text number the tool shows.
std::vector<int> usedTextNumbers() {
    std::vector<int> ids = {1,  18, 19, 20, 21, 22, 23, 24, 25,  29, 35,
                            36, 37, 38, 39, 41, 42, 47, 52, 111, 112, 320};
    for (int id = 54; id <= 82; ++id) {
        ids.push_back(id);
    }
    for (int id = 84; id <= 110; ++id) {
        ids.push_back(id);
    }
    return ids;
}

TEST(MultiLingualData, EveryUsedTextExistsInEnglishAndJapanese) {
    TextStore store;
    ASSERT_TRUE(store.open(std::filesystem::path(ORV_TEST_DATA_DIR) / "MultiLingual.db"))
        << store.lastError();
    for (const char* language : {"english", "japanese"}) {
        store.language = language;
        for (const int id : usedTextNumbers()) {
            EXPECT_FALSE(store.text(id).empty()) << language << " text " << id;
        }
    }
    // The stick editor's "no dead zone" wording is its own entry, not the shared "none".
    store.language = "english";
    EXPECT_NE(store.text(81), store.text(35));
    // Every language column exists, so a lookup in any language is a valid statement.
    for (const std::string_view language : TextStore::kLanguages) {
        const std::string sql = "SELECT " + std::string(language) + " FROM MultiLingualData";
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(store.textDb.handle(), sql.c_str(), -1, &statement, nullptr),
                  SQLITE_OK)
            << language;
        sqlite3_finalize(statement);
    }
}

}  // namespace
}  // namespace orv
