// The toolkit tests run on the worker thread of an application laid out as
// the installer is.
#include <gtest/gtest.h>

#include "app/WorkerApp.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    CWorkerApp app("Corvane tests", 40, 40, 320, 240, [](CCorvane&) { return RUN_ALL_TESTS(); });
    return app.RunWorker(GetModuleHandleA(nullptr));
}
