#include "platform/controls/Host.h"

namespace {
THost* CurrentHost = nullptr;
}

THost* THost::Current() { return CurrentHost; }
void THost::SetCurrent(THost* host) { CurrentHost = host; }
