#pragma once
// TShineBtnColors: the colours of one look of the shine speed button (face, optional gradient,
// three frame colours), and ColorToPixel for writing colours into 32-bit bitmaps.
#include <cstdint>

#include "platform/classes/TypInfo.h"
#include "platform/core/Color.h"
#include "platform/core/Persistent.h"

class TShineBtnColors : public TPersistent {
public:
    TShineBtnColors();
    ~TShineBtnColors() override;

    // Published: Highlight, Shadow, DarkShadow, GradColor, GradVertical, Gradation, Color.
    static const TClassInfo& StaticClassInfo();
    std::string ClassName() const override { return "TShineBtnColors"; }
    // Copies all seven colours from another set. OnChange runs twice: once from the source's
    // AssignTo and once here, even when nothing changed.
    void Assign(TPersistent* source) override;

    TColor Color() const { return FColor; }
    TColor Highlight() const { return FHighlight; }
    TColor Shadow() const { return FShadow; }
    TColor DarkShadow() const { return FDarkShadow; }
    TColor GradColor() const { return FGradColor; }
    bool GradVertical() const { return FGradVertical; }
    bool Gradation() const { return FGradation; }

    void SetColor(TColor value);
    void SetHighlight(TColor value);
    void SetShadow(TColor value);
    void SetDarkShadow(TColor value);
    void SetGradColor(TColor value);
    void SetGradVertical(bool value);
    void SetGradation(bool value);

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    template <class T>
    void Store(T& field, T value);
    void CopyValuesTo(TShineBtnColors& dest) const;

    TColor FColor = clBtnFace;
    TColor FHighlight = clBtnHighlight;
    TColor FShadow = clBtnShadow;
    TColor FDarkShadow = clWindowFrame;
    TColor FGradColor = clBlue;
    bool FGradVertical = false;
    bool FGradation = false;
};

// The 32-bit bitmap pixel (0x00RRGGBB) of a colour; system colours take their current value.
uint32_t ColorToPixel(TColor color);
