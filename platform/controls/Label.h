#pragma once
// The label: a caption drawn with the control's font. While AutoSize is true the label takes
// the size of its caption whenever the caption, the font, WordWrap or AutoSize changes, and
// once after a form description has been loaded (never while one is being read).
#include "platform/controls/GraphicControl.h"

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    // Transparent: no background, the parent shows through (the control is then not opaque).
    bool Transparent() const { return !(FControlStyle & csOpaque); }
    void SetTransparent(bool v);

    // The text drawn: the caption.
    virtual std::string GetLabelText() const { return Caption(); }

    // Fills the background unless transparent, then the caption in the layout's place.
    void Paint() override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;

protected:
    // Draws (or with DT_CALCRECT measures) the label text into rect on the canvas with the
    // label's font; a disabled label in the system's highlight and shadow colours. An empty
    // text, or a lone "&" while ShowAccelChar, is measured with a space appended.
    virtual void DoDrawText(TCanvas& canvas, TRect& rect, uint32_t flags);
    // The auto-size rule.
    virtual void AdjustBounds();

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
