#pragma once
// Result of a file or database step: success, or what failed and why (errno or SQLite text).

#include <string>
#include <utility>

namespace orv {

struct Status {
    bool ok = true;
    std::string error;  // empty on success; a human-readable reason otherwise

    static Status success() { return {}; }
    static Status failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace orv
