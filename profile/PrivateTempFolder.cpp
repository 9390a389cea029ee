#include "profile/PrivateTempFolder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

namespace orv {

Status PrivateTempFolder::create() {
    remove();
    const char* base = std::getenv("TMPDIR");
    std::string pattern = (base != nullptr && *base != '\0') ? base : "/tmp";
    pattern += "/orvtool-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // mkdtemp makes the folder with mode 0700 under a name nobody can predict.
    if (::mkdtemp(buffer.data()) == nullptr) {
        return Status::failure("cannot create a temporary folder in " + pattern + ": " +
                               std::strerror(errno));
    }
    path_ = buffer.data();
    return Status::success();
}

void PrivateTempFolder::remove() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        path_.clear();
    }
}

}  // namespace orv
