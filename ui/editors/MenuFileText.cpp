#include "ui/editors/MenuFileText.h"

#include <filesystem>
#include <optional>

#include "context/UserCopies.h"
#include "ui/kit/PaintManager.h"

namespace orv::editor {

namespace {

// The same file the toolkit opens the menu from; none when that is a shipped file.
std::optional<MenuDefinition> writableDefinition(const std::string& menuFile) {
    const std::filesystem::path file = kit::PaintManager::GetMenuFile(menuFile);
    if (paths::isShippedFile(file)) {
        return std::nullopt;
    }
    return MenuDefinition(file);
}

}  // namespace

MenuRewrite setMenuItemTexts(const std::string& menuFile, const MenuItemTexts& texts) {
    const std::optional<MenuDefinition> definition = writableDefinition(menuFile);
    if (!definition) {
        return MenuRewrite::WriteFailed;
    }
    std::vector<MenuDefinition::ItemText> items;
    items.reserve(texts.size());
    for (const auto& [item, text] : texts) {
        items.push_back({item, text});
    }
    return definition->prepare(items);
}

MenuRewrite fitCaptureItem(const std::string& menuFile, HostMode mode) {
    const std::optional<MenuDefinition> definition = writableDefinition(menuFile);
    if (!definition) {
        return MenuRewrite::WriteFailed;
    }
    return definition->fitCaptureItem(mode == HostMode::PC ? MenuHostMode::PC : MenuHostMode::NS);
}

}  // namespace orv::editor
