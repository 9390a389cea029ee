// A parsed skin file (docs/skin-format.md): the Window root's settings, the fonts, the
// per-class defaults and the control tree; or the error that stopped the parse.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/kit/Control.h"
#include "ui/kit/Types.h"

namespace orv::kit {

struct SkinFont {
    int id = 0;
    std::string family;
    int pixelSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool isDefault = false;
};

struct SkinWindowInfo {
    Size size;            // "size"; 0,0 when absent
    Rect caption;         // "caption": the drag band (bottom = height of the band from the top)
    std::string bkcolor;  // raw attribute values
    std::string bkimage;
    std::vector<SkinFont> fonts;
    // Class name -> attribute defaults ("Default class=…").
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> defaults;
};

struct SkinError {
    std::string file;
    int line = 0;  // 1-based; 0 when the file could not be read at all
    std::string message;
    // "file:line: message"
    std::string What() const;
};

struct SkinDocument {
    SkinWindowInfo info;
    std::unique_ptr<Control> root;
};

struct SkinParseResult {
    std::optional<SkinDocument> document;  // set on success
    std::optional<SkinError> error;        // set on failure
    bool ok() const { return document.has_value(); }
};

// Reads and checks a whole skin. fileName is used in error messages as given.
SkinParseResult ParseSkinFile(const std::string& path);
SkinParseResult ParseSkinText(const std::string& xml, const std::string& fileName);

}  // namespace orv::kit
