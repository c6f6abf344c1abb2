#pragma once
// Stand-ins for the desktop's helper programs: small scripts on a private PATH that write down
// how they were called, so a test sees exactly what the host handed over.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/desktop/helpers/DesktopTesting.h"

class TFakeTools {
public:
    TFakeTools();
    ~TFakeTools();

    // Installs a tool that records its arguments, one per line, in <name>.args, copies every
    // file named after "--attach" into seen/ while it runs, then exits with exitCode.
    void Install(const std::string& name, int exitCode = 0);

    // The arguments of the last call of the tool (waits up to a few seconds for a detached one).
    std::vector<std::string> Arguments(const std::string& name) const;
    std::filesystem::path Seen(const std::string& fileName) const { return FDir / "seen" / fileName; }
    const std::filesystem::path& Dir() const { return FDir; }

private:
    TScratchDir FScratch;
    std::filesystem::path FDir = FScratch.Dir();
    std::string FOldPath;
};
