#include "ui/editors/EditorLooks.h"

#include <array>

namespace orv::editor {

namespace {

constexpr std::array<const char*, 6> kColourWords = {"Green",  "Yellow", "Red",
                                                     "Purple", "Blue",   "Gray"};

// The menu files carry their historical spellings ("Greed", "Yellor", "Bul", ...); they are
// resource names other tools rely on, so they are listed, never derived.
constexpr std::array<std::array<const char*, 6>, 5> kMenuFiles = {{
    {"BtnSetGreedMenu.xml", "BtnSetYellorMenu.xml", "BtnSetRedMenu.xml", "BtnSetPurpleMenu.xml",
     "BtnSetBlueMenu.xml", "BtnSetGrayMenu.xml"},
    {"LeftRightGreedMenu.xml", "LeftRightYellorMenu.xml", "LeftRightRedMenu.xml",
     "LeftRightPurpleMenu.xml", "LeftRightBlueMenu.xml", "LeftRightGrayMenu.xml"},
    {"InsOriGreedMenu.xml", "InsOriYellorMenu.xml", "InsOriRedMenu.xml", "InsOriPurpleMenu.xml",
     "InsOriBulMenu.xml", "InsOriGrayMenu.xml"},
    {"SensitiveGreedMenu.xml", "SensitiveYellorMenu.xml", "SensitiveRedMenu.xml",
     "SensitivePurpleMenu.xml", "SensitiveBluMenu.xml", "SensitiveGrayMenu.xml"},
    {"UnrAreaGreedMenu.xml", "UnrAreaYellorMenu.xml", "UnrAreaRedMenu.xml", "UnrAreaPurpleMenu.xml",
     "UnrAreaBuleMenu.xml", "UnrAreaGrayMenu.xml"},
}};

// Button editors: (X, Y) per slot; slots 9..17 have a second X for languages other than
// English, whose wider labels need the room.
struct SlotPlace {
    int x;
    int otherX;
    int y;
};
constexpr std::array<SlotPlace, 18> kSlotPlaces = {{
    {410, 410, 150},
    {560, 560, 250},
    {600, 600, 170},
    {645, 645, 250},
    {683, 683, 170},
    {733, 733, 250},
    {775, 775, 170},
    {825, 825, 250},
    {861, 861, 170},
    {-40, 242, 250},
    {3, 285, 170},
    {49, 331, 250},
    {92, 374, 170},
    {134, 416, 250},
    {177, 459, 170},
    {223, 505, 250},
    {271, 553, 170},
    {406, 688, 150},
}};

constexpr int kReferenceWidth = 1700;
constexpr int kStickTop = 270;

bool validColour(std::uint32_t colour) {
    return colour >= 1 && colour <= 6;
}

}  // namespace

std::string deepImage(std::uint32_t colour) {
    return validColour(colour) ? std::string("FunSetBtnBK_Deep") + kColourWords[colour - 1] + ".png"
                               : std::string();
}

std::string lightImage(std::uint32_t colour) {
    return validColour(colour)
               ? std::string("FunSetBtnBK_Light") + kColourWords[colour - 1] + ".png"
               : std::string();
}

std::optional<std::string> menuFile(MenuKind kind, std::uint32_t colour) {
    if (!validColour(colour)) {
        return std::nullopt;
    }
    return std::string(kMenuFiles[static_cast<std::size_t>(kind)][colour - 1]);
}

std::optional<kit::Point> editorOffset(EditorKind kind, std::uint32_t selection,
                                       bool englishLanguage) {
    if (kind == EditorKind::Stick) {
        if (selection == 18) {
            return kit::Point{437, kStickTop};
        }
        if (selection == 19) {
            return kit::Point{englishLanguage ? 732 : 867, kStickTop};
        }
        return std::nullopt;
    }
    if (selection >= kSlotPlaces.size()) {
        return std::nullopt;
    }
    const SlotPlace& place = kSlotPlaces[selection];
    // The long-press switch editor always takes the second X.
    const bool firstX = kind == EditorKind::Function && englishLanguage;
    return kit::Point{firstX ? place.x : place.otherX, place.y};
}

kit::Point editorPosition(EditorKind kind, std::uint32_t selection, bool englishLanguage,
                          const kit::Rect& parent) {
    const std::optional<kit::Point> offset = editorOffset(kind, selection, englishLanguage);
    if (!offset) {
        return kit::Point{0, 0};
    }
    // Integer division truncates toward zero, also for a main window narrower than 1700.
    return kit::Point{parent.left + (parent.Width() - kReferenceWidth) / 2 + offset->x,
                      parent.top + offset->y};
}

}  // namespace orv::editor
