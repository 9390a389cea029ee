#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "KitTestSupport.h"
#include "ui/kit/Application.h"
#include "ui/kit/SystemServices.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit {
namespace {

using test::Drain;
using test::RecordingWindow;

constexpr unsigned kPing = msg::User + 0x134;

constexpr const char* kSmallSkin = R"(<Window size="200,120">
  <VerticalLayout><Button name="OKBtn" height="40"/><Button name="CancelBtn"/></VerticalLayout>
</Window>)";

class WindowMessages : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteResource("Small.xml", kSmallSkin);
        Application::ResetQuit();
    }
    void TearDown() override {
        test::DestroyAllWindows();
        Application::ResetQuit();
    }
    RecordingWindow* Make(const std::string& title, WindowHandle parent = kNoWindow,
                          std::vector<std::string>* log = nullptr) {
        auto* w = new RecordingWindow("Small.xml", log);
        EXPECT_NE(w->Create(parent, title, style::Dialog, exstyle::WindowEdge), kNoWindow);
        return w;
    }
};

TEST_F(WindowMessages, FindWindowSeesOnlyLiveWindowsByExactTitle) {
    bool deleted = false;
    RecordingWindow* a = Make("ProfileForm");
    a->destroyedFlag = &deleted;
    const WindowHandle handle = a->GetHWND();
    EXPECT_EQ(FindWindow("ProfileForm"), handle);
    EXPECT_EQ(FindWindow("Profile"), kNoWindow);
    EXPECT_EQ(FindWindow("profileform"), kNoWindow);
    a->DestroyWindow();
    EXPECT_TRUE(deleted) << "the object releases itself after its final message";
    EXPECT_EQ(FindWindow("ProfileForm"), kNoWindow);
    EXPECT_FALSE(IsWindow(handle));
    // A new window never gets the old handle back.
    RecordingWindow* b = Make("ProfileForm");
    EXPECT_NE(b->GetHWND(), handle);
}

TEST_F(WindowMessages, SendRunsTheHandlerNowPostRunsItLater) {
    std::vector<std::string> log;
    RecordingWindow* w = Make("Target", kNoWindow, &log);
    log.clear();
    EXPECT_TRUE(PostMessage(w->GetHWND(), kPing, 1));
    SendMessage(w->GetHWND(), kPing, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"msg:1332:2"}));
    Drain();
    EXPECT_EQ(log, (std::vector<std::string>{"msg:1332:2", "msg:1332:1"}));
}

TEST_F(WindowMessages, DeadHandlesReceiveNothing) {
    std::vector<std::string> log;
    RecordingWindow* w = Make("Doomed", kNoWindow, &log);
    const WindowHandle handle = w->GetHWND();
    // Posted while alive, delivered after death: dropped.
    EXPECT_TRUE(PostMessage(handle, kPing, 7));
    w->DestroyWindow();
    log.clear();
    Drain();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(PostMessage(handle, kPing, 8));
    EXPECT_EQ(SendMessage(handle, kPing, 9), 0);
    EXPECT_FALSE(PostMessage(kNoWindow, kPing, 0));
    Drain();
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowMessages, PostsFromOtherThreadsArriveInOrderOnTheUiThread) {
    std::vector<std::string> log;
    RecordingWindow* w = Make("Worker target", kNoWindow, &log);
    const std::thread::id ui = std::this_thread::get_id();
    std::atomic<bool> wrongThread{false};
    w->onMessage = [&](RecordingWindow&, unsigned m, WParam, LParam) {
        if (m == kPing && std::this_thread::get_id() != ui) {
            wrongThread = true;
        }
        return false;
    };
    log.clear();
    const WindowHandle handle = w->GetHWND();
    std::thread worker([handle] {
        for (WParam i = 0; i < 100; ++i) {
            PostMessage(handle, kPing, i);
        }
        // After the window is gone the worker's posts are refused, not delivered.
    });
    worker.join();
    Drain();
    ASSERT_EQ(log.size(), 100u);
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i], "msg:1332:" + std::to_string(i));
    }
    EXPECT_FALSE(wrongThread);

    w->DestroyWindow();
    std::atomic<bool> refused{false};
    std::thread late([&] { refused = !PostMessage(handle, kPing, 1); });
    late.join();
    EXPECT_TRUE(refused);
}

TEST_F(WindowMessages, NestedModalLoopsReturnTheirCloseResults) {
    std::vector<std::string> log;
    RecordingWindow* main = Make("ORVMainWindow", kNoWindow, &log);
    const WindowHandle mainHandle = main->GetHWND();
    int innerResult = 0;
    int outerResult = 0;
    main->onMessage = [&](RecordingWindow& self, unsigned m, WParam, LParam) {
        if (m != kPing) {
            return false;
        }
        // Opens the first dialog; inside it a second one; both close from their own handlers.
        auto* outer = new RecordingWindow("Small.xml", &log);
        outer->Create(self.GetHWND(), "Outer", style::Dialog, 0);
        outer->onMessage = [&](RecordingWindow& o, unsigned mm, WParam, LParam) {
            if (mm != kPing) {
                return false;
            }
            auto* inner = new RecordingWindow("Small.xml", &log);
            inner->Create(o.GetHWND(), "Inner", style::Dialog, 0);
            inner->onReady = nullptr;
            PostMessage(inner->GetHWND(), msg::Close, 5);
            // A message to the main window posted now is handled inside the inner loop.
            PostMessage(mainHandle, kPing + 1, 0);
            innerResult = inner->ShowModal();
            o.Close(3);
            return true;
        };
        PostMessage(outer->GetHWND(), kPing, 0);
        outerResult = outer->ShowModal();
        return true;
    };
    PostMessage(mainHandle, kPing, 0);
    Drain();
    EXPECT_EQ(innerResult, 5);
    EXPECT_EQ(outerResult, 3);
    EXPECT_EQ(FindWindow("Outer"), kNoWindow);
    EXPECT_EQ(FindWindow("Inner"), kNoWindow);
    const auto at = [&](const std::string& line) {
        return std::find(log.begin(), log.end(), line) - log.begin();
    };
    EXPECT_LT(at("msg:1333:0"), static_cast<long>(log.size())) << "handled inside the modal loop";
}

