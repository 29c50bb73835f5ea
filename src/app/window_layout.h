#pragma once

#include "text/gbk_text.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>

class OuterSize;
class QWidget;

// What both windows' fixed layouts are built with.

// Names a control after its place in the layout and puts it there.
template <typename Control>
Control* place(Control* control, const char* name, QRect geometry)
{
    control->setObjectName(QString::fromUtf8(name));
    control->setGeometry(geometry);
    return control;
}

void set_colour(QWidget* control, QPalette::ColorRole role, QColor colour);

// Makes `window` a top-level window of a fixed outer size, centred, with its
// caption and icon, closed by Esc from any control and destroyed on close.
OuterSize* set_up_fixed_window(QWidget* window, const Text& caption, const QString& icon, QSize outer);
