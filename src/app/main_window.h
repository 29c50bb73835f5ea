#pragma once

#include <QWidget>

#include <memory>

class MainWindowControls;
class OuterSize;
class QCheckBox;

// The main window: a host:port box, the PING button with its status line and
// log, and the two check boxes that switch continuous mode and always on top.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kOuterSize{325, 140};
    static constexpr int kContinuousHeight = 297;

    MainWindow();
    ~MainWindow() override;

    // The layer through which PING workers reach this window's controls.
    std::shared_ptr<MainWindowControls> controls() const { return controls_; }
    int outer_height() const;

private:
    void start_ping_worker();
    void apply_continuous_mode();
    void apply_front_display();

    QCheckBox* continuous_box_ = nullptr; // 选择框1
    QCheckBox* front_box_ = nullptr;      // 选择框2
    OuterSize* outer_size_ = nullptr;
    std::shared_ptr<MainWindowControls> controls_;
};
