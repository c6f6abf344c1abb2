#pragma once
// TShadowLabel: a label whose caption is drawn over a shadow copy and a highlight copy of
// itself, optionally with colour-graded characters, a gradient background, an ellipsis, and
// through an off-screen buffer so that the layers never show one by one.
#include <cstdint>
#include <memory>

#include "controls/ShadoLbl/Shadow.h"
#include "platform/controls/Label.h"

// How text that does not fit is shortened.
enum TEllipsis : uint8_t { elNone, elEnd, elPath };
// Whether the caption's characters run from Font.Color to TextGradationColor (tg2Colors), or
// through TextMidColor on the way (tg3Colors).
enum TTextGradation : uint8_t { tgNone, tg2Colors, tg3Colors };

class TShadowLabel : public TLabel {
public:
    explicit TShadowLabel(TComponent* owner);
    ~TShadowLabel() override;

    // Published after the label's own: Ellipsis, Flickerless, GradateVert, Gradation,
    // GradationColor, Highlight, Shadow, TextGradation, TextGradationColor, TextMidColor.
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TEllipsis Ellipsis() const { return FEllipsis; }
    void SetEllipsis(TEllipsis value);
    // Read by the next paint; changing it repaints nothing.
    bool Flickerless() const { return FFlickerless; }
    void SetFlickerless(bool value) { FFlickerless = value; }
    bool GradateVert() const { return FGradateVert; }
    void SetGradateVert(bool value);
    bool Gradation() const { return FGradation; }
    void SetGradation(bool value);
    TColor GradationColor() const { return FGradationColor; }
    void SetGradationColor(TColor value);
    // The owned settings objects. Setting one copies the given object's values into the owned
    // one (nullptr is ignored); the label never keeps the given object.
    TShadow* Highlight() const { return FHighlight.get(); }
    void SetHighlight(TShadow* value);
    TShadow* Shadow() const { return FShadow.get(); }
    void SetShadow(TShadow* value);
    TTextGradation TextGradation() const { return FTextGradation; }
    void SetTextGradation(TTextGradation value);
    TColor TextGradationColor() const { return FTextGradationColor; }
    void SetTextGradationColor(TColor value);
    TColor TextMidColor() const { return FTextMidColor; }
    void SetTextMidColor(TColor value);

    void Paint() override;

private:
    // Repaints after any change of the shadow or highlight settings.
    void ShadowChanged(TObject* sender);
    void CopyInto(TShadow& owned, TShadow* value);

    // The pieces of Paint.
    std::string PaintText() const;
    uint32_t PaintFlags() const;
    void PaintBackground(TCanvas& canvas, TBitmap* buffer);
    TRect PlacedTextRect(TCanvas& canvas, const std::string& text, uint32_t flags);
    void DrawMainText(TCanvas& canvas, const std::string& text, TRect textRect, uint32_t flags, TColor textColor);

    TEllipsis FEllipsis = elNone;
    bool FFlickerless = true;
    bool FGradateVert = false;
    bool FGradation = false;
    TColor FGradationColor = clBlue;
    std::unique_ptr<TShadow> FHighlight;
    std::unique_ptr<TShadow> FShadow;
    TTextGradation FTextGradation = tgNone;
    TColor FTextGradationColor = clMaroon;
    TColor FTextMidColor = clNavy;
};
