#include "app/site_window_opener.h"

#include "app/message_box.h"
#include "app/site_window.h"
#include "app/url_opener.h"

#include <QPointer>

void open_site_window()
{
    static MessageBoxPresenter presenter;
    static DesktopUrlOpener opener;
    static QPointer<SiteWindow> open_window;

    if (open_window) {
        if (open_window->isMinimized())
            open_window->setWindowState(open_window->windowState() & ~Qt::WindowMinimized);
        open_window->show();
        open_window->raise();
        open_window->activateWindow();
        return;
    }
    open_window = new SiteWindow(presenter, opener);
    open_window->show();
    open_window->activateWindow();
}
