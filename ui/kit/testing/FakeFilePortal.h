// A desktop portal's file chooser for tests: a private session bus (a dbus-daemon of its own)
// serving org.freedesktop.portal.FileChooser the way a desktop's portal does, answering each
// question with the next queued answer. While it lives, this process's session bus is that
// private one (DBUS_SESSION_BUS_ADDRESS), so the toolkit's file dialogs ask it instead of
// showing Qt's dialog. Needs dbus-daemon; running() says whether it came up.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/kit/FileDialog.h"

namespace orv::kit::testing {

class FakeFilePortal {
public:
    // What the portal was asked, decoded from the call.
    struct Question {
        std::string method;        // "OpenFile" or "SaveFile"
        std::string parentWindow;  // "x11:…", or empty
        std::string title;
        std::vector<FileFilter> filters;
        std::string currentFolder;  // without its terminating NUL
        std::string currentName;
        bool modal = false;
    };

    FakeFilePortal();
    ~FakeFilePortal();
    FakeFilePortal(const FakeFilePortal&) = delete;
    FakeFilePortal& operator=(const FakeFilePortal&) = delete;

    bool running() const;
    // The next question gets this URI ("file:///tmp/x.db"), or a cancel for nothing. With no
    // queued answer the question is cancelled.
    void QueueAnswer(std::optional<std::string> uri);
    // From now on the file chooser refuses every call with a D-Bus error (a portal without a
    // file chooser).
    void RefuseCalls();
    const std::vector<Question>& Questions() const;

    class Service;  // the served object (internal)

private:
    std::unique_ptr<Service> service_;
};

}  // namespace orv::kit::testing
