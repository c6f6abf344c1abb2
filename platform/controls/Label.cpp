#include "platform/controls/Label.h"

#include "platform/graphics/Bitmap.h"
#include "platform/text/DrawText.h"

namespace {

const std::vector<std::string> AlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> LayoutNames = {"tlTop", "tlCenter", "tlBottom"};

uint32_t AlignmentFlag(TAlignment a) { return a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT; }

}  // namespace

const TClassInfo& TCustomLabel::StaticClassInfo()
{
    static const TClassInfo info("TCustomLabel", &TGraphicControl::StaticClassInfo(), {
        EnumProp("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, AlignmentNames, taLeftJustify).Unpublished(),
        BoolProp("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true).Unpublished(),
        EnumProp("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, LayoutNames, tlTop).Unpublished(),
        BoolProp("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true).Unpublished(),
        BoolProp("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false).Unpublished(),
        BoolProp("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false).Unpublished(),
    });
    return info;
}

const TClassInfo& TLabel::StaticClassInfo()
{
    static const TClassInfo info("TLabel", &TCustomLabel::StaticClassInfo(), {
        Inherited("Alignment"),
        Inherited("AutoSize"),
        Inherited("Caption"),
        Inherited("Color"),
        Inherited("DragMode"),
        Inherited("Enabled"),
        Inherited("Font"),
        Inherited("ParentColor"),
        Inherited("ParentFont"),
        Inherited("PopupMenu"),
        Inherited("ShowAccelChar"),
        Inherited("Transparent"),
        Inherited("Layout"),
        Inherited("Visible"),
        Inherited("WordWrap"),
        Inherited("OnClick"),
        Inherited("OnDblClick"),
        Inherited("OnMouseDown"),
        Inherited("OnMouseMove"),
        Inherited("OnMouseUp"),
    }, Creates<TLabel>);
    return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    FControlStyle |= csOpaque | csReplicatable;
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment v)
{
    StoreAndInvalidate(FAlignment, v);
}

void TCustomLabel::SetAutoSize(bool v)
{
    if (v == FAutoSize)
        return;
    FAutoSize = v;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout v)
{
    StoreAndInvalidate(FLayout, v);
}

void TCustomLabel::SetWordWrap(bool v)
{
    if (v == FWordWrap)
        return;
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v)
{
    StoreAndInvalidate(FShowAccelChar, v);
}

void TCustomLabel::SetTransparent(bool v)
{
    if (v == Transparent())
        return;
    if (v)
        FControlStyle &= ~csOpaque;
    else
        FControlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::DoDrawText(TCanvas& canvas, TRect& rect, uint32_t flags)
{
    std::string text = GetLabelText();
    if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&")))
        text += ' ';
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    canvas.SetFont(Font());
    const int length = static_cast<int>(text.size());
    if (!Enabled()) {
        OffsetRect(&rect, 1, 1);
        canvas.Font()->SetColor(clBtnHighlight);
        DrawTextA(&canvas, text.c_str(), length, &rect, flags);
        OffsetRect(&rect, -1, -1);
        canvas.Font()->SetColor(clBtnShadow);
        DrawTextA(&canvas, text.c_str(), length, &rect, flags);
    } else {
        DrawTextA(&canvas, text.c_str(), length, &rect, flags);
    }
}

void TCustomLabel::Paint()
{
    TCanvas& canvas = *Canvas();
    if (!Transparent()) {
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(ClientRect());
    }
    canvas.Brush()->SetStyle(bsClear);
    TRect rect = ClientRect();
    const uint32_t style = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | AlignmentFlag(FAlignment);
    if (FLayout != tlTop) {
        TRect calc = rect;
        DoDrawText(canvas, calc, style | DT_CALCRECT);
        const int32_t room = Height() - calc.Bottom;
        OffsetRect(&rect, 0, FLayout == tlBottom ? room : room / 2);
    }
    DoDrawText(canvas, rect, style);
}

void TCustomLabel::AdjustBounds()
{
    if ((ComponentState() & csReading) || !FAutoSize)
        return;
    // Measured as on the screen: a canvas with nothing to draw on but the label's font.
    TBitmap screen(1, 1);
    TCanvas canvas(&screen);
    TRect rect = ClientRect();
    DoDrawText(canvas, rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    int32_t x = Left();
    if (FAlignment == taRightJustify)
        x += Width() - rect.Right;
    SetBounds(x, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CM_TEXTCHANGED:
        Invalidate();
        AdjustBounds();
        break;
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(m);
        AdjustBounds();
        break;
    default:
        TGraphicControl::Dispatch(m);
    }
}
