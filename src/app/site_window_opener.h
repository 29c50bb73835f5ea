#pragma once

// Opens the site window from its layout, or, when it is open already,
// restores it from the taskbar or brings it to the front. One at most.
void open_site_window();
