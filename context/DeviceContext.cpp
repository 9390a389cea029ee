#include "context/DeviceContext.h"

namespace orv {

DeviceContext& DeviceContext::instance() {
    // Deliberately leaked: the context lives until the process ends, and nothing may run its
    // destructor while a detached connection worker could still be using it.
    static DeviceContext* context = new DeviceContext();
    return *context;
}

}  // namespace orv
