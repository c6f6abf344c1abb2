#include "platform/host/qt/FormWindow.h"

#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <optional>

#include "platform/controls/Form.h"
#include "platform/core/Cp932.h"
#include "platform/host/qt/Dialogs.h"
#include "platform/host/qt/KeyMap.h"
#include "platform/host/qt/KeyStates.h"

namespace {

std::optional<TMouseButton> ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return mbLeft;
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return std::nullopt;
    }
}

TShiftState ShiftOf(const QSinglePointEvent* event) { return ShiftStateOf(event->modifiers(), event->buttons()); }

// The local files of a drop, in the order the file manager lists them; other addresses are
// left out. Paths as the file system's bytes.
std::vector<std::string> LocalPaths(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data)
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    return paths;
}

} // namespace

TFormWindow::TFormWindow(TForm* form, TKeyStates& keys) : FForm(form), FKeys(keys)
{
    setAttribute(Qt::WA_OpaquePaintEvent);  // the back buffer covers every pixel
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    ApplyForm();
}

Qt::WindowFlags TFormWindow::FlagsForForm() const
{
    // A normal window, so that it keeps its taskbar entry; the border styles differ only in
    // their buttons. The client size is the form's, never the user's.
    Qt::WindowFlags flags = Qt::Window;
    switch (FForm->BorderStyle()) {
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case bsSingle:
    case bsSizeable:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMinimizeButtonHint;
        break;
    case bsDialog:
    case bsToolWindow:
    case bsSizeToolWin:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    }
    if (FForm->FormStyle() == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

void TFormWindow::ApplyForm()
{
    if (!FForm)
        return;
    FApplying = true;
    const Qt::WindowFlags flags = FlagsForForm();
    if (windowFlags() != flags) {
        const bool shown = isVisible();
        setWindowFlags(flags);  // hides the window
        if (shown)
            show();
    }
    setWindowTitle(FromCp932(FForm->Caption()));
    setFixedSize(FForm->Width(), FForm->Height());
    move(FForm->Left(), FForm->Top());  // the outer window's top-left, frame included
    FApplying = false;
}

void TFormWindow::SchedulePaint()
{
    if (FPaintScheduled)
        return;
    FPaintScheduled = true;
    QMetaObject::invokeMethod(this, [this] {
        FPaintScheduled = false;
        if (FForm)
            FForm->HostPaint();
    }, Qt::QueuedConnection);
}

void TFormWindow::Present(const TRect& area)
{
    if (isVisible())
        repaint(QRect(area.Left, area.Top, area.Width(), area.Height()));
}

void TFormWindow::paintEvent(QPaintEvent*)
{
    if (!FForm)
        return;
    TBitmap* buffer = FForm->BackBuffer();
    if (buffer->Width() <= 0 || buffer->Height() <= 0 || buffer->BitsPerPixel() != 32)
        return;
    // The rows already are 0x00RRGGBB words: shown where they lie, without a copy. Above a
    // device pixel ratio of 1 the picture is scaled up, smoothly rather than in blocks.
    const QImage picture(buffer->ScanLine(0), buffer->Width(), buffer->Height(), buffer->BytesPerLine(),
                         QImage::Format_RGB32);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() > 1.0);
    painter.drawImage(QPoint(0, 0), picture);
}

// ---------------------------------------------------------------- pointer and keys

void TFormWindow::PassMouseMove(QPointF position, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    const QPoint p = position.toPoint();
    FForm->HostMouseMove(ShiftStateOf(modifiers, buttons), p.x(), p.y());
}

void TFormWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (FForm)
        PassMouseMove(event->position(), event->modifiers(), event->buttons());
}

void TFormWindow::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (auto button = ButtonOf(event->button()); button && FForm)
        FForm->HostMouseDown(*button, ShiftOf(event), p.x(), p.y());
}

void TFormWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (auto button = ButtonOf(event->button()); button && FForm)
        FForm->HostMouseDoubleClick(*button, ShiftOf(event), p.x(), p.y());
}

void TFormWindow::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (auto button = ButtonOf(event->button()); button && FForm)
        FForm->HostMouseUp(*button, ShiftOf(event), p.x(), p.y());
}

void TFormWindow::leaveEvent(QEvent*)
{
    if (FForm)
        FForm->HostMouseLeave();
}

void TFormWindow::wheelEvent(QWheelEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (FForm)
        FForm->HostMouseWheel(ShiftOf(event), event->angleDelta().y(), p.x(), p.y());
}

void TFormWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = VirtualKeyOf(event->key(), event->modifiers() & Qt::KeypadModifier);
    const TShiftState shift = ShiftStateOf(event->modifiers(), QGuiApplication::mouseButtons());
    if (key != 0) {
        FKeys.KeyDown(key);
        if (FForm)
            FForm->HostKeyDown(static_cast<uint16_t>(key), shift);
    }
    // The typed characters follow the key, as code page 932 bytes. Ctrl with a key types
    // nothing here: its control characters would only reach the controls as stray keys.
    if (event->modifiers() & Qt::ControlModifier)
        return;
    for (char ch : Utf8ToCp932(event->text().toStdString()))
        if (FForm)
            FForm->HostKeyPress(ch);
}

void TFormWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;  // a held key repeats its presses only
    const int key = VirtualKeyOf(event->key(), event->modifiers() & Qt::KeypadModifier);
    if (key == 0)
        return;
    FKeys.KeyUp(key);
    if (FForm)
        FForm->HostKeyUp(static_cast<uint16_t>(key), ShiftStateOf(event->modifiers(), QGuiApplication::mouseButtons()));
}

void TFormWindow::focusOutEvent(QFocusEvent*)
{
    // Releases are not seen once the focus is elsewhere.
    FKeys.Clear();
}

// ---------------------------------------------------------------- the window itself

void TFormWindow::closeEvent(QCloseEvent* event)
{
    // The form decides: it hides itself, or ends the program.
    event->ignore();
    if (FForm)
        FForm->HostClose();
}

void TFormWindow::moveEvent(QMoveEvent*)
{
    if (!FForm || FApplying)
        return;
    const QPoint frame = pos();
    FForm->HostFrameOffset({geometry().x() - frame.x(), geometry().y() - frame.y()});
    FForm->HostMoved(frame.x(), frame.y());
}

// ---------------------------------------------------------------- file drops

// Takes a drag that brings local files, as a copy: the file manager must never take the drop
// for a move and delete the files.
bool TFormWindow::AcceptFileDrag(QDropEvent* event)
{
    if (!FForm || !FForm->AcceptsFiles() || LocalPaths(event->mimeData()).empty() ||
        !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void TFormWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (AcceptFileDrag(event))
        PassMouseMove(event->position(), event->modifiers(), event->buttons());
}

void TFormWindow::dragMoveEvent(QDragMoveEvent* event)
{
    // While files are dragged across, the controls under the pointer see it move.
    if (AcceptFileDrag(event))
        PassMouseMove(event->position(), event->modifiers(), event->buttons());
}

void TFormWindow::dragLeaveEvent(QDragLeaveEvent*)
{
    if (FForm)
        FForm->HostMouseLeave();
}

void TFormWindow::dropEvent(QDropEvent* event)
{
    if (!AcceptFileDrag(event))
        return;
    // The files reach the form once the drag is over and the file manager is free again, so
    // that a message box about a bad picture does not hold up the drag.
    std::vector<std::string> paths = LocalPaths(event->mimeData());
    const QPoint p = event->position().toPoint();
    QMetaObject::invokeMethod(this, [this, paths = std::move(paths), p] {
        if (FForm)
            FForm->HostDropFiles(paths, {p.x(), p.y()});
    }, Qt::QueuedConnection);
}
