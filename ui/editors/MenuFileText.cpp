#include "ui/editors/MenuFileText.h"

#include <filesystem>

#include "text/MenuDefinition.h"
#include "ui/kit/PaintManager.h"

namespace orv::editor {

namespace {

MenuDefinition definition(const std::string& menuFile) {
    // The same folder the toolkit opens the menu from.
    return MenuDefinition(std::filesystem::path(kit::PaintManager::GetResourcePath()) / menuFile);
}

}  // namespace

void setMenuItemTexts(const std::string& menuFile, const MenuItemTexts& texts) {
    std::vector<MenuDefinition::ItemText> items;
    items.reserve(texts.size());
    for (const auto& [item, text] : texts) {
        items.push_back({item, text});
    }
    definition(menuFile).prepare(items);
}

void fitCaptureItem(const std::string& menuFile, HostMode mode) {
    definition(menuFile).fitCaptureItem(mode == HostMode::PC ? MenuHostMode::PC : MenuHostMode::NS);
}

}  // namespace orv::editor
