#pragma once

#include "probe/main_controls.h"

#include <memory>

// Starts one detached worker thread that runs one PING for a click. Nothing
// keeps, joins or counts it; if no thread can be made, nothing happens.
void start_ping_worker(std::shared_ptr<MainControls> controls);
