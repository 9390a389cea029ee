#pragma once
// What the three editors share about looks and placement: the button background images of the
// profile colours, the menu files of each colour, and where an editor opens next to the cell
// of the main window that was clicked.

#include <cstdint>
#include <optional>
#include <string>

#include "ui/kit/Types.h"

namespace orv::editor {

// Background of an assignment button that is neither open nor changed.
inline constexpr const char* kBlankImage = "FunSetBtnBK_Blank.png";

// Profile colour 1..6 (green, yellow, red, purple, blue, gray); "" for any other number.
std::string deepImage(std::uint32_t colour);   // the button whose menu is open; hot look
std::string lightImage(std::uint32_t colour);  // a value that differs from the factory one

// Menu files of a profile colour; nullopt for a colour outside 1..6.
enum class MenuKind : std::uint8_t {
    ButtonFunction,
    StickMode,
    StickRotation,
    Sensitivity,
    Deadzone
};
std::optional<std::string> menuFile(MenuKind kind, std::uint32_t colour);

// Offset (X, Y) of an editor from the main window's reference point for a selection:
// slots 0..17 for the two button editors, 18/19 for the stick editor. nullopt: the editor
// goes to screen position (0, 0).
enum class EditorKind : std::uint8_t { Function, LongPressSwitch, Stick };
std::optional<kit::Point> editorOffset(EditorKind kind, std::uint32_t selection,
                                       bool englishLanguage);

// Top-left corner of an editor over the main window's outer rectangle `parent`:
// (parent.left + (width - 1700) / 2 + X, parent.top + Y), the division truncating toward
// zero; (0, 0) when the selection has no place.
kit::Point editorPosition(EditorKind kind, std::uint32_t selection, bool englishLanguage,
                          const kit::Rect& parent);

}  // namespace orv::editor
