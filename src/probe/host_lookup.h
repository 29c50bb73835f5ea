#pragma once

#include "text/gbk_text.h"

// The first IPv4 address the system's resolver gives for `name`, as dotted
// text; a dotted address comes back as it is; the empty Text when nothing is
// found. Safe to call from any number of threads at once.
Text lookup_host(const Text& name);
