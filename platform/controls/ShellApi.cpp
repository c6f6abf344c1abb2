#include "platform/controls/ShellApi.h"

#include <cstring>
#include <set>

#include "platform/controls/Form.h"
#include "platform/controls/Host.h"
#include "platform/core/Files.h"

struct TDropFiles {
    std::vector<std::string> Paths;
    TPoint Point;
};

namespace {

// Handles are checked before use: a stale or made-up handle is answered with 0, not followed.
std::set<HDROP>& LiveHandles()
{
    static std::set<HDROP> handles;
    return handles;
}

}  // namespace

void DragAcceptFiles(HWND window, bool accept)
{
    if (auto* form = dynamic_cast<TForm*>(window))
        form->SetAcceptsFiles(accept);
}

HDROP NewDropHandle(const std::vector<std::string>& paths, TPoint point)
{
    HDROP drop = new TDropFiles{paths, point};
    LiveHandles().insert(drop);
    return drop;
}

bool IsLiveDropHandle(HDROP drop) { return LiveHandles().count(drop) != 0; }

unsigned DragQueryFileA(HDROP drop, unsigned index, char* buffer, unsigned size)
{
    if (!IsLiveDropHandle(drop))
        return 0;
    if (index == 0xFFFFFFFFu)
        return static_cast<unsigned>(drop->Paths.size());
    if (index >= drop->Paths.size())
        return 0;
    const std::string& path = drop->Paths[index];
    if (!buffer)
        return static_cast<unsigned>(path.size());
    if (size == 0)
        return 0;
    const size_t n = std::min<size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), n);
    buffer[n] = '\0';
    return static_cast<unsigned>(n);
}

void DragFinish(HDROP drop)
{
    if (LiveHandles().erase(drop))
        delete drop;
}

intptr_t ShellExecuteA(HWND, const char* verb, const char* file, const char*, const char*, int)
{
    THost* host = THost::Current();
    if (!host || !file || !verb || !SameTextAscii(verb, "open"))
        return 0;
    host->OpenURL(file);
    return 42;
}
