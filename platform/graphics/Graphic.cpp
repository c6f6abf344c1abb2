#include "platform/graphics/Graphic.h"

void TGraphic::SetTransparent(bool v)
{
    if (FTransparent == v)
        return;
    FTransparent = v;
    Changed();
}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}
