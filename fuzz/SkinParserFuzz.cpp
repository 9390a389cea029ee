// Feeds arbitrary bytes to the skin parser as the text of a skin file. Whatever the bytes: no
// crash, and exactly one of a document (with a control tree) or an error naming the file.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/kit/SkinDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string xml(reinterpret_cast<const char*>(data), size);
    const orv::kit::SkinParseResult result = orv::kit::ParseSkinText(xml, "Fuzz.xml");
    const bool consistent = result.ok() ? (result.document->root != nullptr && !result.error)
                                        : (result.error && result.error->file == "Fuzz.xml" &&
                                           !result.error->What().empty());
    if (!consistent) {
        std::fprintf(stderr, "the parse result is neither a control tree nor an error\n");
        std::abort();
    }
    return 0;
}
