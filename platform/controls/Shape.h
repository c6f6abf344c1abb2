#pragma once
// TShape: a rectangle (or another simple shape) outlined with its pen and filled with its brush.
#include <memory>

#include "platform/controls/GraphicControl.h"

enum TShapeType : uint8_t { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* owner);
    ~TShape() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    // Copy into the shape's own pen and brush.
    void SetPen(TPen* pen);
    void SetBrush(TBrush* brush);
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType v);

    void Paint() override;

private:
    void StyleChanged(TObject* sender);

    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TShapeType FShape = stRectangle;
};
