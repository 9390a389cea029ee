// Shared fixture of the toolkit tests: one Application for the process, a scratch resource
// folder with skin and menu files, and a window class that records what reaches it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ui/kit/Notification.h"
#include "ui/kit/WindowImplBase.h"

namespace orv::kit::test {

// The scratch resource folder (created once per process, removed at exit).
const std::filesystem::path& ResourceFolder();
// Writes name (relative to the resource folder) with the given content.
void WriteResource(const std::string& name, const std::string& content);

// A window over one skin that records notifications and messages; hooks let a test act.
class RecordingWindow : public WindowImplBase {
public:
    explicit RecordingWindow(std::string skin, std::vector<std::string>* log = nullptr)
        : skin_(std::move(skin)), log_(log) {}
    ~RecordingWindow() override;

    std::function<void(RecordingWindow&)> onReady;
    std::function<void(RecordingWindow&, Notification&)> onNotify;
    std::function<bool(RecordingWindow&, unsigned, WParam, LParam)> onMessage;
    std::function<void()> onFinal;
    bool* destroyedFlag = nullptr;

    // Drops the hooks and the log (which may point into a finished test body).
    void Forget() {
        onReady = nullptr;
        onNotify = nullptr;
        onMessage = nullptr;
        onFinal = nullptr;
        destroyedFlag = nullptr;
        log_ = nullptr;
    }

protected:
    std::string GetWindowClassName() const override { return "RecordingWnd"; }
    std::string GetSkinFile() override { return skin_; }
    void onWindowReady() override;
    void Notify(Notification& n) override;
    LResult HandleMessage(unsigned message, WParam wParam, LParam lParam) override;
    void OnFinalMessage(WindowHandle handle) override;

private:
    void Log(const std::string& line) {
        if (log_ != nullptr) {
            log_->push_back(line);
        }
    }
    std::string skin_;
    std::vector<std::string>* log_;
};

// Handles everything queued, including deferred deletions.
void Drain();
// Destroys every live window after dropping the recording windows' hooks.
void DestroyAllWindows();

}  // namespace orv::kit::test
