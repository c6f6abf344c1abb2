#pragma once
// Starting the desktop's helper programs (browser, mail program) without a shell: the program
// is looked up on PATH and every argument reaches it as one argument, its bytes unchanged.
#include <string>
#include <vector>

// Starts argv[0] with the arguments and does not wait for it; the child is reaped in the
// background. False when the program could not be started.
bool LaunchDetached(const std::vector<std::string>& argv);

// How a program that was waited for ended.
struct TProgramExit {
    bool Started = false;  // false: not found, or not executable
    bool Exited = false;   // false: ended by a signal, or its end could not be learnt
    int ExitCode = 0;
};

// Starts argv[0] with the arguments and waits until it ends.
TProgramExit RunAndWait(const std::vector<std::string>& argv);
