#pragma once

#include <QObject>
#include <QSize>

class QWidget;

// Keeps a fixed-border window at an outer size that includes the title bar
// and borders. The window manager tells the frame only once the window is
// mapped, so the client size is fitted again whenever the frame changes.
// Resizing keeps the window's top-left corner.
class OuterSize : public QObject {
    Q_OBJECT
public:
    OuterSize(QWidget* window, QSize outer);

    QSize outer() const { return outer_; }
    void set_outer_height(int height);

    // Moves the frame's top-left corner so that the outer size stands in the
    // middle of the screen (integer division, screen size in pixels).
    void centre_on_screen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();

    QWidget* window_;
    QSize outer_;
};

// Sets or clears always-on-top on a shown window without hiding, moving,
// resizing or activating it.
void set_always_on_top(QWidget* window, bool on);
