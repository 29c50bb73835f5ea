#pragma once

#include "text/gbk_text.h"

#include <QString>

// The control boundary: Text is GBK inside the program, widgets hold Unicode.
// A character that GBK cannot hold becomes "?".
QString to_qstring(const Text& text);
Text to_text(const QString& text);
