#include "device/ControllerDiscovery.h"

#include <array>
#include <mutex>
#include <string>
#include <string_view>

namespace orv {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

std::string hex4(std::uint16_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x0000";
    for (int i = 0; i < 4; ++i) {
        text[static_cast<std::size_t>(5 - i)] = kDigits[(value >> (4 * i)) & 0xF];
    }
    return text;
}

// Opens the first interface of (vendor, productId). On failure `openError` holds the reason of
// the first interface that was present but could not be opened (empty when none was present).
bool openFirst(DeviceLink& link, std::uint16_t productId, std::string& openError) {
    // Close the previous handle before replacing it; otherwise every re-probe after an unplug
    // would leak one.
    link.hidDevice.reset();
    openError.clear();
    for (const hid::DeviceInfo& info : link.backend->enumerate()) {
        if (info.vendorId != kVendorId || info.productId != productId) {
            continue;
        }
        std::string error;
        std::unique_ptr<hid::Device> device = link.backend->open(info, error);
        if (device) {
            link.hidDevice = std::move(device);
            return true;
        }
        // Backends say so directly; a message in the shared wording counts as well.
        if (link.backend->lastOpenDenied() ||
            std::string_view(error).starts_with(hid::kPermissionFailurePrefix)) {
            link.accessDenied = true;
        }
        if (openError.empty()) {
            openError = error;
        }
    }
    return false;
}

}  // namespace

bool openController(DeviceLink& link, std::uint16_t productId) {
    Lock lock(link.commandLock);
    if (link.backend == nullptr) {
        link.hidDevice.reset();
        link.lastError = "no HID backend";
        return false;
    }
    std::string openError;
    if (openFirst(link, productId, openError)) {
        return true;
    }
    link.lastError =
        openError.empty() ? "no controller with product " + hex4(productId) : openError;
    return false;
}

ProductIdentity probeController(DeviceLink& link) {
    Lock lock(link.commandLock);
    static constexpr std::array<std::pair<std::uint16_t, ProductIdentity>, 3> kOrder = {{
        {kOrdinaryProductId, ProductIdentity::Ordinary},
        {kConfigurationProductId, ProductIdentity::Configuration},
        {kRejectedProductId, ProductIdentity::Rejected},
    }};
    if (link.backend == nullptr) {
        link.hidDevice.reset();
        link.lastError = "no HID backend";
        return ProductIdentity::None;
    }
    // A controller that is there but cannot be opened (most often: no access rights) is the
    // reason to report, not the absence of the identities tried after it.
    std::string firstOpenError;
    link.accessDenied = false;
    for (const auto& [productId, identity] : kOrder) {
        std::string openError;
        if (openFirst(link, productId, openError)) {
            return identity;
        }
        if (firstOpenError.empty()) {
            firstOpenError = openError;
        }
    }
    link.lastError = firstOpenError.empty() ? "no controller found (products " +
                                                  hex4(kOrdinaryProductId) + ", " +
                                                  hex4(kConfigurationProductId) + ", " +
                                                  hex4(kRejectedProductId) + ")"
                                            : firstOpenError;
    return ProductIdentity::None;
}

ProductIdentity findController(DeviceLink& link) {
    for (int attempt = 0; attempt < kFindAttempts; ++attempt) {
        link.clock->sleepFor(kFindAttemptWait);
        // Lock per attempt only, so a removal probe on the UI thread is not held off for the
        // whole search.
        const ProductIdentity identity = probeController(link);
        if (identity != ProductIdentity::None) {
            return identity;
        }
    }
    return ProductIdentity::None;
}

bool sendSwitchRequest(DeviceLink& link) {
    Lock lock(link.commandLock);
    if (!link.hidDevice) {
        return true;
    }
    std::array<std::uint8_t, kSwitchRequestFirstLength + kSwitchRequestQueries - 1> buffer{};
    for (std::size_t i = 0; i < kSwitchRequestQueries; ++i) {
        buffer.fill(0);
        buffer[0] = kSwitchRequestFirstByte;
        const std::size_t length = kSwitchRequestFirstLength + i;
        // The controller reacts to the request itself; what it answers is of no interest.
        static_cast<void>(link.hidDevice->indexedString(
            kSwitchRequestStringIndex, std::span<std::uint8_t>(buffer.data(), length)));
    }
    return true;
}

bool writeReport(DeviceLink& link, const hid::Report& report) {
    Lock lock(link.commandLock);
    if (!link.hidDevice) {
        link.lastError = "no controller open";
        return false;
    }
    if (!link.hidDevice->writeReport(report)) {
        link.lastError = link.hidDevice->lastError();
        return false;
    }
    return true;
}

bool readReport(DeviceLink& link, hid::Report& report, std::chrono::milliseconds timeout) {
    Lock lock(link.commandLock);
    if (!link.hidDevice) {
        link.lastError = "no controller open";
        return false;
    }
    switch (link.hidDevice->readReport(report, timeout)) {
        case hid::ReadStatus::Ok:
            return true;
        case hid::ReadStatus::Timeout:
            link.lastError = "no report within " + std::to_string(timeout.count()) + " ms";
            return false;
        case hid::ReadStatus::Error:
            break;
    }
    link.lastError = link.hidDevice->lastError();
    return false;
}

}  // namespace orv
