#pragma once

#include "text/gbk_text.h"

// Hands a URL to whatever shows it, as a rule the default web browser,
// without waiting for it.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open_url_in_browser(const Text& url) = 0;
};

// The desktop's URL opener (xdg-open on Linux), never through a shell.
class DesktopUrlOpener final : public UrlOpener {
public:
    void open_url_in_browser(const Text& url) override;
};
