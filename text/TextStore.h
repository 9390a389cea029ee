#pragma once
// The multilingual text store: every visible text is looked up by its number in the column of
// the current language. Texts are UTF-8.

#include <filesystem>
#include <string>
#include <string_view>

#include "text/SqliteConnection.h"

namespace orv {

class TextStore {
public:
    // Opens the text database (read-only); false when the library refuses it.
    bool open(const std::filesystem::path& databaseFile);
    void close() { textDb.close(); }
    bool isOpen() const { return textDb.isOpen(); }

    // Text `id` in the current language: the last matching row wins; empty when the store is
    // closed, the statement fails or no row matches. There is no fall-back to English.
    std::string text(int id) const;

    // Base name + the language's file suffix ("_english.xml" for every unknown language).
    std::string languageFileName(std::string_view baseName) const;
    static std::string_view languageSuffix(std::string_view language);

    // Column name of the language in use: "english" at start.
    std::string language = "english";
    SqliteConnection textDb;
};

}  // namespace orv
