#pragma once
// The profile settings model: what each setting byte means, how values are named and shown,
// and the in-place operations on the images of the context. Nothing here keeps a decoded copy
// of a profile; every operation reads and writes the 640-byte images directly.

#include <cstdint>
#include <string>
#include <string_view>

#include "device/ControllerState.h"
#include "device/DeviceSettingsBlock.h"
#include "profile/ProfileState.h"

namespace orv {

class TextStore;

// --- Function codes -------------------------------------------------------------------------

// Menu item name to code; exact and case-sensitive; any other name gives 31.
FunctionCode functionCodeFromItemName(std::string_view itemName);
// Label shown for a code in the host mode; codes 14, 15, 17 (PC) and 31 come from the texts.
// Codes 18..30 and 32..255 get the label of 31.
std::string functionLabel(FunctionCode code, HostMode mode, const TextStore& texts);

// Stick mode 0/1/2 gives texts 35/19/20; rotation 0/1/2/3 texts 36/38/37/39; else empty.
std::string stickModeLabel(std::uint8_t mode, const TextStore& texts);
std::string rotationLabel(std::uint8_t rotate, const TextStore& texts);

// --- Numbers and times ----------------------------------------------------------------------

// Decimal reading by the C library's wide-string-to-integer rules (leading blanks and a sign
// allowed, stops at the first non-digit, no digits gives 0), keeping the low 8 bits.
std::uint8_t parseDecimalLow8(std::string_view text);
// 0..9 -> "0.d"; 10 and more -> decimal with a point after the first digit ("1.5", "3.0").
std::string timeToText(std::uint8_t tenths);
// The reverse: the number after "0." when present, else the text without its first point
// (before any space) read as decimal; "" reads 0.
std::uint8_t textToTime(std::string_view text);

// --- Names ----------------------------------------------------------------------------------

// Writes a UTF-8 name into both 32-byte name fields: part one holds the first 10 UTF-16 units,
// part two the rest; each NUL-terminated and zero-padded, an over-long part cut at a UTF-8
// character boundary.
void writeProfileName(DeviceSettingsBlock& block, std::string_view utf8Name);
// Part one up to its NUL (or all 32 bytes) followed by part two the same way; invalid UTF-8
// decodes to U+FFFD.
std::string readProfileName(const DeviceSettingsBlock& block);
// "PROFILE1" .. "PROFILE6".
std::string factoryProfileName(std::uint32_t profileNumber);

// --- Records --------------------------------------------------------------------------------

// First non-empty long-press switch position when LSwitchFlag is 1 (31 when all are empty),
// else SDownPos.
FunctionCode displayedCode(const ButtonSetting& record);

// Capture/Home factory record in PC mode.
ButtonSetting pcFixedCaptureHomeRecord();
// PC rule for images produced from a database: SDownPos of Capture and Home := 31.
void applyPcCaptureHomeRule(DeviceSettingsBlock& block);

// editRecord := record of selectedSlot in workingBlock (all zero for a stick or no selection).
void loadEditedRecord(ProfileState& state, const ProfileImages& images);
// Record of selectedSlot in workingBlock := editRecord; nothing for a stick or no selection.
void commitEditedRecord(const ProfileState& state, ProfileImages& images);
// Selection 18: left stick of workingBlock := editLeftStick; 19: right := editRightStick.
void commitEditedStick(const ProfileState& state, ProfileImages& images);

// defaultRecords, defaultLeftStick, defaultRightStick from defaultsBlock; in PC mode Capture and
// Home get the fixed record.
void buildDefaultRecords(ProfileState& state, HostMode mode);

// currentRecords := the 18 records of workingBlock; editLeftStick/editRightStick := its sticks.
void refreshPanelCopy(ProfileState& state, const ProfileImages& images);

// --- Switch-mode lists ----------------------------------------------------------------------

// Empties all four lists and rebuilds them from both profile lists.
void rebuildSwitchModeLists(ProfileImages& images);
// Sets every flag of the mode's switchModeLists to 0.
void clearSwitchModeFlags(ProfileImages& images, HostMode mode);
// In the current mode's list of the profile last activated in that mode, sets the flag of the
// pair for selectedSlot; nothing when that profile is 0, the list is missing or no pair matches.
void setSwitchModeOfSelected(ProfileState& state, ProfileImages& images, std::uint32_t flag);

}  // namespace orv
