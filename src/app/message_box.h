#pragma once

#include "sitecheck/message_presenter.h"

// Shows a text in a box with one OK button and the caption "信息：", owned by
// no window, and blocks every window of the program until it is dismissed.
class MessageBoxPresenter final : public MessagePresenter {
public:
    void show_message(const Text& text) override;
};
