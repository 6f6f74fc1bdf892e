// SPDX-License-Identifier: MIT
#include "toolkit/qt/form_window.h"

#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "toolkit/qt/qt_input.h"

#include <QCloseEvent>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

namespace tk {

TFormWindow::TFormWindow(TForm& form)
    : m_form(&form)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TFormWindow::paintEvent(QPaintEvent*)
{
    if (m_form)
        RenderForm();
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

// A message box must not open in the middle of a paint (it would paint this window again from
// its own loop), so a failure while painting is reported once the paint is over.
void TFormWindow::RenderForm()
{
    QSize size(std::max(m_form->Width(), 1), std::max(m_form->Height(), 1));
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_RGB32);
    TCanvas canvas(m_image);
    try {
        m_form->PaintTo(canvas);
    } catch (const std::exception& e) {
        QTimer::singleShot(0, [message = std::string(e.what())] {
            Application().HandleException(std::runtime_error(message));
        });
    }
}

void TFormWindow::mousePressEvent(QMouseEvent* event)
{
    MouseDown(event, false);
}

// Qt reports the second press of a double click as a double click only, as Windows does.
void TFormWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    MouseDown(event, true);
}

void TFormWindow::MouseDown(QMouseEvent* event, bool doubleClick)
{
    TMouseButton button;
    if (!m_form || !ToolkitButton(event->button(), button))
        return;
    QPoint p = event->position().toPoint();
    m_form->DispatchMouseDown(button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y(),
        doubleClick);
}

void TFormWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_form)
        return;
    QPoint p = event->position().toPoint();
    m_form->DispatchMouseMove(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TFormWindow::mouseReleaseEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!m_form || !ToolkitButton(event->button(), button))
        return;
    QPoint p = event->position().toPoint();
    m_form->DispatchMouseUp(button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

// The pointer also leaves for another window, a menu or a drag ended outside; the form hears of it,
// so hover looks follow where the pointer really is.
void TFormWindow::enterEvent(QEnterEvent* event)
{
    if (!m_form)
        return;
    QPoint p = event->position().toPoint();
    m_form->DispatchMouseEnter(p.x(), p.y());
}

void TFormWindow::leaveEvent(QEvent*)
{
    if (m_form)
        m_form->DispatchMouseLeave();
}

void TFormWindow::keyPressEvent(QKeyEvent* event)
{
    if (!m_form)
        return;
    TShiftState shift = ShiftStateOf(event->modifiers(), QGuiApplication::mouseButtons());
    if (unsigned short key = VirtualKeyOf(event->key(), event->modifiers()))
        m_form->DispatchKeyDown(key, shift);
    char typed = 0;
    // The key-down handler may have closed and freed the form.
    if (m_form && TypedChar(event->key(), event->text(), typed))
        m_form->DispatchKeyPress(typed);
}

// The form decides: its OnClose may refuse, and closing the main form ends the program.
void TFormWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_form)
        Application().Guard([this] { m_form->Close(); });
}

// The user may resize a sizeable form; the form takes the new size so that it paints all of it.
void TFormWindow::resizeEvent(QResizeEvent* event)
{
    if (!m_form || !event->spontaneous() || m_form->BorderStyle() != bsSizeable)
        return;
    QSize size = event->size();
    if (size.width() != m_form->Width() || size.height() != m_form->Height())
        m_form->SetBounds(m_form->Left(), m_form->Top(), size.width(), size.height());
}

}
