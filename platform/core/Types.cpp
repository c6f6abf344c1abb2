#include "platform/core/Types.h"

#include <algorithm>

bool OffsetRect(TRect* rect, int32_t dx, int32_t dy)
{
    if (!rect)
        return false;
    rect->Left += dx;
    rect->Right += dx;
    rect->Top += dy;
    rect->Bottom += dy;
    return true;
}

TRect IntersectRect(const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}
