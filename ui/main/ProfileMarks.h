#pragma once
// Which profile tabs show their light colour: per host mode and profile, whether the profile
// differs from the factory settings (or carries a customised name) and whether that was
// worked out for the overview on screen.

#include <array>
#include <cstdint>
#include <vector>

#include "device/SettingRecords.h"

namespace orv {

struct ProfileMark {
    std::uint32_t differs = 0;  // 1: differs from the factory settings
    std::uint32_t profile = 0;  // profile number 1..6 the record was set for, 0 never set
    std::uint32_t shown = 0;    // 1: worked out for the overview on screen
    bool operator==(const ProfileMark&) const = default;
};

class ProfileMarks {
public:
    static constexpr std::uint32_t kProfiles = 6;

    // Record of profile 1..6 in a mode; profiles outside 1..6 have no record (nothing happens).
    ProfileMark get(HostMode mode, std::uint32_t profile) const;
    // setProfileMark: the record of `profile` becomes {differs, profile, 1}; nothing for 0.
    void set(HostMode mode, std::uint32_t profile, std::uint32_t differs);
    // Marks a slot whose name is not its factory name, leaving "shown" as it is.
    void markCustomisedName(HostMode mode, std::uint32_t profile);
    // markProfileShown: sets "shown" of the record.
    void markShown(HostMode mode, std::uint32_t profile);
    // Every record back to {0, 0, 0}.
    void clear();
    // Profiles 1..6 of the mode whose record has differs 1 and shown 1, ascending.
    std::vector<std::uint32_t> profilesToPaint(HostMode mode) const;

private:
    ProfileMark* find(HostMode mode, std::uint32_t profile);
    std::array<ProfileMark, 2 * kProfiles> records_{};
};

}  // namespace orv
