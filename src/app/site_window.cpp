#include "app/site_window.h"

#include "app/layout_texts.h"
#include "app/text_codec.h"
#include "app/url_opener.h"
#include "app/window_layout.h"
#include "sitecheck/liveness_check.h"
#include "sitecheck/site_client.h"
#include "sitecheck/site_request.h"
#include "sitecheck/speed_test.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// The note's face is SimSun; where it is missing, a Song/Ming face of the
// same style stands in before any other CJK font.
QFont song_font(int pixels)
{
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("宋体"),
            {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL SungtiL GB"),
             QStringLiteral("Noto Serif CJK SC")});
        return true;
    }();
    (void)substituted;
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(pixels);
    return font;
}

QFont font_of_pixels(int pixels)
{
    QFont font;
    font.setPixelSize(pixels);
    return font;
}

QLabel* bordered_label(const Text& text, QWidget* parent)
{
    auto* label = new QLabel(to_qstring(text), parent);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    return label;
}

} // namespace

SiteWindow::SiteWindow(MessagePresenter& presenter, UrlOpener& opener, int site_port)
    : QWidget(nullptr, kWindowFlags), opener_(opener)
{
    set_up_fixed_window(this, kSiteCaption, QStringLiteral(":/kelvane/site.png"), kOuterSize);

    // Created bottom of the stack first: a later sibling lies on top.
    address_ = place(new QLineEdit(this), "编辑框1", {80, 32, 264, 40});
    address_->setMaxLength(std::numeric_limits<int>::max());
    address_->setFont(font_of_pixels(21));
    set_colour(address_, QPalette::Text, Qt::black);
    set_colour(address_, QPalette::Base, Qt::white);

    auto* check_button = place(new QPushButton(to_qstring(kCheckSiteButton), this), "按钮1", {80, 88, 224, 40});

    auto* note = place(bordered_label(kSiteNote, this), "标签2", {8, 136, 370, 64});
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setWordWrap(true);
    note->setFont(song_font(14));
    set_colour(note, QPalette::WindowText, QColor(0, 255, 255));

    auto* site_label = place(bordered_label(kSiteLabel, this), "标签1", {8, 32, 72, 40});
    site_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    site_label->setFont(font_of_pixels(16));
    site_label->setBuddy(address_); // a screen reader names the box after its label
    set_colour(site_label, QPalette::WindowText, Qt::black);

    auto* speed_button = place(new QPushButton(to_qstring(kSpeedTestButton), this), "按钮13", {120, 208, 144, 48});

    setTabOrder(address_, check_button);
    setTabOrder(check_button, speed_button);
    address_->setFocus();

    client_ = new SiteClient(this);
    client_->setObjectName(QStringLiteral("客户1"));
    check_ = std::make_unique<LivenessCheck>(*client_, presenter, site_port);

    connect(check_button, &QPushButton::clicked, this, &SiteWindow::on_check_site_click);
    connect(speed_button, &QPushButton::clicked, this, &SiteWindow::on_speed_test_click);
}

SiteWindow::~SiteWindow() = default;

void SiteWindow::on_check_site_click()
{
    const SiteRequest built = build_site_request(to_text(address_->text()));
    check_->start_liveness_exchange(built.host, built.request);
}

void SiteWindow::on_speed_test_click()
{
    opener_.open_url_in_browser(speed_test_url(to_text(address_->text())));
}
