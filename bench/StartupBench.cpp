// Start-up of the board program to its first frame on the screen, against a minimal Qt
// program that shows a window of the same size at the same place (the reference). Both run
// on a private X server with a black root window; a program's first frame is there when the
// middle of its window turns from black to anything else.
//
// Reported: the board's and the reference's mean start-up times and their ratio.
#include <benchmark/benchmark.h>

#ifdef TIRORA_MINIMAL_WINDOW
#include <xcb/xcb.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int16_t ProbeX = 20 + 300;  // the middle of a 600 by 448 window at 20, 20
constexpr int16_t ProbeY = 20 + 224;

std::optional<pid_t> Spawn(std::vector<std::string> argv)
{
    std::vector<char*> args;
    for (std::string& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return std::nullopt;
    return pid;
}

void Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

// A private X server for the measurement, so that no other window is in the way.
class TPrivateDisplay {
public:
    TPrivateDisplay()
    {
        int ready[2];
        if (pipe(ready) != 0)
            return;
        FServer = Spawn({"/usr/bin/Xvfb", "-displayfd", std::to_string(ready[1]), "-br", "-nolisten", "tcp", "-screen",
                         "0", "800x600x24"});
        close(ready[1]);
        char number[16] = {};
        if (FServer && read(ready[0], number, sizeof number - 1) > 0)
            FName = ":" + std::to_string(std::atoi(number));
        close(ready[0]);
        if (!FName.empty())
            FConnection = xcb_connect(FName.c_str(), nullptr);
        if (FConnection && xcb_connection_has_error(FConnection)) {
            xcb_disconnect(FConnection);
            FConnection = nullptr;
        }
        if (FConnection)
            FRoot = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
    }
    ~TPrivateDisplay()
    {
        if (FConnection)
            xcb_disconnect(FConnection);
        if (FServer)
            Stop(*FServer);
    }

    bool Ready() const { return FConnection != nullptr; }
    const std::string& Name() const { return FName; }

    // The colour of the probe pixel, 0x00RRGGBB; 0 (black) while no window shows there.
    uint32_t Probe()
    {
        xcb_get_image_reply_t* reply = xcb_get_image_reply(
            FConnection, xcb_get_image(FConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, FRoot, ProbeX, ProbeY, 1, 1, ~0u), nullptr);
        if (!reply)
            return 0;
        uint32_t pixel = 0;
        if (xcb_get_image_data_length(reply) >= 4)
            pixel = *reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply)) & 0xFFFFFF;
        free(reply);
        return pixel;
    }

    // Waits until the probe pixel is (or is not) black; false after the time limit.
    bool WaitFor(bool black, std::chrono::seconds limit = 20s)
    {
        const Clock::time_point end = Clock::now() + limit;
        while ((Probe() == 0) != black) {
            if (Clock::now() > end)
                return false;
            std::this_thread::sleep_for(500us);
        }
        return true;
    }

private:
    std::optional<pid_t> FServer;
    std::string FName;
    xcb_connection_t* FConnection = nullptr;
    xcb_window_t FRoot = 0;
};

// Seconds from starting the program to its first frame; nothing when no frame came.
std::optional<double> StartUp(TPrivateDisplay& display, const std::string& program)
{
    if (!display.WaitFor(true))
        return std::nullopt;
    const Clock::time_point start = Clock::now();
    std::optional<pid_t> pid = Spawn({program});
    if (!pid)
        return std::nullopt;
    const bool shown = display.WaitFor(false);
    const std::chrono::duration<double> took = Clock::now() - start;
    Stop(*pid);
    if (!shown)
        return std::nullopt;
    return took.count();
}

void BM_StartupToFirstFrame(benchmark::State& state)
{
    for (const char* program : {TIRORA_PROGRAM, TIRORA_MINIMAL_WINDOW}) {
        if (!std::filesystem::exists(program)) {
            state.SkipWithError((std::string(program) + " is not built").c_str());
            return;
        }
    }
    TPrivateDisplay display;
    if (!display.Ready()) {
        state.SkipWithError("no private X server (Xvfb)");
        return;
    }
    setenv("DISPLAY", display.Name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // One start of each first, so that both find their libraries in the page cache.
    StartUp(display, TIRORA_PROGRAM);
    StartUp(display, TIRORA_MINIMAL_WINDOW);

    double board = 0, reference = 0;
    for (auto _ : state) {
        std::optional<double> minimal = StartUp(display, TIRORA_MINIMAL_WINDOW);
        std::optional<double> tirora = StartUp(display, TIRORA_PROGRAM);
        if (!minimal || !tirora) {
            state.SkipWithError("a program showed no frame within 20 s");
            return;
        }
        state.SetIterationTime(*tirora);
        board += *tirora;
        reference += *minimal;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["board_ms"] = board / n * 1000;
    state.counters["minimal_ms"] = reference / n * 1000;
    state.counters["ratio"] = board / reference;
}

BENCHMARK(BM_StartupToFirstFrame)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

#else

// Built without the Qt desktop, or without the X client library to watch the screen.
static void BM_StartupToFirstFrame(benchmark::State& state)
{
    state.SkipWithError("built without the Qt desktop host or libxcb");
    for (auto _ : state) {
    }
}
BENCHMARK(BM_StartupToFirstFrame);

#endif
