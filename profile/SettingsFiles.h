#pragma once
// Where the shipped settings databases are: beside the executable.

#include <filesystem>

namespace orv {

struct SettingsFiles {
    std::filesystem::path defaultData;     // "DefaultData.db": factory settings, read only
    std::filesystem::path exportTemplate;  // "ProfileTemData.db": export template, never modified

    static SettingsFiles beside(const std::filesystem::path& executableFolder) {
        return {executableFolder / "DefaultData.db", executableFolder / "ProfileTemData.db"};
    }
};

}  // namespace orv
