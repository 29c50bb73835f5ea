#include "app/main_window.h"

#include "app/banner_label.h"
#include "app/layout_texts.h"
#include "app/main_window_controls.h"
#include "app/outer_size.h"
#include "app/site_window_opener.h"
#include "app/text_codec.h"
#include "app/window_layout.h"
#include "probe/ping_worker.h"
#include "probe/probe_texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <limits>

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint;

QLabel* status_label(const Text& text, QWidget* parent)
{
    auto* label = new QLabel(to_qstring(text), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    set_colour(label, QPalette::WindowText, Qt::black);
    return label;
}

} // namespace

MainWindow::MainWindow() : QWidget(nullptr, kWindowFlags)
{
    outer_size_ = set_up_fixed_window(this, kMainCaption, QStringLiteral(":/kelvane/kelvane.png"), kOuterSize);

    // Created bottom of the stack first: a later sibling lies on top.
    auto* banner = place(new BannerLabel(QPixmap(QStringLiteral(":/kelvane/banner.png")),
                                         QPixmap(QStringLiteral(":/kelvane/banner@2x.png")), this),
                         "标签1", {-1, 1, 320, 37});
    banner->setAccessibleName(QStringLiteral("Kelvane"));
    auto* target_label = place(status_label(kTargetLabel, this), "标签2", {8, 45, 56, 24});

    auto* target = place(new QLineEdit(to_qstring(kDefaultTarget), this), "编辑框1", {72, 45, 176, 24});
    target_label->setBuddy(target); // a screen reader names the box after its label
    target->setMaxLength(std::numeric_limits<int>::max());
    set_colour(target, QPalette::Text, Qt::black);
    set_colour(target, QPalette::Base, Qt::white);

    auto* ping_button = place(new QPushButton(to_qstring(kCaptionPing), this), "按钮1", {256, 45, 50, 25});
    auto* status = place(status_label(kStatusHint, this), "标签3", {8, 69, 304, 24});

    continuous_box_ = place(new QCheckBox(to_qstring(kContinuousPing), this), "选择框1", {4, 93, 72, 16});
    front_box_ = place(new QCheckBox(to_qstring(kFrontDisplay), this), "选择框2", {250, 93, 68, 16});
    front_box_->setChecked(true);

    auto* log = place(new QPlainTextEdit(this), "编辑框2", {2, 116, 315, 152});
    log->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    log->setTabChangesFocus(true);
    // The log only grows; an undo history of every line would grow with it.
    log->setUndoRedoEnabled(false);
    set_colour(log, QPalette::Text, Qt::black);
    set_colour(log, QPalette::Base, QColor(187, 233, 255));
    log->setAccessibleName(to_qstring(kLogName));

    auto* site_button = place(new QPushButton(to_qstring(kSiteButton), this), "按钮12", {104, 88, 112, 24});

    setTabOrder(target, ping_button);
    setTabOrder(ping_button, continuous_box_);
    setTabOrder(continuous_box_, site_button);
    setTabOrder(site_button, front_box_);
    setTabOrder(front_box_, log);
    target->setFocus();

    controls_ = std::make_shared<MainWindowControls>(
        MainWindowControls::Widgets{this, ping_button, status, log}, to_text(target->text()), kCaptionPing);
    connect(target, &QLineEdit::textChanged, this,
            [this](const QString& text) { controls_->set_target_text(to_text(text)); });

    connect(ping_button, &QPushButton::clicked, this, &MainWindow::start_ping_worker);
    connect(site_button, &QPushButton::clicked, this, [] { open_site_window(); });
    connect(continuous_box_, &QCheckBox::clicked, this, &MainWindow::apply_continuous_mode);
    connect(front_box_, &QCheckBox::clicked, this, &MainWindow::apply_front_display);
}

MainWindow::~MainWindow()
{
    controls_->detach();
}

int MainWindow::outer_height() const
{
    return outer_size_->outer().height();
}

void MainWindow::start_ping_worker()
{
    ::start_ping_worker(controls_);
}

void MainWindow::apply_continuous_mode()
{
    if (continuous_box_->isChecked()) {
        outer_size_->set_outer_height(kContinuousHeight);
        controls_->set_caption(kCaptionStart);
    } else {
        outer_size_->set_outer_height(kOuterSize.height());
        controls_->set_caption(kCaptionPing);
    }
}

void MainWindow::apply_front_display()
{
    set_always_on_top(this, front_box_->isChecked());
}
