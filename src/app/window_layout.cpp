#include "app/window_layout.h"

#include "app/outer_size.h"
#include "app/text_codec.h"

#include <QIcon>
#include <QShortcut>
#include <QWidget>

void set_colour(QWidget* control, QPalette::ColorRole role, QColor colour)
{
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}

OuterSize* set_up_fixed_window(QWidget* window, const Text& caption, const QString& icon, QSize outer)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(to_qstring(caption));
    window->setWindowIcon(QIcon(icon));

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);

    auto* outer_size = new OuterSize(window, outer);
    outer_size->centre_on_screen();
    return outer_size;
}
