#include "sim/SimulatedController.h"

#include <algorithm>

#include "device/ControllerDiscovery.h"
#include "sim/FactoryImages.h"

namespace orv::sim {

namespace {

using Lock = std::unique_lock<std::mutex>;
using vendor::Command;

constexpr std::size_t kWrittenLogLimit = 1 << 16;

bool isFrame(const hid::Report& report) {
    return report[vendor::kLeadOffset] == vendor::kLeadByte &&
           report[vendor::kTrailOffset] == vendor::kTrailByte &&
           report[vendor::kComplementOffset] ==
               static_cast<std::uint8_t>(0xFF - report[vendor::kCommandOffset]);
}

std::uint8_t param(const hid::Report& frame, std::size_t i) {
    return frame[vendor::kParameterOffset + i];
}

bool validMode(std::uint8_t mode) {
    return mode <= 1;
}
bool validProfile(std::uint8_t profile) {
    return profile < kProfilesPerMode;
}

}  // namespace

SimulatedController::SimulatedController(Clock& clock, ControllerOptions options)
    : clock_(clock), options_(std::move(options)), productId_(options_.powerOnProductId) {
    for (std::size_t mode = 0; mode < 2; ++mode) {
        for (std::size_t profile = 0; profile < kProfilesPerMode; ++profile) {
            permanent_[mode][profile] = factoryImage(static_cast<HostMode>(mode), profile);
        }
    }
    if (!options_.stateFile.empty()) {
        // A missing file is the normal first run: the factory images stay.
        std::string error;
        static_cast<void>(SimStateFile(options_.stateFile).load(permanent_, error));
    }
    live_ = permanent_;
}

// --- Bus presence ------------------------------------------------------------------------------

bool SimulatedController::plugged() const {
    Lock lock(mutex_);
    return plugged_;
}

std::optional<std::uint16_t> SimulatedController::productId() {
    Events events;
    std::optional<std::uint16_t> result;
    {
        Lock lock(mutex_);
        refreshLocked(events);
        if (plugged_ && !switchAt_) {
            result = productId_;
        }
    }
    fire(events);
    return result;
}

std::uint64_t SimulatedController::connection() const {
    Lock lock(mutex_);
    return connection_;
}

void SimulatedController::unplug() {
    Events events;
    {
        Lock lock(mutex_);
        unplugLocked(events);
    }
    fire(events);
}

void SimulatedController::plug() {
    Events events;
    {
        Lock lock(mutex_);
        if (!plugged_) {
            plugged_ = true;
            ++connection_;
            reportCount_ = 0;
            repliesSent_ = 0;
            events.push_back(hid::kDeviceArrival);
        }
    }
    fire(events);
}

void SimulatedController::setListener(Listener listener) {
    Lock lock(mutex_);
    listener_ = std::move(listener);
}

void SimulatedController::fire(const Events& events) {
    if (events.empty()) {
        return;
    }
    Listener listener;
    {
        Lock lock(mutex_);
        listener = listener_;
    }
    if (listener) {
        for (std::uint32_t event : events) {
            listener(event);
        }
    }
}

void SimulatedController::unplugLocked(Events& events) {
    if (!plugged_) {
        return;
    }
    // Power is gone: everything not committed is lost, the identity starts over.
    plugged_ = false;
    ++connection_;
    switchAt_.reset();
    productId_ = options_.powerOnProductId;
    knockProgress_ = 0;
    live_ = permanent_;
    pendingWrite_.reset();
    replies_.clear();
    test_.reset();
    selectedMode_ = 0;
    selectedProfile_ = vendor::kNoSelection;
    events.push_back(hid::kDeviceRemoveComplete);
}

void SimulatedController::refreshLocked(Events& events) {
    if (switchAt_ && clock_.now() >= *switchAt_) {
        switchAt_.reset();
        productId_ = switchTarget_;
        ++connection_;
        events.push_back(hid::kDeviceArrival);
    }
}

bool SimulatedController::usableLocked(std::uint64_t connection, std::string& error) const {
    if (!plugged_ || switchAt_ || connection != connection_) {
        error = "device disconnected";
        return false;
    }
    return true;
}

bool SimulatedController::countReportLocked(Events& events) {
    ++reportCount_;
    if (faults_.unplugAtReport != 0 && reportCount_ == faults_.unplugAtReport) {
        unplugLocked(events);
        return false;
    }
    return true;
}

// --- Storage -------------------------------------------------------------------------------------

DeviceSettingsBlock SimulatedController::permanentImage(HostMode mode, std::size_t profile) const {
    Lock lock(mutex_);
    return permanent_.at(static_cast<std::size_t>(mode)).at(profile);
}

DeviceSettingsBlock SimulatedController::liveImage(HostMode mode, std::size_t profile) const {
    Lock lock(mutex_);
    return live_.at(static_cast<std::size_t>(mode)).at(profile);
}

void SimulatedController::setImage(HostMode mode, std::size_t profile,
                                   const DeviceSettingsBlock& image) {
    Lock lock(mutex_);
    live_.at(static_cast<std::size_t>(mode)).at(profile) = image;
    permanent_.at(static_cast<std::size_t>(mode)).at(profile) = image;
}

void SimulatedController::persistLocked() {
    if (options_.stateFile.empty()) {
        return;
    }
    std::string error;
    stateError_ = SimStateFile(options_.stateFile).save(permanent_, error) ? "" : error;
}

// --- Faults and input ----------------------------------------------------------------------------

void SimulatedController::setFaults(const SimFaults& faults) {
    Lock lock(mutex_);
    faults_ = faults;
    reportCount_ = 0;
    repliesSent_ = 0;
}

SimFaults SimulatedController::faults() const {
    Lock lock(mutex_);
    return faults_;
}

void SimulatedController::setInput(const PhysicalInput& input) {
    Lock lock(mutex_);
    baseInput_ = input;
    script_.clear();
}

void SimulatedController::scriptInput(std::vector<InputStep> steps) {
    Lock lock(mutex_);
    const Clock::TimePoint start = clock_.now();
    script_.clear();
    for (const InputStep& step : steps) {
        script_.emplace_back(start + step.at, step.input);
    }
    std::stable_sort(script_.begin(), script_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

PhysicalInput SimulatedController::input() const {
    Lock lock(mutex_);
    return inputLocked(clock_.now());
}

PhysicalInput SimulatedController::inputLocked(Clock::TimePoint now) const {
    PhysicalInput input = baseInput_;
    for (const auto& [at, step] : script_) {
        if (at > now) {
            break;
        }
        input = step;
    }
    return input;
}

// --- Observation ---------------------------------------------------------------------------------

std::vector<hid::Report> SimulatedController::writtenReports() const {
    Lock lock(mutex_);
    return written_;
}

std::size_t SimulatedController::framesReceived(Command command) const {
    Lock lock(mutex_);
    return frameCounts_[static_cast<std::size_t>(command)];
}

std::size_t SimulatedController::switchRequests() const {
    Lock lock(mutex_);
    return switchRequests_;
}

std::optional<TestSession> SimulatedController::testSession() const {
    Lock lock(mutex_);
    if (!test_) {
        return std::nullopt;
    }
    return test_->session();
}

std::uint8_t SimulatedController::selectedMode() const {
    Lock lock(mutex_);
    return selectedMode_;
}

std::uint8_t SimulatedController::selectedProfile() const {
    Lock lock(mutex_);
    return selectedProfile_;
}

// --- Host side -----------------------------------------------------------------------------------

bool SimulatedController::hostWrite(std::uint64_t connection, const hid::Report& report,
                                    std::string& error) {
    Events events;
    bool ok = false;
    {
        Lock lock(mutex_);
        refreshLocked(events);
        if (usableLocked(connection, error)) {
            if (!countReportLocked(events)) {
                error = "device disconnected";
            } else {
                ok = true;
                if (written_.size() >= kWrittenLogLimit) {
                    written_.erase(written_.begin(), written_.begin() + kWrittenLogLimit / 2);
                }
                written_.push_back(report);
                if (productId_ != kConfigurationProductId) {
                    // The other identities take no vendor frames.
                } else if (pendingWrite_) {
                    auto chunk = pendingWrite_->chunks++;
                    std::copy_n(report.begin() + 1, block::kWriteChunkSize,
                                pendingWrite_->image.bytes.begin() +
                                    static_cast<std::ptrdiff_t>(chunk * block::kWriteChunkSize));
                    if (pendingWrite_->chunks == block::kWriteChunkCount) {
                        live_[pendingWrite_->mode][pendingWrite_->profile] = pendingWrite_->image;
                        pendingWrite_.reset();
                    }
                } else if (isFrame(report)) {
                    handleFrameLocked(report);
                }
            }
        }
    }
    fire(events);
    if (ok) {
        clock_.sleepFor(faults().reportDelay);
    }
    return ok;
}

hid::ReadStatus SimulatedController::hostRead(std::uint64_t connection, hid::Report& report,
                                              std::chrono::milliseconds timeout,
                                              std::string& error) {
    Events events;
    hid::ReadStatus status = hid::ReadStatus::Timeout;
    Clock::Duration delay{};
    {
        Lock lock(mutex_);
        refreshLocked(events);
        if (!usableLocked(connection, error)) {
            status = hid::ReadStatus::Error;
        } else if (!replies_.empty() || test_) {
            if (!countReportLocked(events)) {
                error = "device disconnected";
                status = hid::ReadStatus::Error;
            } else {
                if (!replies_.empty()) {
                    report = replies_.front();
                    replies_.pop_front();
                } else {
                    report = test_->next(inputLocked(clock_.now()), clock_.now());
                }
                status = hid::ReadStatus::Ok;
                delay = faults_.reportDelay;
            }
        }
    }
    fire(events);
    if (status == hid::ReadStatus::Ok) {
        clock_.sleepFor(delay);
        return status;
    }
    if (status == hid::ReadStatus::Error) {
        return status;
    }
    // Nothing to send: the read waits out its timeout (nothing arrives asynchronously).
    clock_.sleepFor(timeout);
    Lock lock(mutex_);
    if (!usableLocked(connection, error)) {
        return hid::ReadStatus::Error;
    }
    return hid::ReadStatus::Timeout;
}

bool SimulatedController::hostIndexedString(std::uint64_t connection, std::uint8_t index,
                                            std::span<std::uint8_t> buffer, std::string& error) {
    Events events;
    bool ok = false;
    {
        Lock lock(mutex_);
        refreshLocked(events);
        if (usableLocked(connection, error)) {
            ok = true;
            // The knock is recognised by the request alone (index and wLength); the host
            // buffer's content never reaches the device.
            const bool knock = index == kSwitchRequestStringIndex;
            if (knock && buffer.size() == kSwitchRequestFirstLength + knockProgress_) {
                ++knockProgress_;
            } else {
                knockProgress_ = knock && buffer.size() == kSwitchRequestFirstLength ? 1 : 0;
            }
            // A string descriptor: length, type 3, UTF-16LE "ORV", cut to wLength.
            static constexpr std::array<std::uint8_t, 8> kDescriptor = {8,   3, 'O', 0,
                                                                        'R', 0, 'V', 0};
            std::copy_n(kDescriptor.begin(), std::min(buffer.size(), kDescriptor.size()),
                        buffer.begin());
            if (knockProgress_ == kSwitchRequestQueries) {
                knockProgress_ = 0;
                ++switchRequests_;
                if (productId_ == kOrdinaryProductId || productId_ == kConfigurationProductId) {
                    switchTarget_ = productId_ == kOrdinaryProductId ? kConfigurationProductId
                                                                     : kOrdinaryProductId;
                    switchAt_ = clock_.now() + options_.switchDelay;
                    ++connection_;
                    pendingWrite_.reset();
                    replies_.clear();
                    test_.reset();
                    events.push_back(hid::kDeviceRemoveComplete);
                }
            }
        }
    }
    fire(events);
    if (ok) {
        clock_.sleepFor(faults().reportDelay);
    }
    return ok;
}

// --- Firmware ------------------------------------------------------------------------------------

void SimulatedController::replyLocked(const hid::Report& reply) {
    if (faults_.mute) {
        return;
    }
    if (faults_.muteAfterReplies >= 0 &&
        repliesSent_ >= static_cast<std::size_t>(faults_.muteAfterReplies)) {
        return;
    }
    ++repliesSent_;
    const std::uint8_t command = reply[vendor::kCommandOffset];
    for (std::size_t i = 0; i < faults_.otherRepliesFirst; ++i) {
        hid::Report other = reply;
        if (command == static_cast<std::uint8_t>(Command::ReadProfile) && i % 2 == 0) {
            other[vendor::kChunkIndexOffset] =
                static_cast<std::uint8_t>(reply[vendor::kChunkIndexOffset] + 1);
        } else {
            const Command otherCommand = command == static_cast<std::uint8_t>(Command::Commit)
                                             ? Command::Select
                                             : Command::Commit;
            // A success status in both result bytes, so only matching can reject it.
            other = vendor::makeFrame(otherCommand, 0, 1, 1, 0);
        }
        replies_.push_back(other);
    }
    for (std::size_t i = 0; i < faults_.garbageFirst; ++i) {
        hid::Report garbage{};
        for (std::size_t b = 1; b < garbage.size(); ++b) {
            garbage[b] = static_cast<std::uint8_t>(garbage_());
        }
        garbage[vendor::kCommandOffset] = 0xEE;  // never a command this protocol knows
        replies_.push_back(garbage);
    }
    replies_.push_back(reply);
}

void SimulatedController::handleFrameLocked(const hid::Report& frame) {
    const std::uint8_t code = frame[vendor::kCommandOffset];
    ++frameCounts_[code];
    test_.reset();  // any frame ends test mode
    const std::uint8_t p5 = param(frame, 0);
    const std::uint8_t p6 = param(frame, 1);
    const std::uint8_t p7 = param(frame, 2);
    const std::uint8_t p8 = param(frame, 3);
    switch (static_cast<Command>(code)) {
        case Command::Select: {
            const bool valid = (validMode(p5) || p5 == vendor::kNoSelection) &&
                               (validProfile(p6) || p6 == vendor::kNoSelection);
            const bool ok = valid && !faults_.refuseSelect;
            if (ok) {
                if (p5 != vendor::kNoSelection) {
                    selectedMode_ = p5;
                }
                selectedProfile_ = p6;
            }
            replyLocked(vendor::makeFrame(Command::Select, p5, ok ? 1 : 0, 0, 0));
            return;
        }
        case Command::ReadProfile: {
            if (!validMode(p5) || !validProfile(p6) || p7 >= block::kReadChunkCount ||
                p8 != vendor::kReadChunkLength) {
                return;
            }
            hid::Report reply = vendor::makeFrame(Command::ReadProfile, p5, p6, p7, p8);
            const auto chunk = live_[p5][p6].readChunk(p7);
            std::copy(chunk.begin(), chunk.end(), reply.begin() + vendor::kDataOffset);
            replyLocked(reply);
            return;
        }
        case Command::WriteProfile:
            if (validMode(p5) && validProfile(p6) && p7 == vendor::kImageLengthLow &&
                p8 == vendor::kImageLengthHigh) {
                pendingWrite_ = PendingWrite{p5, p6, 0, {}};
            }
            return;
        case Command::Commit: {
            const bool ok = validMode(p5) && p7 == vendor::kCommitFlag && !faults_.refuseCommit;
            if (ok) {
                permanent_[p5] = live_[p5];
                persistLocked();
            }
            replyLocked(vendor::makeFrame(Command::Commit, p5, 0, ok ? 1 : 0, 0));
            return;
        }
        case Command::StartTest:
            if (!validMode(p5) || !validProfile(p6)) {
                return;
            }
            replyLocked(vendor::makeFrame(Command::StartTest, p5, p6, p7, p8));
            if (!faults_.mute) {
                test_.emplace(TestSession{p5, p6, p7, p8}, live_[p5][p6]);
            }
            return;
    }
}

}  // namespace orv::sim
