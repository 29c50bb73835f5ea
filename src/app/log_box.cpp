#include "app/log_box.h"

#include <QPlainTextEdit>
#include <QTextCursor>

void append_to_log_box(QPlainTextEdit* log, const QString& text)
{
    QTextCursor end(log->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    log->setTextCursor(end);
    log->ensureCursorVisible();
}
