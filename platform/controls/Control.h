#pragma once
// TControl: a rectangle on a parent that paints, takes mouse input and handles messages.
// Everything that happens to it arrives through Perform -> WndProc -> Dispatch, so a derived
// class can take any message by overriding Dispatch (its message map) and passing the rest on.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "platform/classes/Component.h"
#include "platform/controls/Messages.h"
#include "platform/core/Color.h"
#include "platform/graphics/GraphicsObjects.h"

class TBitmap;
class TCanvas;
class TForm;
class TPopupMenu;
class TWinControl;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// The modifier keys and mouse buttons held, plus the double-click mark; flag n is bit n.
enum TShiftFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(std::initializer_list<TShiftFlag> flags)
    {
        for (TShiftFlag f : flags)
            FBits = static_cast<uint8_t>(FBits | (1u << f));
    }
    static constexpr TShiftState FromBits(uint32_t bits)
    {
        TShiftState s;
        s.FBits = static_cast<uint8_t>(bits & 0x7F);
        return s;
    }
    constexpr bool Contains(TShiftFlag f) const { return FBits & (1u << f); }
    constexpr TShiftState& operator<<(TShiftFlag f) { FBits = static_cast<uint8_t>(FBits | (1u << f)); return *this; }
    constexpr TShiftState& operator>>(TShiftFlag f) { FBits = static_cast<uint8_t>(FBits & ~(1u << f)); return *this; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint8_t Bits() const { return FBits; }
    constexpr bool operator==(const TShiftState&) const = default;

private:
    uint8_t FBits = 0;
};

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// Control style: what the base classes do for a control by themselves.
using TControlStyle = uint32_t;
constexpr TControlStyle csAcceptsControls = 1u << 0;
constexpr TControlStyle csCaptureMouse = 1u << 1;   // a left press captures the mouse until released
constexpr TControlStyle csClickEvents = 1u << 3;    // the base raises Click and DblClick
constexpr TControlStyle csFramed = 1u << 4;
constexpr TControlStyle csSetCaption = 1u << 5;     // a new name is copied into a caption equal to the old one
constexpr TControlStyle csOpaque = 1u << 6;         // paints all of its rectangle
constexpr TControlStyle csDoubleClicks = 1u << 7;   // gets WM_LBUTTONDBLCLK instead of a second press
constexpr TControlStyle csFixedWidth = 1u << 8;
constexpr TControlStyle csFixedHeight = 1u << 9;
constexpr TControlStyle csReplicatable = 1u << 11;
constexpr TControlStyle csNoStdEvents = 1u << 12;   // no MouseDown/MouseMove/MouseUp from mouse messages

using TControlState = uint32_t;
constexpr TControlState csLButtonDown = 1u << 0;
constexpr TControlState csClicked = 1u << 1;

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TDragMode : uint8_t { dmManual, dmAutomatic };

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Position and size in the parent's client coordinates.
    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetLeft(int32_t v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int32_t v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int32_t v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int32_t v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    // (0, 0, Width, Height).
    virtual TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }
    int32_t ClientWidth() const { return ClientRect().Width(); }
    int32_t ClientHeight() const { return ClientRect().Height(); }
    // Where client (0, 0) lies on the screen.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);

    // The caption (code page 932); CM_TEXTCHANGED follows a change.
    const std::string& Caption() const { return FText; }
    void SetCaption(const std::string& text);
    const std::string& Text() const { return FText; }
    void SetText(const std::string& text) { SetCaption(text); }

    // Colour and font; while ParentColor / ParentFont is true they follow the parent's.
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TFont* Font() const { return FFont.get(); }
    // Copies the given font into the control's own (nullptr is ignored).
    void SetFont(TFont* font);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);

    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode v) { FDragMode = v; }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle v) { FControlStyle = v; }
    TControlState ControlState() const { return FControlState; }

    // The capture: while a control holds it, every mouse message of its form goes to it.
    bool MouseCapture() const;
    void SetMouseCapture(bool v);

    // Invalidate marks the control for the next paint cycle; Repaint paints it before returning;
    // Update paints whatever of the form is marked.
    virtual void Invalidate();
    virtual void Repaint();
    void Update();
    void Refresh() { Repaint(); }

    // Stacking among the parent's controls.
    void BringToFront();
    void SendToBack();

    // Sends a message to the control at once and returns its result.
    intptr_t Perform(uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0);
    // Every message passes here; the base turns double clicks into presses for controls
    // without csDoubleClicks, then calls Dispatch.
    virtual void WndProc(TMessage& message);
    // The message map: handles what the class knows, passes the rest to the base class.
    virtual void Dispatch(TMessage& message);
    // Messages nobody handled end here.
    virtual void DefaultHandler(TMessage& message);

    // Called by the form to draw the control onto its back buffer: canvas (0, 0) at origin,
    // drawing limited to clip (both in back-buffer coordinates).
    virtual void PaintControl(TBitmap* surface, TPoint origin, const TRect& clip);

    // Raise the events; the mouse methods are called from the mouse messages.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int X, int Y);
    virtual void MouseMove(TShiftState shift, int X, int Y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int X, int Y);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;

    // Form description structure: a control is written inside its parent.
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void SetName(const std::string& name) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    // A setter's usual work: a different value is stored and the control repainted.
    template <class T>
    void StoreAndInvalidate(T& field, const T& value)
    {
        if (StoreChanged(field, value))
            Invalidate();
    }
    // Invalidates the control's rectangle on the parent when isVisible.
    void InvalidateControl(bool isVisible);
    bool IsColorStored() const { return !FParentColor; }
    bool IsFontStored() const { return !FParentFont; }
    // The font's change hook: ParentFont becomes false and CM_FONTCHANGED follows.
    virtual void FontChanged(TObject* sender);

    // Handlers of the base message map.
    void WMMouseMove(TMessage& m);
    void WMLButtonDown(TMessage& m);
    void WMLButtonDblClk(TMessage& m);
    void WMLButtonUp(TMessage& m);
    void WMButtonDown(TMessage& m, TMouseButton button, bool doubleClick);
    void WMButtonUp(TMessage& m, TMouseButton button);
    void WMContextMenu(TMessage& m);
    void CMEnabledChanged(TMessage& m);
    void CMVisibleChanged(TMessage& m);
    void CMColorChanged(TMessage& m);
    void CMFontChanged(TMessage& m);
    void CMParentColorChanged(TMessage& m);
    void CMParentFontChanged(TMessage& m);
    void CMHitTest(TMessage& m);
    void CMMouseEnter(TMessage& m);
    void CMMouseLeave(TMessage& m);
    void CMSysColorChange(TMessage& m);

    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState FControlState = 0;

private:
    friend class TWinControl;

    TWinControl* FParent = nullptr;
    int32_t FLeft = 0;
    int32_t FTop = 0;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    TPopupMenu* FPopupMenu = nullptr;
    TDragMode FDragMode = dmManual;
};

// The control holding the capture, if any.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
// The form a control lies on (itself for a form), or nullptr.
TForm* GetParentForm(const TControl* control);
