#include "DialogsHarness.h"

#include <memory>

#include "ui/kit/Application.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowSystem.h"

namespace orv::testing {

namespace {
std::unique_ptr<TextStore> gTexts;
}  // namespace

kit::LResult RecordingParent::HandleCustomMessage(unsigned message, kit::WParam wParam,
                                                  kit::LParam lParam, bool& /*handled*/) {
    received_.push_back({message, wParam, lParam, kit::FindWindow(dialogTitle_) != kit::kNoWindow});
    return 0;
}

void DialogsHarness::SetUpTestSuite() {
    gTexts = std::make_unique<TextStore>();
    ASSERT_TRUE(gTexts->open(std::string(ORV_TEST_DATA_DIR) + "/MultiLingual.db"))
        << gTexts->lastError();
}

void DialogsHarness::TearDownTestSuite() {
    gTexts.reset();
}

TextStore& DialogsHarness::texts() {
    return *gTexts;
}

DialogsHarness::DialogsHarness() {
    kit::PaintManager::SetInstancePath(std::string(ORV_TEST_DATA_DIR) + "/");
    kit::PaintManager::SetResourcePath(std::string(ORV_TEST_DATA_DIR) + "/Resources/");
    texts().language = "english";
}

DialogsHarness::~DialogsHarness() {
    for (kit::WindowHandle window : kit::LiveWindows()) {
        if (kit::WindowImplBase* w = kit::WindowFromHandle(window)) {
            w->DestroyWindow();
        }
    }
    kit::Application::ProcessPendingEvents();
    kit::Application::ResetQuit();
}

std::vector<ReceivedMessage> DialogsHarness::run(
    const std::string& title, const std::function<int(kit::WindowHandle)>& open,
    const std::function<void(kit::testing::Driver&, kit::WindowHandle)>& script, int* modalResult) {
    kit::testing::Driver driver;
    auto* parent = new RecordingParent(title);
    const kit::WindowHandle parentHandle =
        parent->Create(kit::kNoWindow, "DialogsTestParent", kit::style::Visible, 0);
    EXPECT_NE(parentHandle, kit::kNoWindow) << parent->GetCreateError();
    std::vector<ReceivedMessage> received;
    const bool ended = driver.Run(
        [&](kit::testing::Driver& d) {
            const kit::WindowHandle dialog = d.WaitForWindow(title);
            EXPECT_NE(dialog, kit::kNoWindow) << title;
            if (dialog != kit::kNoWindow) {
                script(d, dialog);
            }
            // Whatever the script left open goes now, so the modal loop ends.
            d.OnUi([&] {
                if (kit::WindowImplBase* w = kit::WindowFromHandle(kit::FindWindow(title))) {
                    w->DestroyWindow();
                }
            });
            // Posted codes are handled once the dialog's loop has handed back.
            d.Pump(std::chrono::milliseconds(50));
            d.OnUi([&] { received = parent->received(); });
        },
        [&] {
            const int result = open(parentHandle);
            if (modalResult != nullptr) {
                *modalResult = result;
            }
        });
    EXPECT_TRUE(ended);
    if (kit::WindowImplBase* w = kit::WindowFromHandle(parentHandle)) {
        w->DestroyWindow();
    }
    kit::Application::ProcessPendingEvents();
    return received;
}

void DialogsHarness::setEditAttribute(kit::testing::Driver& driver, kit::WindowHandle window,
                                      const std::string& edit, const std::string& attribute,
                                      const std::string& value) {
    driver.OnUi([&] {
        if (kit::WindowImplBase* w = kit::WindowFromHandle(window)) {
            if (kit::Control* c = w->GetPaintManager().FindControl(edit)) {
                c->SetAttribute(attribute, value);
            }
        }
    });
}

bool DialogsHarness::waitForFocus(kit::testing::Driver& driver, kit::WindowHandle window,
                                  const std::string& edit) {
    for (int i = 0; i < 100; ++i) {
        if (driver.FocusedControl(window) == edit) {
            return true;
        }
        driver.Pump(std::chrono::milliseconds(20));
    }
    return false;
}

}  // namespace orv::testing
