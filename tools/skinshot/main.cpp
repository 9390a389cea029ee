// Renders a skin of the Resources folder through the toolkit, as the window would show it, and
// saves it as a PNG:
//   orv_skinshot DATA_FOLDER SKIN.xml OUT.png [CONTROL=TEXT ...]
// Each CONTROL=TEXT puts a text into a named control first (the windows fill most texts from
// the text store at run time). Runs offscreen when no display is set.
//   DATA_FOLDER is the folder holding "Resources/", e.g. build/default/share/orvtool.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "ui/kit/Application.h"
#include "ui/kit/Control.h"
#include "ui/kit/Messages.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowImage.h"
#include "ui/kit/WindowImplBase.h"

namespace {

class SkinWindow final : public orv::kit::WindowImplBase {
public:
    explicit SkinWindow(std::string skin) : skin_(std::move(skin)) {}
    std::string GetWindowClassName() const override { return "SkinShotWnd"; }
    std::string GetSkinFile() override { return skin_; }

private:
    std::string skin_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: orv_skinshot DATA_FOLDER SKIN.xml OUT.png [CONTROL=TEXT ...]\n");
        return 2;
    }
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    orv::kit::Application app(argc, argv);
    orv::kit::PaintManager::SetInstancePath(folder);
    orv::kit::PaintManager::SetResourcePath(folder + "Resources/");

    auto* window = new SkinWindow(argv[2]);
    const orv::kit::WindowHandle handle =
        window->Create(orv::kit::kNoWindow, "SkinShot", orv::kit::style::Visible, 0);
    if (handle == orv::kit::kNoWindow) {
        std::fprintf(stderr, "orv_skinshot: %s\n", window->GetCreateError().c_str());
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        const std::string assignment = argv[i];
        const std::size_t equals = assignment.find('=');
        orv::kit::Control* control =
            equals == std::string::npos
                ? nullptr
                : window->GetPaintManager().FindControl(assignment.substr(0, equals));
        if (control == nullptr) {
            std::fprintf(stderr, "orv_skinshot: no control for '%s'\n", assignment.c_str());
            return 1;
        }
        control->SetText(assignment.substr(equals + 1));
    }
    orv::kit::Application::ProcessPendingEvents();
    if (!orv::kit::SaveWindowImage(handle, argv[3])) {
        std::fprintf(stderr, "orv_skinshot: cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%s\n", argv[3]);
    return 0;
}
