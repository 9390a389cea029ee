#pragma once
// The one process-wide object holding the tool's shared state. It is grouped by layer so that
// the lower layers take only the part they need by reference (and every test builds a fresh
// one); only the windows reach it through instance().

#include "device/ControllerState.h"
#include "profile/ProfileState.h"
#include "text/TextStore.h"

namespace orv {

struct DeviceContext {
    // The context, created on the first call (on the UI thread, before the connection worker
    // exists) and never destroyed.
    static DeviceContext& instance();

    ProfileImages images;  // host mode, current profile, the twelve images, switch-mode lists
    DeviceLink device;     // controller handle, identity, connection flags, received image
    ProfileState profile;  // editor buffers, factory settings, copies, settings database
    TextStore text;        // language and text database
};

}  // namespace orv
