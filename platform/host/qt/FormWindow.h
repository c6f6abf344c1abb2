#pragma once
// The desktop window of one form: it shows the form's back buffer and passes the user's input
// to the form's entry points. It decides nothing; the form does.
#include <QWidget>

#include "platform/core/Types.h"

class TForm;
class TKeyStates;

class TFormWindow : public QWidget {
public:
    TFormWindow(TForm* form, TKeyStates& keys);

    TForm* Form() const { return FForm; }
    // The form is going: from now on the window passes nothing on.
    void Detach() { FForm = nullptr; }

    // Takes over the form's caption, style, client size and position.
    void ApplyForm();
    // Paints what the form has marked, at the next cycle.
    void SchedulePaint();
    // Shows this part of the back buffer now.
    void Present(const TRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    Qt::WindowFlags FlagsForForm() const;
    void PassMouseMove(QPointF position, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
    bool AcceptFileDrag(QDropEvent* event);

    TForm* FForm;
    TKeyStates& FKeys;
    bool FPaintScheduled = false;
    bool FApplying = false;
};
