#include "device/VendorProtocol.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "device/ControllerDiscovery.h"

namespace orv {

namespace vendor {

hid::Report makeFrame(Command command, std::uint8_t p5, std::uint8_t p6, std::uint8_t p7,
                      std::uint8_t p8) {
    hid::Report frame{};
    const auto code = static_cast<std::uint8_t>(command);
    frame[kLeadOffset] = kLeadByte;
    frame[kCommandOffset] = code;
    frame[kTrailOffset] = kTrailByte;
    frame[kComplementOffset] = static_cast<std::uint8_t>(0xFF - code);
    frame[kParameterOffset + 0] = p5;
    frame[kParameterOffset + 1] = p6;
    frame[kParameterOffset + 2] = p7;
    frame[kParameterOffset + 3] = p8;
    return frame;
}

}  // namespace vendor

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;
using vendor::Command;

const char* commandName(Command command) {
    switch (command) {
        case Command::Select:
            return "Select";
        case Command::ReadProfile:
            return "ReadProfile";
        case Command::WriteProfile:
            return "WriteProfile";
        case Command::Commit:
            return "Commit";
        case Command::StartTest:
            return "StartTest";
    }
    return "command";
}

void fail(DeviceLink& link, Command command, const std::string& reason) {
    link.lastError = std::string(commandName(command)) + ": " + reason;
}

// Reads until a report with command byte `command` (and, when chunk >= 0, that chunk index)
// arrives. False on a read error, after kReplyTimeout, or after kMaxDiscardedReports others.
bool awaitReply(DeviceLink& link, Command command, int chunk, hid::Report& reply) {
    const Clock::TimePoint deadline = link.clock->now() + vendor::kReplyTimeout;
    for (std::size_t discarded = 0; discarded <= vendor::kMaxDiscardedReports; ++discarded) {
        const Clock::Duration remaining = deadline - link.clock->now();
        if (remaining <= Clock::Duration::zero()) {
            break;
        }
        const auto wait = std::max(std::chrono::ceil<std::chrono::milliseconds>(remaining),
                                   std::chrono::milliseconds(1));
        if (!link.hidDevice) {
            fail(link, command, "no controller open");
            return false;
        }
        const hid::ReadStatus status = link.hidDevice->readReport(reply, wait);
        if (status == hid::ReadStatus::Timeout) {
            continue;  // the loop head decides whether the whole bound has run out
        }
        if (status == hid::ReadStatus::Error) {
            fail(link, command, "read failed (" + link.hidDevice->lastError() + ")");
            return false;
        }
        if (reply[vendor::kCommandOffset] != static_cast<std::uint8_t>(command)) {
            continue;
        }
        if (chunk >= 0 && reply[vendor::kChunkIndexOffset] != chunk) {
            continue;
        }
        return true;
    }
    fail(link, command, "no reply within " + std::to_string(vendor::kReplyTimeout.count()) + " ms");
    return false;
}

bool send(DeviceLink& link, Command command, const hid::Report& report) {
    if (!writeReport(link, report)) {
        fail(link, command, "write failed (" + link.lastError + ")");
        return false;
    }
    return true;
}

// One request and the status byte of its reply (statusOffset 0: any reply is success).
bool exchange(DeviceLink& link, Command command, const hid::Report& request,
              std::size_t statusOffset) {
    Lock lock(link.commandLock);
    if (!send(link, command, request)) {
        return false;
    }
    hid::Report reply{};
    if (!awaitReply(link, command, -1, reply)) {
        return false;
    }
    if (statusOffset != 0 && reply[statusOffset] != vendor::kStatusSuccess) {
        fail(link, command, "refused by the controller");
        return false;
    }
    return true;
}

}  // namespace

bool Select(DeviceLink& link, std::uint8_t mode, std::uint8_t profile) {
    return exchange(link, Command::Select, vendor::makeFrame(Command::Select, mode, profile, 0, 0),
                    vendor::kSelectStatusOffset);
}

bool ReadProfile(DeviceLink& link, std::uint8_t mode, std::uint8_t profile) {
    Lock lock(link.commandLock);
    DeviceSettingsBlock image{};
    for (std::size_t i = 0; i < block::kReadChunkCount; ++i) {
        const auto chunk = static_cast<std::uint8_t>(i);
        if (!send(link, Command::ReadProfile,
                  vendor::makeFrame(Command::ReadProfile, mode, profile, chunk,
                                    vendor::kReadChunkLength))) {
            return false;
        }
        hid::Report reply{};
        if (!awaitReply(link, Command::ReadProfile, chunk, reply)) {
            return false;
        }
        auto target = image.readChunk(i);
        std::copy_n(reply.begin() + vendor::kDataOffset, target.size(), target.begin());
        link.clock->sleepFor(vendor::kChunkPause);
    }
    link.receivedBlock = image;
    return true;
}

bool WriteProfile(DeviceLink& link, DeviceSettingsBlock image, std::uint8_t mode,
                  std::uint8_t profile) {
    Lock lock(link.commandLock);
    if (!send(link, Command::WriteProfile,
              vendor::makeFrame(Command::WriteProfile, mode, profile, vendor::kImageLengthLow,
                                vendor::kImageLengthHigh))) {
        return false;
    }
    for (std::size_t i = 0; i < block::kWriteChunkCount; ++i) {
        link.clock->sleepFor(vendor::kChunkPause);
        hid::Report data{};
        const auto chunk = image.writeChunk(i);
        std::copy(chunk.begin(), chunk.end(), data.begin() + 1);
        if (!send(link, Command::WriteProfile, data)) {
            return false;
        }
    }
    return true;
}

bool Commit(DeviceLink& link, std::uint8_t mode) {
    return exchange(link, Command::Commit,
                    vendor::makeFrame(Command::Commit, mode, 0, vendor::kCommitFlag, 0),
                    vendor::kCommitStatusOffset);
}

bool StartTest(DeviceLink& link, std::uint8_t mode, std::uint8_t profile, std::uint8_t target,
               std::uint8_t kind) {
    return exchange(link, Command::StartTest,
                    vendor::makeFrame(Command::StartTest, mode, profile, target, kind), 0);
}

}  // namespace orv
