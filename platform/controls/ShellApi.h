#pragma once
// The desktop shell's file drop and its opening of addresses.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls/WinApi.h"

// The files of one drop, handed to WM_DROPFILES as its WParam and released by DragFinish.
struct TDropFiles;
using HDROP = TDropFiles*;

// Registers the form (or withdraws it) as a target for files dropped from the shell.
void DragAcceptFiles(HWND window, bool accept);
// index 0xFFFFFFFF: the number of files. Otherwise copies at most size - 1 bytes of that file's
// path and a terminating NUL into buffer and returns the bytes copied; with no buffer, returns
// the path's length. 0 for an index out of range or a handle that is no longer valid.
unsigned DragQueryFileA(HDROP drop, unsigned index, char* buffer, unsigned size);
// Releases the handle; a released or unknown handle is ignored.
void DragFinish(HDROP drop);

// For the form: a new drop handle for these paths, and whether a handle is still live.
HDROP NewDropHandle(const std::vector<std::string>& paths, TPoint point);
bool IsLiveDropHandle(HDROP drop);

constexpr int SW_SHOW = 5;
// "open" (any letter case) with an address hands it to the default browser; the result is
// a value above 32 when it was handed over.
intptr_t ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                       const char* directory, int showCommand);
