#pragma once
// Where the shipped settings databases are: in the data folder (orv::paths::dataFolder()).

#include <filesystem>

namespace orv {

struct SettingsFiles {
    std::filesystem::path defaultData;     // "DefaultData.db": factory settings, read only
    std::filesystem::path exportTemplate;  // "ProfileTemData.db": export template, never modified

    static SettingsFiles beside(const std::filesystem::path& dataFolder) {
        return {dataFolder / "DefaultData.db", dataFolder / "ProfileTemData.db"};
    }
};

}  // namespace orv
