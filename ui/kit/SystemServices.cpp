#include "ui/kit/SystemServices.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLocale>
#include <QStandardPaths>
#include <cstdlib>
#include <mutex>
#include <set>
#include <vector>

#include "ui/kit/Messages.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit {

namespace {

// Language identifier = sub-language << 10 | primary language.
constexpr std::uint16_t Langid(std::uint16_t primary, std::uint16_t sub) {
    return static_cast<std::uint16_t>((sub << 10) | primary);
}

std::uint16_t FromLocale(const QLocale& locale) {
    const QLocale::Territory t = locale.territory();
    switch (locale.language()) {
        case QLocale::Japanese:
            return Langid(0x11, 1);
        case QLocale::English:
            switch (t) {
                case QLocale::UnitedKingdom:
                    return Langid(0x09, 2);
                case QLocale::Australia:
                    return Langid(0x09, 3);
                case QLocale::Canada:
                    return Langid(0x09, 4);
                case QLocale::NewZealand:
                    return Langid(0x09, 5);
                case QLocale::Ireland:
                    return Langid(0x09, 6);
                default:
                    return Langid(0x09, 1);
            }
        case QLocale::Chinese:
            switch (t) {
                case QLocale::Taiwan:
                    return Langid(0x04, 1);
                case QLocale::HongKong:
                    return Langid(0x04, 3);
                default:
                    return Langid(0x04, 2);
            }
        case QLocale::Korean:
            return Langid(0x12, 1);
        case QLocale::German:
            return Langid(0x07, 1);
        case QLocale::French:
            return Langid(0x0C, 1);
        case QLocale::Spanish:
            return Langid(0x0A, 3);
        case QLocale::Italian:
            return Langid(0x10, 1);
        case QLocale::Portuguese:
            return t == QLocale::Brazil ? Langid(0x16, 1) : Langid(0x16, 2);
        case QLocale::Russian:
            return Langid(0x19, 1);
        case QLocale::Dutch:
            return Langid(0x13, 1);
        default:
            return Langid(0x09, 1);
    }
}

struct HotKey {
    WindowHandle window;
    int id;
    unsigned modifiers;
    unsigned key;
};

std::mutex g_mutex;
std::set<WindowHandle> g_deviceWindows;
std::vector<HotKey> g_hotKeys;

}  // namespace

std::uint16_t SystemLanguageId() {
    if (const char* env = std::getenv("ORV_LANGID"); env != nullptr && *env != '\0') {
        char* end = nullptr;
        const long v = std::strtol(env, &end, 10);
        if (end != env && v > 0 && v <= 0xFFFF) {
            return static_cast<std::uint16_t>(v);
        }
    }
    return FromLocale(QLocale::system());
}

std::string ExecutableFolder() {
    if (QCoreApplication::instance() == nullptr) {
        return "./";
    }
    std::string folder = QCoreApplication::applicationDirPath().toStdString();
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string DesktopFolder() {
    if (const char* env = std::getenv("ORV_DESKTOP"); env != nullptr && *env != '\0') {
        return env;
    }
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString();
}

bool AddApplicationFont(const std::string& path) {
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        return false;
    }
    // Application fonts belong to this process only and vanish when it ends.
    return QFontDatabase::addApplicationFont(QString::fromStdString(path)) >= 0;
}

bool IsFontFamilyAvailable(const std::string& family) {
    return QFontDatabase::families().contains(QString::fromStdString(family));
}

void RegisterDeviceNotification(WindowHandle window) {
    std::lock_guard lock(g_mutex);
    g_deviceWindows.insert(window);
}

void UnregisterDeviceNotification(WindowHandle window) {
    std::lock_guard lock(g_mutex);
    g_deviceWindows.erase(window);
}

void BroadcastDeviceChange(std::uintptr_t event) {
    std::vector<WindowHandle> targets;
    {
        std::lock_guard lock(g_mutex);
        targets.assign(g_deviceWindows.begin(), g_deviceWindows.end());
    }
    for (const WindowHandle w : targets) {
        PostMessage(w, msg::DeviceChange, event, 0);
    }
}

bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned key) {
    std::lock_guard lock(g_mutex);
    for (const HotKey& h : g_hotKeys) {
        if (h.modifiers == modifiers && h.key == key) {
            return false;  // taken, as by another program
        }
    }
    g_hotKeys.push_back(HotKey{window, id, modifiers, key});
    return true;
}

void UnregisterHotKey(WindowHandle window, int id) {
    std::lock_guard lock(g_mutex);
    std::erase_if(g_hotKeys,
                  [&](const HotKey& h) { return h.window == window && (id == -1 || h.id == id); });
}

bool DispatchHotKey(unsigned modifiers, unsigned key) {
    HotKey match{};
    bool found = false;
    {
        std::lock_guard lock(g_mutex);
        for (const HotKey& h : g_hotKeys) {
            if (h.modifiers == modifiers && h.key == key) {
                match = h;
                found = true;
                break;
            }
        }
    }
    if (!found) {
        return false;
    }
    const LParam lParam = static_cast<LParam>(modifiers | (key << 16));
    PostMessage(match.window, msg::HotKey, static_cast<WParam>(match.id), lParam);
    return true;
}

}  // namespace orv::kit
