#include "app/outer_size.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

OuterSize::OuterSize(QWidget* window, QSize outer) : QObject(window), window_(window), outer_(outer)
{
    window_->installEventFilter(this);
    fit();
}

void OuterSize::set_outer_height(int height)
{
    outer_.setHeight(height);
    fit();
}

void OuterSize::centre_on_screen()
{
    const QScreen* screen = window_->screen();
    if (screen == nullptr)
        return;
    const QSize screen_size = screen->geometry().size();
    window_->move((screen_size.width() - outer_.width()) / 2, (screen_size.height() - outer_.height()) / 2);
}

bool OuterSize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
        case QEvent::WindowActivate:
            fit();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void OuterSize::fit()
{
    const QWindow* handle = window_->windowHandle();
    const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
    const QSize client(outer_.width() - frame.left() - frame.right(),
                       outer_.height() - frame.top() - frame.bottom());
    if (client.isValid() && window_->size() != client)
        window_->setFixedSize(client);
}

void set_always_on_top(QWidget* window, bool on)
{
    // QWidget::setWindowFlags would hide the window to recreate it; the
    // handle's own flags change the window manager's state in place.
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    window->overrideWindowFlags(flags);
    if (QWindow* handle = window->windowHandle())
        handle->setFlags(flags);
}
