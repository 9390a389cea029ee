#include "sim/SimulatedBackend.h"

#include <string>

namespace orv::sim {

namespace {

using Lock = std::lock_guard<std::mutex>;

std::string makePath(std::size_t entry, std::uint64_t connection) {
    return "sim:" + std::to_string(entry) + ":" + std::to_string(connection);
}

class ControllerHandle final : public hid::Device {
public:
    ControllerHandle(std::shared_ptr<SimulatedController> controller, std::uint64_t connection)
        : controller_(std::move(controller)), connection_(connection) {}

    bool writeReport(const hid::Report& report) override {
        return controller_->hostWrite(connection_, report, error_);
    }
    hid::ReadStatus readReport(hid::Report& report, std::chrono::milliseconds timeout) override {
        return controller_->hostRead(connection_, report, timeout, error_);
    }
    bool indexedString(std::uint8_t index, std::span<std::uint8_t> buffer) override {
        return controller_->hostIndexedString(connection_, index, buffer, error_);
    }
    const std::string& lastError() const override { return error_; }

private:
    std::shared_ptr<SimulatedController> controller_;
    std::uint64_t connection_;
    std::string error_;
};

// Another vendor's device: takes what is written and never says anything.
class ForeignHandle final : public hid::Device {
public:
    explicit ForeignHandle(Clock& clock) : clock_(clock) {}
    bool writeReport(const hid::Report&) override { return true; }
    hid::ReadStatus readReport(hid::Report&, std::chrono::milliseconds timeout) override {
        clock_.sleepFor(timeout);
        return hid::ReadStatus::Timeout;
    }
    bool indexedString(std::uint8_t, std::span<std::uint8_t>) override {
        error_ = "string request stalled";
        return false;
    }
    const std::string& lastError() const override { return error_; }

private:
    Clock& clock_;
    std::string error_;
};

}  // namespace

SimulatedBackend::SimulatedBackend(Clock& clock) : clock_(clock) {}

SimulatedBackend::~SimulatedBackend() {
    Lock lock(listener_->mutex);
    listener_->listener = nullptr;
}

std::shared_ptr<SimulatedController> SimulatedBackend::addController(ControllerOptions options) {
    auto controller = std::make_shared<SimulatedController>(clock_, std::move(options));
    std::weak_ptr<ListenerSlot> slot = listener_;
    controller->setListener([slot](std::uint32_t event) {
        if (auto shared = slot.lock()) {
            std::function<void(std::uint32_t)> listener;
            {
                Lock lock(shared->mutex);
                listener = shared->listener;
            }
            if (listener) {
                listener(event);
            }
        }
    });
    {
        Lock lock(mutex_);
        entries_.push_back({controller, 0});
    }
    notify(hid::kDeviceArrival);
    return controller;
}

std::size_t SimulatedBackend::addForeignDevice(std::uint16_t vendorId, std::uint16_t productId) {
    std::size_t number = 0;
    {
        Lock lock(mutex_);
        number = foreign_.size();
        foreign_.push_back({vendorId, productId, true, 1});
        entries_.push_back({nullptr, number});
    }
    notify(hid::kDeviceArrival);
    return number;
}

void SimulatedBackend::plugForeign(std::size_t number) {
    {
        Lock lock(mutex_);
        Foreign& device = foreign_.at(number);
        if (device.plugged) {
            return;
        }
        device.plugged = true;
        ++device.connection;
    }
    notify(hid::kDeviceArrival);
}

void SimulatedBackend::unplugForeign(std::size_t number) {
    {
        Lock lock(mutex_);
        Foreign& device = foreign_.at(number);
        if (!device.plugged) {
            return;
        }
        device.plugged = false;
        ++device.connection;
    }
    notify(hid::kDeviceRemoveComplete);
}

void SimulatedBackend::notify(std::uint32_t event) {
    std::function<void(std::uint32_t)> listener;
    {
        Lock lock(listener_->mutex);
        listener = listener_->listener;
    }
    if (listener) {
        listener(event);
    }
}

std::vector<hid::DeviceInfo> SimulatedBackend::enumerate() {
    std::vector<Entry> entries;
    std::vector<Foreign> foreign;
    {
        Lock lock(mutex_);
        entries = entries_;
        foreign = foreign_;
    }
    std::vector<hid::DeviceInfo> result;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].controller) {
            // Read the connection before the identity: a switch completing in between then
            // shows as a stale path, which simply fails to open.
            const std::uint64_t connection = entries[i].controller->connection();
            if (auto productId = entries[i].controller->productId()) {
                result.push_back({makePath(i, connection), kVendorId, *productId});
            }
        } else {
            const Foreign& device = foreign[entries[i].foreign];
            if (device.plugged) {
                result.push_back(
                    {makePath(i, device.connection), device.vendorId, device.productId});
            }
        }
    }
    return result;
}

std::unique_ptr<hid::Device> SimulatedBackend::open(const hid::DeviceInfo& info,
                                                    std::string& error) {
    std::vector<Entry> entries;
    std::vector<Foreign> foreign;
    {
        Lock lock(mutex_);
        entries = entries_;
        foreign = foreign_;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].controller) {
            const std::uint64_t connection = entries[i].controller->connection();
            if (makePath(i, connection) == info.path && entries[i].controller->productId()) {
                if (deniedAccess_) {
                    error = std::string(hid::kPermissionFailurePrefix) +
                            " to open the controller at " + info.path + " (simulated)";
                    lastOpenDenied_ = true;
                    return nullptr;
                }
                lastOpenDenied_ = false;
                return std::make_unique<ControllerHandle>(entries[i].controller, connection);
            }
        } else {
            const Foreign& device = foreign[entries[i].foreign];
            if (device.plugged && makePath(i, device.connection) == info.path) {
                return std::make_unique<ForeignHandle>(clock_);
            }
        }
    }
    error = "cannot open " + info.path + ": no such device";
    lastOpenDenied_ = false;
    return nullptr;
}

bool SimulatedBackend::watchDeviceChanges(std::function<void(std::uint32_t)> listener) {
    Lock lock(listener_->mutex);
    listener_->listener = std::move(listener);
    return true;
}

}  // namespace orv::sim
