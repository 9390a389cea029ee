#pragma once
// The steps of the process entry before the main window exists: the single-instance rule and
// the application font.

#include <cstdint>
#include <string>

#include "context/InstanceLock.h"
#include "ui/kit/SingleInstanceLock.h"

namespace orv {

inline constexpr const char* kSingleInstanceName = kInstanceLockName;
inline constexpr const char* kApplicationFontFile = "Font/TBUDGoStd-Regular.otf";
inline constexpr const char* kApplicationFontFace = "TBUDGoStd-Regular";

struct SecondInstanceNotice {
    std::string caption;
    std::string text;
};

// The message shown when another copy runs: Japanese for system language 1041 only.
SecondInstanceNotice secondInstanceNotice(std::uint16_t systemLanguageId);

// Takes the lock. When another copy holds it, shows the notice (no owner, OK only) and returns
// false; the other copy is not disturbed.
bool claimSingleInstance(kit::SingleInstanceLock& lock, std::uint16_t systemLanguageId);

// Makes the application font available to this process when it is not installed already.
// True when the face is available afterwards; a missing font file is harmless (the skins' own
// fonts are used).
bool prepareApplicationFont(const std::string& dataFolder);

}  // namespace orv
