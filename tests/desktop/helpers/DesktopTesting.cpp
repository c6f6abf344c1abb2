#include "tests/desktop/helpers/DesktopTesting.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <xcb/xcb.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>

namespace fs = std::filesystem;

bool HaveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    const char* ours = std::getenv("TIRORA_DESKTOP_TESTS");
    return display && *display && ours && std::string_view(ours) == "1";
}

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
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.start(program, args);
    if (!tool.waitForStarted())
        return false;
    const bool finished = WaitUntil([&] { return tool.state() == QProcess::NotRunning; }, 20000);
    if (output)
        *output = QString::fromUtf8(tool.readAllStandardOutput());
    if (!finished) {
        // A tool still waiting (xdotool's --sync for a move that never comes) has failed.
        qWarning("%s did not finish: %s", qPrintable(program), qPrintable(args.join(' ')));
        tool.kill();
        tool.waitForFinished();
        return false;
    }
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

void XdotoolLater(const QStringList& args)
{
    auto* tool = new QProcess(QCoreApplication::instance());
    tool->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(tool, &QProcess::finished, tool, &QObject::deleteLater);
    tool->start(QStringLiteral("xdotool"), args);
}

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, false, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

} // namespace

bool AskToClose(unsigned long windowId)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return false;
    xcb_connection_t* connection = x11->connection();
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(windowId);
    message.type = Atom(connection, "WM_PROTOCOLS");
    message.data.data32[0] = Atom(connection, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, false, message.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    return true;
}

TScratchDir::TScratchDir()
{
    std::string name = (fs::temp_directory_path() / "tirora-test-XXXXXX").string();
    FDir = mkdtemp(name.data());
}

TScratchDir::~TScratchDir() { fs::remove_all(FDir); }

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

TDragSource::TDragSource(int x, int y, const std::vector<std::string>& items) : FX(x), FY(y)
{
    QStringList args{QString::number(x), QString::number(y)};
    for (const std::string& item : items)
        args << QString::fromStdString(item);
    FProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    FProcess.start(TIRORA_DRAG_SOURCE, args);
    FReady = WaitUntil([this] { return FProcess.readAllStandardOutput().contains("ready"); }, 10000);
}

TDragSource::~TDragSource()
{
    FProcess.kill();
    FProcess.waitForFinished();
}

QStringList TDragSource::PressOnIt() const
{
    return {"mousemove", "--sync", QString::number(FX + 30), QString::number(FY + 30), "mousedown", "1"};
}
