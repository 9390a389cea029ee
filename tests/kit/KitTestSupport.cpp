#include "KitTestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "ui/kit/Application.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit::test {

namespace {

class KitEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "orv_kit_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<Application>(argc, argv);
        PaintManager::SetResourcePath(ResourceFolder().string());
    }
    void TearDown() override {
        app_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(ResourceFolder(), ignored);
    }

private:
    std::unique_ptr<Application> app_;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new KitEnvironment);

}  // namespace

const std::filesystem::path& ResourceFolder() {
    static const std::filesystem::path folder = [] {
        auto p = std::filesystem::temp_directory_path() /
                 ("orv_kit_tests_" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

void WriteResource(const std::string& name, const std::string& content) {
    const auto path = ResourceFolder() / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

RecordingWindow::~RecordingWindow() {
    if (destroyedFlag != nullptr) {
        *destroyedFlag = true;
    }
}

void RecordingWindow::onWindowReady() {
    Log("ready");
    if (onReady) {
        onReady(*this);
    }
}

void RecordingWindow::Notify(Notification& n) {
    Log(n.type + ":" + (n.sender != nullptr ? n.sender->GetName() : std::string("?")));
    if (onNotify) {
        onNotify(*this, n);
    }
}

LResult RecordingWindow::HandleMessage(unsigned message, WParam wParam, LParam lParam) {
    if (message >= msg::User || message == msg::Timer || message == msg::DeviceChange ||
        message == msg::HotKey) {
        Log("msg:" + std::to_string(message) + ":" + std::to_string(wParam));
    }
    if (onMessage && onMessage(*this, message, wParam, lParam)) {
        return 0;
    }
    return WindowImplBase::HandleMessage(message, wParam, lParam);
}

void RecordingWindow::OnFinalMessage(WindowHandle) {
    Log("final");
    if (onFinal) {
        onFinal();
    }
}

void Drain() {
    Application::ProcessPendingEvents();
}

void DestroyAllWindows() {
    for (const WindowHandle h : LiveWindows()) {
        if (auto* w = dynamic_cast<RecordingWindow*>(WindowFromHandle(h))) {
            w->Forget();
        }
    }
    for (const WindowHandle h : LiveWindows()) {
        if (WindowImplBase* w = WindowFromHandle(h)) {
            w->DestroyWindow();
        }
    }
    Drain();
}

}  // namespace orv::kit::test
