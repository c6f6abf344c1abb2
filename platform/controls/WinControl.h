#pragma once
// TWinControl: a control that holds other controls. Its controls are kept in creation order,
// which is the stacking order: each later one lies over the earlier ones.
#include <vector>

#include "platform/controls/Control.h"

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
    int IndexOfControl(const TControl* control) const;
    // Adds on top of the stacking order / takes out; SetParent does both.
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Moves a control to a place in the stacking order (0 = bottom).
    void SetChildOrder(TControl* control, int order);

    // Sends the message to each control in turn until one sets a nonzero result.
    void Broadcast(TMessage& message);
    // Sends the message to every control.
    void NotifyControls(uint32_t msg);
    // The topmost visible control whose rectangle holds pos (client coordinates) and that
    // answers CM_HITTEST; disabled controls only with allowDisabled.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled) const;

    // Visible, and so is everything it lies on.
    virtual bool Showing() const;

    // Marks part of the client area for the next paint cycle.
    virtual void InvalidateRect(const TRect& area);
    // Paints part of the client area at once; with from, only that control and the ones
    // above it.
    virtual void PaintRect(const TRect& area, TControl* from);
    // Paints whatever is marked.
    virtual void PaintPending();

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Dispatch(TMessage& message) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TControl*> FControls;
};
