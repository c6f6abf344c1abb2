#include "tests/desktop/BoardProgram.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProcessEnvironment>
#include <QPixmap>
#include <QScreen>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// An application object for screenshots and for waiting on tools; the program under test runs
// in a process of its own.
class TScreenSession : public testing::Environment {
public:
    void SetUp() override
    {
        if (HaveDisplay())
            FApp = std::make_unique<QApplication>(FArgc, FArgv);
    }
    void TearDown() override { FApp.reset(); }

private:
    int FArgc = 1;
    char FName[16] = "desktop_tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QApplication> FApp;
};

[[maybe_unused]] testing::Environment* const session = testing::AddGlobalTestEnvironment(new TScreenSession);

QString Text(const fs::path& path) { return QString::fromStdString(path.string()); }


} // namespace

TPoint TileMiddle(int k)
{
    static const TPoint middles[] = {{75, 56},   {225, 56},  {375, 56},  {525, 56},  {525, 168},
                                     {525, 280}, {525, 392}, {375, 392}, {225, 392}, {75, 392},
                                     {75, 280},  {75, 168},  {300, 224}};
    return middles[k - 1];
}

bool Near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

double MeanError(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 255;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col])) +
                   std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
    return sum / (3.0 * x.width() * x.height());
}

int DarkPixels(const QImage& image, const TRect& area)
{
    int dark = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            dark += qRed(image.pixel(x, y)) < 80;
    return dark;
}

void Program::SetUp()
{
    REQUIRE_DISPLAY();
    const fs::path root = Scratch.Dir();
    Bin = root / "bin";
    Home = root / "home";
    Temp = root / "tmp";
    Tools = root / "tools";
    Seen = root / "seen";
    Files = root / "files";
    const fs::path runtime = root / "runtime";
    for (const fs::path& dir : {Bin, Home, Temp, Tools, Seen, Files, runtime})
        fs::create_directories(dir);
    fs::permissions(runtime, fs::perms::owner_all);

    // The program in a folder of its own, where the mail command puts its file.
    std::error_code linkError;
    fs::create_hard_link(TIRORA_PROGRAM, Bin / "tirora", linkError);
    if (linkError)
        fs::copy_file(TIRORA_PROGRAM, Bin / "tirora");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", Text(Home));
    env.insert("XDG_CONFIG_HOME", Text(Home / ".config"));
    env.insert("XDG_CACHE_HOME", Text(Home / ".cache"));
    env.insert("XDG_DATA_HOME", Text(Home / ".local/share"));
    env.insert("XDG_RUNTIME_DIR", Text(runtime));
    env.insert("TMPDIR", Text(Temp));
    env.insert("PATH", Text(Tools) + ":" + env.value("PATH", "/usr/bin:/bin"));
    Child.setProcessEnvironment(env);
    Child.setWorkingDirectory(Text(Files));
    Child.setProcessChannelMode(QProcess::ForwardedChannels);
    Child.start(Text(Bin / "tirora"), {});
    ASSERT_TRUE(Child.waitForStarted());

    QString found;
    ASSERT_TRUE(RunTool("xdotool", {"search", "--sync", "--onlyvisible", "--pid", QString::number(Child.processId()),
                                    "--name", "^ティロラ - "},
                        &found));
    Id = found.split('\n', Qt::SkipEmptyParts).value(0);
    ASSERT_FALSE(Id.isEmpty());
    // The first frame is there once the middle tile shows its brown.
    ASSERT_TRUE(WaitUntil([this] { return At(TileMiddle(13)) == BrownRgb; }, 10000));
}

void Program::TearDown()
{
    if (Child.state() == QProcess::NotRunning)
        return;
    // Each test ends as the user would end the program; after a failure it is simply stopped.
    if (!HasFailure()) {
        EXPECT_TRUE(CloseWindow()) << "the program ends with exit code 0 when its window is closed";
    }
    if (Child.state() != QProcess::NotRunning) {
        Child.kill();
        Child.waitForFinished();
    }
}

