#pragma once
// The multilingual text store: every visible text is looked up by its number in the column of
// the current language. Texts are UTF-8.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/SqliteConnection.h"

namespace orv {

class TextStore {
public:
    // The language columns of table MultiLingualData, which are also the values `language`
    // may take.
    static constexpr std::array<std::string_view, 7> kLanguages = {
        "english", "japanese", "french", "german", "italian", "spanish", "dutch"};

    // Opens the text database read-only. False, with lastError() saying why, when the file is
    // missing, is not an SQLite database or has no table MultiLingualData; the store is then
    // closed.
    bool open(const std::filesystem::path& databaseFile);
    void close() { textDb.close(); }
    bool isOpen() const { return textDb.isOpen(); }
    const std::string& lastError() const { return lastError_; }

    // Text `id` in the current language: the last matching row wins; empty when the store is
    // closed, `language` is not one of kLanguages, the statement fails or no row matches (a NULL
    // cell is empty too). There is no fall-back to English.
    std::string text(int id) const;

    // Base name + the language's file suffix ("_english.xml" for every unknown language).
    std::string languageFileName(std::string_view baseName) const;
    static std::string_view languageSuffix(std::string_view language);
    static bool isKnownLanguage(std::string_view language);

    // Column name of the language in use: "english" at start.
    std::string language = "english";
    SqliteConnection textDb;

private:
    std::string lastError_;
};

}  // namespace orv
