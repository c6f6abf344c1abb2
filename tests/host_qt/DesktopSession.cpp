#include "tests/host_qt/DesktopSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdlib>
#include <memory>
#include <string_view>

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

bool HaveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    const char* ours = std::getenv("TIRORA_DESKTOP_TESTS");
    return display && *display && ours && std::string_view(ours) == "1";
}

TQtHost& Host() { return *TheHost; }

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool RunTool(const QString& program, const QStringList& args, QString* output)
{
    QProcess tool;
    tool.start(program, args);
    if (!tool.waitForStarted())
        return false;
    WaitUntil([&] { return tool.state() == QProcess::NotRunning; }, 20000);
    if (output)
        *output = QString::fromUtf8(tool.readAllStandardOutput());

    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

void XdotoolLater(const QStringList& args)
{
    auto* tool = new QProcess(QCoreApplication::instance());
    tool->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(tool, &QProcess::finished, tool, &QObject::deleteLater);
    tool->start(QStringLiteral("xdotool"), args);
}
