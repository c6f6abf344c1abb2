#include "platform/controls/Shape.h"

#include <algorithm>

namespace {
const std::vector<std::string> ShapeNames = {"stRectangle", "stSquare",      "stRoundRect",
                                             "stRoundSquare", "stEllipse", "stCircle"};
}

const TClassInfo& TShape::StaticClassInfo()
{
    static const TClassInfo info("TShape", &TGraphicControl::StaticClassInfo(), {
        ObjProp("Brush", &TShape::Brush, &TShape::SetBrush),
        Inherited("DragMode"),
        Inherited("Enabled"),
        ObjProp("Pen", &TShape::Pen, &TShape::SetPen),
        EnumProp("Shape", &TShape::Shape, &TShape::SetShape, ShapeNames, stRectangle),
        Inherited("Visible"),
        Inherited("OnMouseDown"),
        Inherited("OnMouseMove"),
        Inherited("OnMouseUp"),
    }, Creates<TShape>);
    return info;
}

TShape::TShape(TComponent* owner)
    : TGraphicControl(owner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    FControlStyle |= csReplicatable;
    FPen->OnChange = Bind(this, &TShape::StyleChanged);
    FBrush->OnChange = Bind(this, &TShape::StyleChanged);
    SetBounds(0, 0, 65, 65);
}

TShape::~TShape() = default;

void TShape::SetPen(TPen* pen)
{
    if (pen)
        FPen->Assign(pen);
}

void TShape::SetBrush(TBrush* brush)
{
    if (brush)
        FBrush->Assign(brush);
}

void TShape::SetShape(TShapeType v)
{
    StoreAndInvalidate(FShape, v);
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

void TShape::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Pen()->Assign(FPen.get());
    canvas.Brush()->Assign(FBrush.get());
    // The outline lies wholly inside the control, however wide the pen.
    const int32_t penWidth = canvas.Pen()->Width();
    int32_t x = penWidth / 2, y = x;
    int32_t w = Width() - penWidth + 1, h = Height() - penWidth + 1;
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        const int32_t s = std::min(w, h);
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    // Rounded and elliptic shapes are drawn as their bounding rectangle.
    canvas.Rectangle(x, y, x + w, y + h);
}
