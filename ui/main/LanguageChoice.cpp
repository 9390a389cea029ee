#include "ui/main/LanguageChoice.h"

namespace orv {

LanguageChoice chooseLanguage(std::uint32_t langId, std::string_view current) {
    const auto id = static_cast<std::uint16_t>(langId & 0xFFFFu);
    if (id == kLangIdEnglishUs) {
        return {"english", "English"};
    }
    if (id == kLangIdJapanese) {
        return {"japanese", "日本語"};
    }
    return {std::string(current), "English"};
}

LanguageTipImage languageTipImage(std::string_view language) {
    if (language == "japanese") {
        return {"35", "17", "file='Resources/LanguageTip_japanese.png'"};
    }
    return {"88", "19", "file='Resources/LanguageTip_english.png'"};
}

}  // namespace orv
