#pragma once

#include "text/gbk_text.h"

// Shows a message to the user. In the application this is a message box with
// one OK button, and show_message returns only when the user dismisses it.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void show_message(const Text& text) = 0;

protected:
    MessagePresenter() = default;
    MessagePresenter(const MessagePresenter&) = default;
    MessagePresenter& operator=(const MessagePresenter&) = default;
};
