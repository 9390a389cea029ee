#include "EditorHarness.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "profile/ProfileModel.h"
#include "ui/editors/EditorOpening.h"
#include "ui/editors/EditorWindow.h"
#include "ui/editors/FunButtonWindow.h"
#include "ui/editors/LPressSwitchWindow.h"
#include "ui/editors/StickSetWindow.h"
#include "ui/kit/Application.h"
#include "ui/kit/Menu.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {

namespace {

using namespace std::chrono_literals;

// How deep the UI thread is inside an editor's own handling; a message reaching the parent
// meanwhile was sent, not posted.
int editorDepth = 0;

struct DepthScope {
    DepthScope() { ++editorDepth; }
    ~DepthScope() { --editorDepth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};

template <typename Editor>
class Probed final : public Editor {
public:
    using Editor::Editor;

protected:
    kit::LResult HandleMessage(unsigned message, kit::WParam wParam, kit::LParam lParam) override {
        DepthScope scope;
        return Editor::HandleMessage(message, wParam, lParam);
    }
    void Notify(kit::Notification& notification) override {
        DepthScope scope;
        Editor::Notify(notification);
    }
};

constexpr const char* kParentSkin = "EditorTestParent.xml";

class RecordingParent final : public kit::WindowImplBase {
public:
    RecordingParent(std::vector<ParentMessage>& log, const ProfileState& state,
                    std::function<void(kit::WParam)> onCode)
        : log_(log), state_(state), onCode_(std::move(onCode)) {}

protected:
    std::string GetWindowClassName() const override { return "EditorTestParentWnd"; }
    std::string GetSkinFile() override { return kParentSkin; }
    kit::LResult HandleMessage(unsigned message, kit::WParam wParam, kit::LParam lParam) override {
        if (message == MainWindowMessage || message == CellRefreshMessage) {
            log_.push_back({message, wParam, lParam, editorDepth > 0, state_.selectedItemName});
            if (message == MainWindowMessage && onCode_) {
                onCode_(wParam);
            }
            return 0;
        }
        return kit::WindowImplBase::HandleMessage(message, wParam, lParam);
    }

private:
    std::vector<ParentMessage>& log_;
    const ProfileState& state_;
    std::function<void(kit::WParam)> onCode_;
};

const char* titleOf(OpenedEditor editor) {
    switch (editor) {
        case OpenedEditor::Function:
            return FunButtonWindow::kTitle;
        case OpenedEditor::LongPressSwitch:
            return LPressSwitchWindow::kTitle;
        case OpenedEditor::Stick:
            return StickSetWindow::kTitle;
    }
    return "";
}

// The built resources: skin and menu files are copied (a test may change them), images linked.
// The editors rewrite menus in the user's copies under menus/, as the tool does.
void copyResources(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::create_directories(to);
    for (const auto& entry : std::filesystem::directory_iterator(from)) {
        const std::filesystem::path target = to / entry.path().filename();
        if (entry.path().extension() == ".xml") {
            std::filesystem::copy_file(entry.path(), target);
        } else {
            std::filesystem::create_symlink(entry.path(), target);
        }
    }
}

}  // namespace

EditorHarness::EditorHarness() {
    kit::Clock::Install(&uiClock);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = std::filesystem::temp_directory_path() /
             ("orv-editor-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" +
              info->name());
    std::filesystem::remove_all(folder);
    const std::filesystem::path built(ORV_TEST_DATA_DIR);
    copyResources(built / "Resources", folder / "Resources");
    std::ofstream(folder / "Resources" / kParentSkin)
        << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<Window size=\"1700,900\" bkcolor=\"#FF101010\">\n"
           "  <VerticalLayout><Label name=\"ParentLabel\" text=\"parent\"/></VerticalLayout>\n"
           "</Window>\n";
    kit::PaintManager::SetInstancePath(folder.string() + "/");
    kit::PaintManager::SetResourcePath((folder / "Resources").string() + "/");
    kit::PaintManager::SetMenuPath((folder / "menus").string() + "/");
    EXPECT_TRUE(texts.open(built / "MultiLingual.db")) << texts.lastError();

    // A profile of six identical images, the first one picked and activated for editing.
    images.hostMode = HostMode::NS;
    images.currentProfile = 1;
    state.lastNsProfile = 1;
    images.nsProfiles.assign(6, DeviceSettingsBlock{});
    images.pcProfiles.assign(6, DeviceSettingsBlock{});
    rebuildSwitchModeLists(images);
}

EditorHarness::~EditorHarness() {
    kit::PaintManager::SetMenuPath("");
    kit::Menu::CloseAll();
    for (kit::WindowHandle window : kit::LiveWindows()) {
        if (kit::WindowImplBase* w = kit::WindowFromHandle(window)) {
            w->DestroyWindow();
        }
    }
    kit::Application::ProcessPendingEvents();
    kit::Application::ResetQuit();
    kit::Clock::Install(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

ButtonSetting EditorHarness::record(FunctionCode code) {
    ButtonSetting r;
    r.SDownPos = code;
    r.LDownPos = code;
    r.LDownTime = 10;
    r.TurboPos = code;
    r.TurboTime = 3;
    r.ConDisable = 0;
    r.ConDisableTime = 10;
    r.LSwitchPos1 = kFunctionNone;
    r.LSwitchPos2 = kFunctionNone;
    r.LSwitchPos3 = kFunctionNone;
    r.LSwitchPos4 = kFunctionNone;
    r.LSwitchPos5 = kFunctionNone;
    r.LSwitchTime = 20;
    return r;
}

void EditorHarness::selectButton(std::uint32_t slot, const ButtonSetting& button,
                                 const ButtonSetting& factory) {
    images.workingBlock.setButton(slot, button);
    state.selectedSlot = slot;
    state.selectedDefaultRecord = factory;
}

std::string EditorHarness::menuFilePath(const std::string& file) const {
    return kit::PaintManager::GetMenuFile(file);
}

std::string EditorHarness::readMenuFile(const std::string& file) const {
    std::ifstream in(menuFilePath(file));
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void EditorHarness::addMenuItem(const std::string& file, const std::string& item) const {
    std::string content = readMenuFile(file);
    const std::size_t end = content.find("</Menu>");
    ASSERT_NE(end, std::string::npos) << file;
    content.insert(end, "<MenuElement name=\"" + item + "\" text=\"" + item + "\"/>");
    std::ofstream(menuFilePath(file), std::ios::trunc) << content;
}

void EditorHarness::runEditor(
    OpenedEditor editor,
    const std::function<void(kit::testing::Driver&, kit::WindowHandle)>& script) {
    log_.clear();
    kit::testing::Driver driver;
    const char* title = titleOf(editor);
    kit::WindowHandle parentHandle = kit::kNoWindow;
    const bool ended = driver.Run(
        [&](kit::testing::Driver& d) {
            const kit::WindowHandle window = d.WaitForWindow(title);
            EXPECT_NE(window, kit::kNoWindow) << title;
            if (window != kit::kNoWindow) {
                script(d, window);
            }
            settle(d);
            // An editor the script left open ends with the loops.
            d.OnUi([&] {
                kit::Menu::CloseAll();
                if (kit::FindWindow(title) != kit::kNoWindow) {
                    kit::PostQuitMessage(0);
                }
            });
        },
        [&] {
            auto* parent = new RecordingParent(log_, state, onCode);
            parentHandle = parent->Create(kit::kNoWindow, title::MainWindow, kit::style::Visible, 0,
                                          parentRect);
            ASSERT_NE(parentHandle, kit::kNoWindow) << parent->GetCreateError();
            const std::string skinBase = editor == OpenedEditor::Function ? "FunButtonForm"
                                         : editor == OpenedEditor::Stick  ? "StickSetForm"
                                                                          : "LPressSwitchForm";
            const std::string skin = texts.languageFileName(skinBase);
            if (usePublicOpeners) {
                switch (editor) {
                    case OpenedEditor::Function:
                        openFunctionEditor(parentHandle, images, state, texts);
                        break;
                    case OpenedEditor::LongPressSwitch:
                        openLongPressSwitchEditor(parentHandle, images, state, texts);
                        break;
                    case OpenedEditor::Stick:
                        openStickEditor(parentHandle, images, state, texts);
                        break;
                }
                return;
            }
            EditorWindow* window = nullptr;
            switch (editor) {
                case OpenedEditor::Function:
                    window = new Probed<FunButtonWindow>(images, state, texts, skin);
                    break;
                case OpenedEditor::LongPressSwitch:
                    window = new Probed<LPressSwitchWindow>(images, state, texts, skin);
                    break;
                case OpenedEditor::Stick:
                    window = new Probed<StickSetWindow>(images, state, texts, skin);
                    break;
            }
            EditorWindow::Open(window, parentHandle, title);
        });
    EXPECT_TRUE(ended);
    if (kit::WindowImplBase* parent = kit::WindowFromHandle(parentHandle)) {
        parent->DestroyWindow();
    }
    kit::Application::ResetQuit();
}

std::vector<ParentMessage> EditorHarness::received(kit::testing::Driver& driver) const {
    std::vector<ParentMessage> copy;
    driver.OnUi([&] { copy = log_; });
    return copy;
}

std::vector<kit::WParam> EditorHarness::codes(kit::testing::Driver& driver) const {
    std::vector<kit::WParam> result;
    for (const ParentMessage& m : received(driver)) {
        if (m.message == MainWindowMessage) {
            result.push_back(m.wParam);
        }
    }
    return result;
}

bool EditorHarness::waitForMessages(kit::testing::Driver& driver, std::size_t count) const {
    return driver.WaitUntil([&] { return log_.size() >= count; }, 3s);
}

void EditorHarness::settle(kit::testing::Driver& driver) {
    driver.Pump(20ms);
    driver.OnUi([] { kit::Application::ProcessPendingEvents(); });
}

bool EditorHarness::chooseFromMenu(kit::testing::Driver& driver, kit::WindowHandle editor,
                                   const std::string& control, const std::string& item) {
    driver.Click(editor, control);
    if (!driver.WaitUntil([] { return !kit::Menu::OpenMenus().empty(); }, 3s)) {
        return false;
    }
    const bool chosen = driver.ChooseMenuItem(item);
    driver.WaitUntil([] { return kit::Menu::OpenMenus().empty(); }, 3s);
    settle(driver);
    return chosen;
}

}  // namespace orv::testing
