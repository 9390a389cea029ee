#pragma once
// Finding the controller among the HID interfaces, telling its three identities apart, the
// identity switch request and the raw 65-byte report transport that every vendor command uses.
// Every function here takes link.commandLock for its whole duration and waits only on
// link.clock. A failure leaves its reason in link.lastError.

#include <chrono>
#include <cstdint>

#include "device/ControllerState.h"
#include "device/hid/HidDevice.h"

namespace orv {

inline constexpr int kFindAttempts = 50;
inline constexpr std::chrono::milliseconds kFindAttemptWait{100};
// Upper bound of one report read: a controller that sends nothing makes readReport fail after
// this long instead of blocking its thread.
inline constexpr std::chrono::milliseconds kReportReadTimeout{1000};

// The string index, first buffer byte and buffer lengths of the identity switch knock.
inline constexpr std::uint8_t kSwitchRequestStringIndex = 255;
inline constexpr std::uint8_t kSwitchRequestFirstByte = 0xFF;
inline constexpr std::size_t kSwitchRequestFirstLength = 14;
inline constexpr std::size_t kSwitchRequestQueries = 5;  // lengths 14, 15, 16, 17, 18

// Opens the first interface, in enumeration order, of vendor 0x7A31 with `productId`. A handle
// held before is closed first, so hidDevice is the new handle on success and null otherwise.
// Interfaces of other vendors or products are skipped; one that cannot be opened is skipped
// too and its reason kept in lastError (accessDenied is set when access to it was denied; it is
// never cleared here).
bool openController(DeviceLink& link, std::uint16_t productId);

// One probe without waiting: tries 0x0A10, 0x0B20, 0x0B21 in that order; the first that opens
// decides. ProductIdentity::None leaves hidDevice null. accessDenied afterwards says whether an
// interface of this probe was denied to this user.
ProductIdentity probeController(DeviceLink& link);

// Up to kFindAttempts probes, each after a kFindAttemptWait wait; the first identity found, or
// None after the last attempt (five seconds on the link's clock).
ProductIdentity findController(DeviceLink& link);

// The five indexed-string queries (index 255, lengths 14..18, first byte 0xFF) that make the
// controller leave its current identity. Answers are ignored; always true, as the controller
// gives no reply to judge by. Does nothing without a handle.
bool sendSwitchRequest(DeviceLink& link);

// One output report on hidDevice (byte 0, the report ID, is sent as given). False without a
// handle or when the write fails.
bool writeReport(DeviceLink& link, const hid::Report& report);

// One input report from hidDevice into `report`, waiting at most `timeout`. False without a
// handle, on a read error and when nothing arrived in time.
bool readReport(DeviceLink& link, hid::Report& report,
                std::chrono::milliseconds timeout = kReportReadTimeout);

}  // namespace orv
