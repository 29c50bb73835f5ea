#pragma once

#include <QWidget>

#include <memory>

class LivenessCheck;
class MessagePresenter;
class QLineEdit;
class SiteClient;
class UrlOpener;

// The site window: checks whether a web site answers on port 80 and opens an
// outside speed-test page for it.
class SiteWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kOuterSize{392, 292};

    // The presenter shows verdicts, the opener hands URLs to the browser; the
    // port is 80 but for tests.
    SiteWindow(MessagePresenter& presenter, UrlOpener& opener, int site_port = 80);
    ~SiteWindow() override;

private:
    void on_check_site_click();
    void on_speed_test_click();

    QLineEdit* address_ = nullptr; // 编辑框1
    UrlOpener& opener_;
    SiteClient* client_ = nullptr; // 客户1
    std::unique_ptr<LivenessCheck> check_;
};
