#include "tests/host_qt/FakeTools.h"

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

TFakeTools::TFakeTools()
{
    fs::create_directory(FDir / "seen");
    const char* path = getenv("PATH");
    FOldPath = path ? path : "";
    // Only the fake tools are on the path, so a tool not installed here is missing.
    setenv("PATH", FDir.c_str(), 1);
}

TFakeTools::~TFakeTools() { setenv("PATH", FOldPath.c_str(), 1); }

void TFakeTools::Install(const std::string& name, int exitCode)
{
    const fs::path script = FDir / name;
    const std::string log = (FDir / (name + ".args")).string();
    WriteFile(script, "#!/bin/sh\n"
                      ": > '" + log + ".tmp'\n"
                      "for a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + log + ".tmp'; done\n"
                      "while [ $# -gt 0 ]; do\n"
                      "  if [ \"$1\" = --attach ]; then /bin/cp \"$2\" '" + (FDir / "seen").string() + "/'; fi\n"
                      "  shift\n"
                      "done\n"
                      "/bin/mv '" + log + ".tmp' '" + log + "'\n"
                      "exit " + std::to_string(exitCode) + "\n");
    fs::permissions(script, fs::perms::owner_all);
}

std::vector<std::string> TFakeTools::Arguments(const std::string& name) const
{
    const fs::path log = FDir / (name + ".args");
    for (int i = 0; i < 500 && !fs::exists(log); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::vector<std::string> args;
    std::istringstream lines(ReadFile(log));
    for (std::string line; std::getline(lines, line);)
        args.push_back(line);
    return args;
}
