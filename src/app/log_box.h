#pragma once

class QPlainTextEdit;
class QString;

// Adds text at the end of the log box: the caret ends after it and the view
// follows the end. Any selection the user had is lost; what the user typed
// stays.
void append_to_log_box(QPlainTextEdit* log, const QString& text);
