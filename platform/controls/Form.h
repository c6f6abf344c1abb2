#pragma once
// TForm: a top-level window. Its client area is a back buffer that the form paints (its colour,
// then every visible control in stacking order) and the host shows. The host feeds it input
// through the Host... entry points; each one dispatches messages, and an exception escaping
// them is reported by the application, after which the form goes on.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/WinApi.h"
#include "platform/controls/WinControl.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm;

// The control under a screen point: the topmost visible control (disabled ones too with
// allowDisabled) of the topmost shown form there, else that form; nullptr off every form.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
// Every form in existence, in creation order.
const std::vector<TForm*>& ScreenForms();

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Reads the form's own description (from a derived form's constructor): controls, menus
    // and dialogs are created from it and its handlers bound through Methods().
    void LoadDescription(std::string_view text);

    // Left and Top are the outer window's position on the screen; Width and Height are the
    // client size (the back buffer's).
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
    void SetClientWidth(int32_t v) { SetBounds(Left(), Top(), v, Height()); }
    void SetClientHeight(int32_t v) { SetBounds(Left(), Top(), Width(), v); }
    TPoint ClientOrigin() const override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v);
    // The shell's drop registration (DragAcceptFiles).
    bool AcceptsFiles() const { return FAcceptsFiles; }
    void SetAcceptsFiles(bool v) { FAcceptsFiles = v; }
    HWND Handle() { return this; }

    // The client area's pixels as last painted, and a canvas over all of them.
    TBitmap* BackBuffer() { return &FBackBuffer; }
    TCanvas* Canvas() { return &FCanvas; }

    // Shows or hides the window (Visible); Close asks OnCloseQuery, runs OnClose and hides the
    // form; closing the main form ends the application's loop.
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void Close();
    bool Showing() const override { return Visible(); }

    void Invalidate() override;
    void Repaint() override;
    void InvalidateRect(const TRect& area) override;
    void PaintRect(const TRect& area, TControl* from) override;
    void PaintPending() override;
    // The part of the client area marked for the next paint cycle (empty when none).
    TRect InvalidRect() const { return FInvalid; }
    // The form's own drawing, after its background and before its controls; raises OnPaint.
    virtual void Paint();

    // The control the pointer was last reported over (the form itself when none).
    TControl* MouseControl() const { return FMouseControl; }

    TNotifyEvent OnPaint;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // ---- Entry points for the host. Positions are client coordinates. ----
    void HostMouseMove(TShiftState shift, int x, int y);
    void HostMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    // The second press of a double click.
    void HostMouseDoubleClick(TMouseButton button, TShiftState shift, int x, int y);
    void HostMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The pointer left the window.
    void HostMouseLeave();
    void HostMouseWheel(TShiftState shift, int delta, int x, int y);
    // A key went down: offered to the popup menu's shortcuts first, then OnKeyDown.
    void HostKeyDown(uint16_t key, TShiftState shift);
    void HostKeyUp(uint16_t key, TShiftState shift);
    // A character: offered to the controls as CM_DIALOGCHAR (accelerators), then OnKeyPress.
    void HostKeyPress(char key);
    // Files dropped at a point: WM_DROPFILES through Dispatch. false when the form does not
    // accept files. The drop handle is released afterwards if the handler did not.
    bool HostDropFiles(const std::vector<std::string>& paths, TPoint point);
    // The user asked to close the window.
    void HostClose();
    // The host's paint cycle: paints what is marked and presents it.
    void HostPaint();
    // Where the window is: its outer top-left on the screen, and the client area's offset in it.
    void HostMoved(int32_t left, int32_t top);
    void HostFrameOffset(TPoint offset);

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Dispatch(TMessage& message) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    // Sends a message to a control, reporting an escaping exception.
    void Deliver(TControl* target, TMessage& message);
    void MouseMessage(uint32_t msg, TShiftState shift, int x, int y);
    void TrackMouseControl(int x, int y);
    void Present(const TRect& area);
    // Shows or hides the native window to match Visible (not while loading).
    void SyncHostVisibility();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    bool FAcceptsFiles = false;
    bool FShown = false;       // the host shows the window
    bool FHostKnows = false;   // the host has had the window at least once
    bool FHostMoving = false;
    TPoint FFrameOffset;
    TBitmap FBackBuffer;
    TCanvas FCanvas;
    TRect FInvalid;
    TControl* FMouseControl = nullptr;
};
