#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "text/TextStore.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class TextStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder name outside ASCII checks that the path reaches SQLite as UTF-8.
        folder_ =
            fs::path(::testing::TempDir()) / fs::u8path("テキスト_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        store_.close();
        fs::remove_all(folder_);
    }

    fs::path makeDatabase(const std::string& sql) {
        const fs::path path = folder_ / "MultiLingual.db";
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
            << (error != nullptr ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
        return path;
    }

    // Rows: 35 in both languages, 36 English only (Japanese NULL), 37 with an empty Japanese
    // cell, 40 twice (the later row must win), 41 with a French text.
    fs::path makeSampleDatabase() {
        return makeDatabase(
            "CREATE TABLE MultiLingualData (id INTEGER, english TEXT, japanese TEXT, french TEXT,"
            " german TEXT, italian TEXT, spanish TEXT, dutch TEXT);"
            "INSERT INTO MultiLingualData (id, english, japanese) VALUES (35, 'None', 'なし');"
            "INSERT INTO MultiLingualData (id, english) VALUES (36, 'No Rotation');"
            "INSERT INTO MultiLingualData (id, english, japanese) VALUES (37, 'Rotate', '');"
            "INSERT INTO MultiLingualData (id, english) VALUES (40, 'first');"
            "INSERT INTO MultiLingualData (id, english) VALUES (40, 'second');"
            "INSERT INTO MultiLingualData (id, english, french) VALUES (41, 'OK', 'D''accord');");
    }

    fs::path folder_;
    TextStore store_;
};

TEST_F(TextStoreTest, LooksUpTheColumnOfTheCurrentLanguageWithoutFallBack) {
    ASSERT_TRUE(store_.open(makeSampleDatabase())) << store_.lastError();
    const struct {
        const char* language;
        int id;
        const char* text;
    } cases[] = {
        {"english", 35, "None"},   {"japanese", 35, "なし"},   {"japanese", 36, ""},
        {"english", 37, "Rotate"}, {"japanese", 37, ""},       {"english", 40, "second"},
        {"english", 99, ""},       {"french", 41, "D'accord"}, {"dutch", 41, ""},
        {"english", -1, ""},
    };
    for (const auto& c : cases) {
        store_.language = c.language;
        EXPECT_EQ(store_.text(c.id), c.text) << c.language << " " << c.id;
    }
}

TEST_F(TextStoreTest, OnlyKnownColumnNamesReachTheStatement) {
    const fs::path path = makeSampleDatabase();
    ASSERT_TRUE(store_.open(path));
    for (const char* language : {"English", "klingon", "", "id", "english, japanese",
                                 "english from MultiLingualData; DROP TABLE MultiLingualData;--"}) {
        store_.language = language;
        EXPECT_EQ(store_.text(35), "") << language;
    }
    store_.language = "english";
    EXPECT_EQ(store_.text(35), "None");
}

TEST_F(TextStoreTest, ClosedStoreGivesEmptyTexts) {
    EXPECT_EQ(store_.text(35), "");
    ASSERT_TRUE(store_.open(makeSampleDatabase()));
    store_.close();
    EXPECT_FALSE(store_.isOpen());
    EXPECT_EQ(store_.text(35), "");
}

TEST_F(TextStoreTest, RefusesFilesThatAreNotTheTextDatabase) {
    // Missing: refused, and not created as an empty database.
    const fs::path missing = folder_ / "missing.db";
    EXPECT_FALSE(store_.open(missing));
    EXPECT_FALSE(store_.isOpen());
    EXPECT_NE(store_.lastError().find("missing.db"), std::string::npos) << store_.lastError();
    EXPECT_FALSE(fs::exists(missing));

    const fs::path garbage = folder_ / "garbage.db";
    std::ofstream(garbage) << "this is not an SQLite database, just some text that is long "
                              "enough to fill what the library reads as the header";
    EXPECT_FALSE(store_.open(garbage));
    EXPECT_FALSE(store_.isOpen());
    EXPECT_FALSE(store_.lastError().empty());

    EXPECT_FALSE(store_.open(makeDatabase("CREATE TABLE Other (id INTEGER);")));
    EXPECT_FALSE(store_.isOpen());
    EXPECT_NE(store_.lastError().find("MultiLingualData"), std::string::npos) << store_.lastError();
}

TEST_F(TextStoreTest, OpensReadOnly) {
    ASSERT_TRUE(store_.open(makeSampleDatabase()));
    char* error = nullptr;
    EXPECT_NE(sqlite3_exec(store_.textDb.handle(), "DELETE FROM MultiLingualData;", nullptr,
                           nullptr, &error),
              SQLITE_OK);
    sqlite3_free(error);
    EXPECT_EQ(store_.text(35), "None");
}

TEST(TextStoreFileNames, LanguageSuffixes) {
    const struct {
        const char* language;
        const char* fileName;
    } cases[] = {
        {"english", "FunButtonForm_english.xml"},  {"japanese", "FunButtonForm_japanese.xml"},
        {"french", "FunButtonForm_french.xml"},    {"german", "FunButtonForm_german.xml"},
        {"italian", "FunButtonForm_italian.xml"},  {"spanish", "FunButtonForm_spanish.xml"},
        {"dutch", "FunButtonForm_dutch.xml"},      {"", "FunButtonForm_english.xml"},
        {"Japanese", "FunButtonForm_english.xml"}, {"chinese", "FunButtonForm_english.xml"},
    };
    TextStore store;
    for (const auto& c : cases) {
        store.language = c.language;
        EXPECT_EQ(store.languageFileName("FunButtonForm"), c.fileName) << c.language;
    }
}

}  // namespace
}  // namespace orv
