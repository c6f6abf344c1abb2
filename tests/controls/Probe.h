#pragma once
// A graphic control that logs what reaches it and fills itself with one colour.
#include <string>
#include <vector>

#include "platform/controls/GraphicControl.h"

class TProbe : public TGraphicControl {
public:
    explicit TProbe(TComponent* owner) : TGraphicControl(owner) { FControlStyle |= csOpaque; }

    void Dispatch(TMessage& m) override
    {
        switch (m.Msg) {
        case CM_MOUSEENTER: Log.push_back("enter"); break;
        case CM_MOUSELEAVE: Log.push_back("leave"); break;
        case WM_LBUTTONDBLCLK: Log.push_back("dblclk message"); break;
        default: break;
        }
        TGraphicControl::Dispatch(m);
    }
    void MouseDown(TMouseButton button, TShiftState shift, int X, int Y) override
    {
        Log.push_back(Pos("down", X, Y) + (shift.Contains(ssDouble) ? " double" : ""));
        TGraphicControl::MouseDown(button, shift, X, Y);
    }
    void MouseMove(TShiftState shift, int X, int Y) override
    {
        Log.push_back(Pos("move", X, Y));
        TGraphicControl::MouseMove(shift, X, Y);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int X, int Y) override
    {
        Log.push_back(Pos("up", X, Y));
        TGraphicControl::MouseUp(button, shift, X, Y);
    }
    void Click() override
    {
        Log.push_back("click");
        TGraphicControl::Click();
    }
    void DblClick() override
    {
        Log.push_back("dblclick");
        TGraphicControl::DblClick();
    }
    // Fills far beyond its rectangle and marks its own top-left pixel: what shows is clipped to
    // the control and placed at its position.
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect({-1000, -1000, 1000, 1000});
        Canvas()->SetPixel(0, 0, clBlack);
    }

    std::vector<std::string> Log;
    TColor Fill = clLime;
    int Paints = 0;

private:
    static std::string Pos(const char* what, int X, int Y)
    {
        return std::string(what) + " " + std::to_string(X) + "," + std::to_string(Y);
    }
};
