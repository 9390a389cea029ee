#pragma once
// Which text column a Windows language identifier selects, and how the main window's language
// button and tip image show it. Plain values; the window sets them as attributes.

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

inline constexpr std::uint16_t kLangIdEnglishUs = 1033;
inline constexpr std::uint16_t kLangIdJapanese = 1041;

struct LanguageChoice {
    std::string language;     // text column in use afterwards
    std::string buttonLabel;  // text of "LanguageBtn"
};

// Only the low 16 bits of langId count. 1033 chooses "english", 1041 "japanese"; any other
// identifier keeps `current` and labels the button "English".
LanguageChoice chooseLanguage(std::uint32_t langId, std::string_view current);

struct LanguageTipImage {
    std::string width;
    std::string height;
    std::string bkimage;
};

// The "LanguageTipLabel" look for a text column.
LanguageTipImage languageTipImage(std::string_view language);

}  // namespace orv
