// test: a live test of every button and both sticks, printed until Ctrl+C.

#include "cli/Commands.h"

namespace orv::cli {

int runLiveTest(const Invocation&, Session& session) {
    return session.fail(kFailure, "test is not available yet");
}

}  // namespace orv::cli
