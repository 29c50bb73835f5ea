#include "app/banner_label.h"

#include <QPainter>

BannerLabel::BannerLabel(const QPixmap& picture, const QPixmap& double_size, QWidget* parent)
    : QLabel(parent), picture_(picture), double_size_(double_size)
{
    double_size_.setDevicePixelRatio(2.0);
}

void BannerLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), devicePixelRatioF() > 1.0 ? double_size_ : picture_);
}