TEST_F(WindowMessages, ClosingInsideItsOwnHandlerIsSafe) {
    bool deleted = false;
    RecordingWindow* w = Make("SelfCloser");
    w->destroyedFlag = &deleted;
    w->onMessage = [&](RecordingWindow& self, unsigned m, WParam, LParam) {
        if (m != kPing) {
            return false;
        }
        SendMessage(self.GetHWND(), msg::Close, 1);
        EXPECT_FALSE(deleted) << "deletion waits until the handler has returned";
        EXPECT_FALSE(IsWindow(self.GetHWND()));
        return true;
    };
    SendMessage(w->GetHWND(), kPing);
    EXPECT_TRUE(deleted);
}

TEST_F(WindowMessages, QuitEndsModalLoopsAndTheOutermostLoop) {
    RecordingWindow* main = Make("ORVMainWindow");
    int modalResult = 0;
    main->onMessage = [&](RecordingWindow& self, unsigned m, WParam, LParam) {
        if (m != kPing) {
            return false;
        }
        auto* dialog = new RecordingWindow("Small.xml");
        dialog->Create(self.GetHWND(), "ConnectionForm", style::Dialog, 0);
        PostQuitMessage(4);
        modalResult = dialog->ShowModal();
        return true;
    };
    PostMessage(main->GetHWND(), kPing);
    EXPECT_EQ(Application::Instance()->MessageLoop(), 4);
    EXPECT_EQ(modalResult, -1);
    EXPECT_TRUE(Application::QuitRequested());
    // A loop started after the quit returns at once.
    EXPECT_EQ(Application::Instance()->MessageLoop(), 4);
}

TEST_F(WindowMessages, TimersTickUntilKilled) {
    std::vector<std::string> log;
    RecordingWindow* w = Make("Ticker", kNoWindow, &log);
    int ticks = 0;
    w->onMessage = [&](RecordingWindow& self, unsigned m, WParam id, LParam) {
        if (m == msg::Timer && id == 3 && ++ticks == 3) {
            self.KillTimer(3);
            PostQuitMessage(0);
        }
        if (m == msg::Timer && id == 4) {
            PostQuitMessage(0);
        }
        return m == msg::Timer;
    };
    ASSERT_TRUE(w->SetTimer(3, 5));
    EXPECT_TRUE(w->HasTimer(3));
    Application::Instance()->MessageLoop();
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(w->HasTimer(3));
    // A killed timer stays quiet.
    Application::ResetQuit();
    w->SetTimer(4, 40);
    Application::Instance()->MessageLoop();
    EXPECT_EQ(ticks, 3);
}

TEST_F(WindowMessages, DeviceChangesReachRegisteredWindowsFromAnyThread) {
    std::vector<std::string> log;
    RecordingWindow* w = Make("ORVMainWindow", kNoWindow, &log);
    RecordingWindow* other = Make("Unregistered", kNoWindow, &log);
    (void)other;
    RegisterDeviceNotification(w->GetHWND());
    log.clear();
    std::thread t([] {
        BroadcastDeviceChange(dbt::DeviceArrival);
        BroadcastDeviceChange(dbt::DeviceRemoveComplete);
    });
    t.join();
    Drain();
    EXPECT_EQ(log, (std::vector<std::string>{"msg:537:32768", "msg:537:32772"}));
}

TEST_F(WindowMessages, DestroyingAnOwnerDestroysWhatItOwnsFirst) {
    std::vector<std::string> log;
    RecordingWindow* main = Make("ORVMainWindow", kNoWindow, &log);
    RecordingWindow* child = Make("LoadingForm", main->GetHWND(), &log);
    RecordingWindow* unrelated = Make("Elsewhere", kNoWindow, &log);
    child->onFinal = [&] { log.push_back("child gone"); };
    main->onFinal = [&] { log.push_back("main gone"); };
    const WindowHandle childHandle = child->GetHWND();
    main->DestroyWindow();
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_TRUE(IsWindow(unrelated->GetHWND()));
    const auto pos = [&](const char* line) { return std::find(log.begin(), log.end(), line); };
    EXPECT_LT(pos("child gone"), pos("main gone"));
}

TEST_F(WindowMessages, CentringAndMoving) {
    RecordingWindow* main = Make("ORVMainWindow");
    main->MoveWindow(Rect{100, 100, 700, 500});
    RecordingWindow* child = Make("Child", main->GetHWND());
    child->CenterWindow();
    const Rect r = child->GetWindowRect();
    EXPECT_EQ(r.Width(), 200);
    EXPECT_EQ(r.left, 100 + (600 - 200) / 2);
    EXPECT_EQ(r.top, 100 + (400 - 120) / 2);
}

}  // namespace
}  // namespace orv::kit