QImage Program::Shot() const
{
    return QGuiApplication::primaryScreen()->grabWindow(Id.toULongLong()).toImage();
}

QRgb Program::At(TPoint client) const
{
    return QGuiApplication::primaryScreen()->grabWindow(Id.toULongLong(), client.X, client.Y, 1, 1).toImage().pixel(0, 0);
}

bool Program::WaitForTile(int k, QRgb colour, int timeoutMs) const
{
    return WaitUntil([&] { return Near(At(TileMiddle(k)), colour); }, timeoutMs);
}

bool Program::KeysToBoard(const QStringList& keys) const
{
    return Xdotool(QStringList{"windowfocus", "--sync", Id, "key"} + keys);
}

QStringList Program::MoveTo(TPoint client)
{
    // xdotool's --sync waits for the pointer to move, which it never does when it is there
    // already: it first goes one pixel aside.
    const int x = 20 + client.X, y = 20 + client.Y;
    return {"mousemove", QString::number(x + 1), QString::number(y + 1),
            "mousemove", "--sync", QString::number(x), QString::number(y)};
}

QStringList Program::OtherWindows() const
{
    QString found;
    RunTool("xdotool", {"search", "--onlyvisible", "--pid", QString::number(Child.processId())}, &found);
    QStringList windows = found.split('\n', Qt::SkipEmptyParts);
    windows.removeAll(Id);
    return windows;
}

QString Program::WaitForWindowNamed(const QString& name) const
{
    QString found;
    WaitUntil([&] {
        const QStringList windows = OtherWindows();
        if (windows.size() == 1 && WindowName(windows[0]) == name)
            found = windows[0];
        return !found.isEmpty();
    }, 10000);
    return found;
}

bool Program::WaitForBoardAlone() const
{
    return WaitUntil([&] { return OtherWindows().isEmpty(); }, 10000);
}

QString Program::WindowName(const QString& window)
{
    QString name;
    RunTool("xdotool", {"getwindowname", window}, &name);
    return name.trimmed();
}

bool Program::DragFile(const std::string& file, const std::vector<TPoint>& path, const std::function<bool()>& done,
                       int timeoutMs) const
{
    TDragSource source(700, 100, {file});
    if (!source.Ready())
        return false;
    // Pauses let both programs take part in each step of the drag.
    QStringList steps = source.PressOnIt();
    for (TPoint p : path)
        steps << "sleep" << "0.3" << MoveTo(p);
    steps << "sleep" << "0.3" << "mouseup" << "1";
    return Xdotool(steps) && WaitUntil(done, timeoutMs);
}

bool Program::CloseWindow()
{
    if (!AskToClose(Id.toULong()))
        return false;
    if (!WaitUntil([this] { return Child.state() == QProcess::NotRunning; }, 10000))
        return false;
    return Child.exitStatus() == QProcess::NormalExit && Child.exitCode() == 0;
}

void Program::InstallStandIn(const std::string& name, int exitCode)
{
    const fs::path script = Tools / name;
    const std::string log = (Tools / (name + ".args")).string();
    WriteFile(script, "#!/bin/sh\n"
                      ": > '" + log + ".tmp'\n"
                      "for a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + log + ".tmp'; done\n"
                      "while [ $# -gt 0 ]; do\n"
                      "  if [ \"$1\" = --attach ]; then /bin/cp \"$2\" '" + Seen.string() + "/'; fi\n"
                      "  shift\n"
                      "done\n"
                      "/bin/mv '" + log + ".tmp' '" + log + "'\n"
                      "exit " + std::to_string(exitCode) + "\n");
    fs::permissions(script, fs::perms::owner_all);
}

std::vector<std::string> Program::Arguments(const std::string& name) const
{
    std::vector<std::string> args;
    std::istringstream lines(ReadFile(Tools / (name + ".args")));
    for (std::string line; std::getline(lines, line);)
        args.push_back(line);
    return args;
}
