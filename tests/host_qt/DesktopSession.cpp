#include "tests/host_qt/DesktopSession.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

namespace {

// One application object for the whole test program, made before the first test runs.
class TDesktopSession : public testing::Environment {
public:
    void SetUp() override
    {
        if (!HaveDisplay())
            return;
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        FApp = std::make_unique<QApplication>(FArgc, FArgv);
    }
    void TearDown() override { FApp.reset(); }

private:
    int FArgc = 1;
    char FName[16] = "host_qt_tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QApplication> FApp;
};

[[maybe_unused]] testing::Environment* const session = testing::AddGlobalTestEnvironment(new TDesktopSession);

} // namespace

bool HaveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}
