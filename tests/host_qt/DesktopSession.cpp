#include "tests/host_qt/DesktopSession.h"

#include <memory>

#include "platform/controls/Application.h"
#include "platform/core/Cp932.h"
#include "platform/host/qt/QtHost.h"

namespace {

std::unique_ptr<TQtHost> TheHost;

class TDesktopSession : public testing::Environment {
public:
    void SetUp() override
    {
        if (!HaveDisplay())
            return;
        TheHost = std::make_unique<TQtHost>(FArgc, FArgv);
        Application->SetTitle(Sjis("ティロラ"));
    }
    void TearDown() override
    {
        Application->Shutdown();
        TheHost.reset();
    }

private:
    int FArgc = 1;
    char FName[16] = "host_qt_tests";
    char* FArgv[2] = {FName, nullptr};
};

[[maybe_unused]] testing::Environment* const session = testing::AddGlobalTestEnvironment(new TDesktopSession);

} // namespace

TQtHost& Host() { return *TheHost; }
