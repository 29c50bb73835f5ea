#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

// The text a control shows the user, whatever kind of control it is.
inline QString shown_text(const QWidget* control)
{
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* line = qobject_cast<const QLineEdit*>(control))
        return line->text();
    if (auto* log = qobject_cast<const QPlainTextEdit*>(control))
        return log->toPlainText();
    return {};
}
