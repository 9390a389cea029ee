#pragma once
// The profile settings model: what each setting byte means, how values are named and shown,
// and the in-place operations on the images of the context. Nothing here keeps a decoded copy
// of a profile; every operation reads and writes the 640-byte images directly.

#include <cstdint>
#include <optional>
#include <span>
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
// The item name that produces `code` in `mode`, as the assignment menus hand it on: PC names
// for 8..13 in PC mode ("LB", "RB", "LT", "RT", "BACK", "START"), "nothing" for 31, "" for a
// code no item produces.
std::string itemNameOfCode(FunctionCode code, HostMode mode);
// Label shown for a code in the host mode; codes 14, 15, 17 (PC) and 31 come from the texts.
// Codes 18..30 and 32..255 get the label of 31.
std::string functionLabel(FunctionCode code, HostMode mode, const TextStore& texts);

// Stick mode 0/1/2 gives texts 35/19/20; rotation 0/1/2/3 texts 36/38/37/39; else empty.
std::string stickModeLabel(std::uint8_t mode, const TextStore& texts);
std::string rotationLabel(std::uint8_t rotate, const TextStore& texts);
// Sensitivity in decimal followed by "%" ("25%".."200%"; a stored odd value shows as it is).
std::string sensitivityLabel(std::uint8_t sen);
// Dead zone 0 gives text 35 (the menu item's wording; the stick editor shows its own text 81
// for a stored 0 when it opens); any other value in decimal followed by "%" ("5%".."50%").
std::string deadzoneLabel(std::uint8_t deadzone, const TextStore& texts);

// A stick editor menu item ("ModeNothing", "modeL", "Rrotate90", "sen125", "deadzone25", ...)
// and the stick field value it chooses; nullopt for any other name (exact, case-sensitive).
enum class StickField : std::uint8_t { Mode, Rotate, Sensitivity, Deadzone };
struct StickChoice {
    StickField field;
    std::uint8_t value;
    bool operator==(const StickChoice&) const = default;
};
std::optional<StickChoice> stickChoiceFromItemName(std::string_view itemName);
// Stores the choice into its field of `stick`.
void applyStickChoice(StickSetting& stick, StickChoice choice);

// --- Numbers and times ----------------------------------------------------------------------

// The bounds the editors step a time value within, in tenths of a second (turbo: its setting).
struct TimeRange {
    std::uint8_t minimum;
    std::uint8_t maximum;
    bool contains(int value) const { return value >= minimum && value <= maximum; }
};
inline constexpr TimeRange kLongPressTimeRange{5, 20};
inline constexpr TimeRange kTurboTimeRange{1, 5};
inline constexpr TimeRange kConDisableTimeRange{1, 30};
inline constexpr TimeRange kSwitchTimeRange{5, 30};

// Decimal reading by the C library's wide-string-to-integer rules: leading blanks (space, \t,
// \n, \v, \f, \r) and one sign allowed, reading stops at the first non-digit, no digits gives 0;
// the low 8 bits of the result are kept ("300" -> 44, "-1" -> 255). A value beyond the 32-bit
// range saturates there first, as the 32-bit wcstol does, so a huge number reads 255 and a huge
// negative one 0.
std::uint8_t parseDecimalLow8(std::string_view text);
// Tenths of a second as shown in the editors: 0..9 -> "0.d"; 10..99 -> "d.d" ("1.5", "3.0");
// 100..255 (never produced by the editors) -> "dd.d" ("25.5").
std::string timeToText(std::uint8_t tenths);
// The reverse: a text starting with "0." (after blanks) reads as the number after it; any other
// text is read as decimal with its first point (before any space) removed; "" reads 0. Every
// text timeToText produces reads back to its value.
std::uint8_t textToTime(std::string_view text);

// --- Names ----------------------------------------------------------------------------------

inline constexpr std::size_t kNamePartOneUnits = 10;  // UTF-16 units held by name part one

// Writes a UTF-8 name into both 32-byte name fields: part one holds the first 10 UTF-16 units,
// part two the rest; each NUL-terminated and zero-padded when shorter than 32 bytes. A surrogate
// pair is never split: when unit 10 would be its first half, the whole pair goes to part two.
// A part longer than 32 bytes is cut after the last whole character that fits (the rest of the
// name is lost). Ill-formed input bytes are written as U+FFFD.
void writeProfileName(DeviceSettingsBlock& block, std::string_view utf8Name);
// Part one up to its NUL (all 32 bytes when it has none) followed by part two the same way;
// each part decoded on its own, ill-formed bytes as U+FFFD. Always valid UTF-8.
std::string readProfileName(const DeviceSettingsBlock& block);
// One name field as text: up to its first NUL or all 32 bytes, ill-formed bytes as U+FFFD.
std::string decodeNameField(std::span<const std::uint8_t, block::kNamePartSize> field);
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
