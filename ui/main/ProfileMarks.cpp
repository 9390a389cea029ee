#include "ui/main/ProfileMarks.h"

namespace orv {

ProfileMark* ProfileMarks::find(HostMode mode, std::uint32_t profile) {
    if (profile < 1 || profile > kProfiles) {
        return nullptr;
    }
    const std::size_t base = mode == HostMode::PC ? kProfiles : 0;
    return &records_[base + profile - 1];
}

ProfileMark ProfileMarks::get(HostMode mode, std::uint32_t profile) const {
    const ProfileMark* record = const_cast<ProfileMarks*>(this)->find(mode, profile);
    return record != nullptr ? *record : ProfileMark{};
}

void ProfileMarks::set(HostMode mode, std::uint32_t profile, std::uint32_t differs) {
    if (ProfileMark* record = find(mode, profile)) {
        *record = {differs, profile, 1};
    }
}

void ProfileMarks::markCustomisedName(HostMode mode, std::uint32_t profile) {
    if (ProfileMark* record = find(mode, profile)) {
        record->differs = 1;
        record->profile = profile;
    }
}

void ProfileMarks::markShown(HostMode mode, std::uint32_t profile) {
    if (ProfileMark* record = find(mode, profile)) {
        record->shown = 1;
    }
}

void ProfileMarks::clear() {
    records_.fill(ProfileMark{});
}

std::vector<std::uint32_t> ProfileMarks::profilesToPaint(HostMode mode) const {
    std::vector<std::uint32_t> profiles;
    for (std::uint32_t n = 1; n <= kProfiles; ++n) {
        const ProfileMark record = get(mode, n);
        if (record.differs == 1 && record.shown == 1) {
            profiles.push_back(n);
        }
    }
    return profiles;
}

}  // namespace orv
