#include "ui/kit/Menu.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QXmlStreamReader>
#include <cstdio>

#include "ui/kit/AttributeValues.h"
#include "ui/kit/MenuWidget.h"
#include "ui/kit/PaintManager.h"

namespace orv::kit {

namespace {

bool ReadMenuFile(const std::string& path, std::vector<MenuItem>& items, MenuLook& look,
                  std::string& error) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + ":0: cannot read: " + file.errorString().toStdString();
        return false;
    }
    QXmlStreamReader reader(&file);
    const auto value = [&](const char* name) {
        return reader.attributes().value(QString::fromLatin1(name)).toString().toStdString();
    };
    bool sawWindow = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            continue;
        }
        if (reader.name() == u"Window") {
            sawWindow = true;
            look.width = attr::ToInt(value("width")).value_or(look.width);
            look.itemHeight = attr::ToInt(value("itemheight")).value_or(look.itemHeight);
            look.fontSize = attr::ToInt(value("fontsize")).value_or(look.fontSize);
            for (const char* colour : {"bkcolor", "textcolor", "hotbkcolor", "disabledtextcolor"}) {
                const std::string v = value(colour);
                if (v.empty()) {
                    continue;
                }
                if (std::string_view(colour) == "bkcolor") {
                    look.bkcolor = v;
                } else if (std::string_view(colour) == "textcolor") {
                    look.textcolor = v;
                } else if (std::string_view(colour) == "hotbkcolor") {
                    look.hotbkcolor = v;
                } else {
                    look.disabledtextcolor = v;
                }
            }
            if (const std::string f = value("font"); !f.empty()) {
                look.font = f;
            }
        } else if (reader.name() == u"MenuElement") {
            MenuItem item;
            item.name = value("name");
            item.text = value("text");
            item.userData = value("userdata");
            item.enabled = attr::ToBool(value("enabled"), true);
            item.separator = attr::ToBool(value("separator"), false);
            items.push_back(std::move(item));
        }
    }
    if (reader.hasError()) {
        error = path + ":" + std::to_string(reader.lineNumber()) +
                ": malformed XML: " + reader.errorString().toStdString();
        return false;
    }
    if (!sawWindow) {
        error = path + ":1: root element must be <Window>";
        return false;
    }
    return true;
}

}  // namespace

bool MenuHandle::IsOpen() const {
    const auto state = state_.lock();
    return state && state->widget != nullptr;
}

void MenuHandle::Close() {
    if (const auto state = state_.lock(); state && state->widget != nullptr) {
        state->widget->Finish(false);
    }
}

std::vector<std::string> MenuHandle::ItemNames() const {
    std::vector<std::string> names;
    if (const auto state = state_.lock(); state && state->widget != nullptr) {
        for (const MenuItem& item : state->widget->Items()) {
            if (!item.separator) {
                names.push_back(item.name);
            }
        }
    }
    return names;
}

void MenuHandle::OnClosed(std::function<void(bool chosen)> callback) {
    if (const auto state = state_.lock(); state && state->widget != nullptr) {
        state->onClosed.push_back(std::move(callback));
    }
}

MenuHandle Menu::CreateMenu(Control* /*ownerElement*/, const std::string& menuFile,
                            Point screenPoint, PaintManager* owner, MenuCheckMap* checks,
                            unsigned align) {
    MenuHandle handle;
    std::vector<MenuItem> items;
    MenuLook look;
    std::string error;
    const std::string path = PaintManager::GetMenuFile(menuFile);
    if (!ReadMenuFile(path, items, look, error)) {
        std::fprintf(stderr, "menu error: %s\n", error.c_str());
        return handle;
    }
    const WindowHandle ownerWindow = owner == nullptr ? kNoWindow : owner->GetPaintWindow();
    auto* widget = new MenuWidget(std::move(items), std::move(look), ownerWindow, checks);
    int x = screenPoint.x;
    int y = screenPoint.y;
    if ((align & menu_align::Right) != 0 && (align & menu_align::Left) == 0) {
        x -= widget->width();
    }
    if ((align & menu_align::Bottom) != 0 && (align & menu_align::Top) == 0) {
        y -= widget->height();
    }
    widget->move(x, y);
    widget->show();
    handle.state_ = widget->State();
    return handle;
}

std::vector<MenuHandle> Menu::OpenMenus() {
    std::vector<MenuHandle> out;
    for (MenuWidget* widget : OpenMenuWidgets()) {
        MenuHandle h;
        h.state_ = widget->State();
        out.push_back(h);
    }
    return out;
}

void Menu::CloseAll() {
    const std::vector<MenuWidget*> open = OpenMenuWidgets();
    for (MenuWidget* widget : open) {
        widget->Finish(false);
    }
}

}  // namespace orv::kit
