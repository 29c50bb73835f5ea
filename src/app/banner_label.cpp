#include "app/banner_label.h"

#include <QPainter>

BannerLabel::BannerLabel(const QPixmap& picture, QWidget* parent) : QLabel(parent), picture_(picture)
{
}

void BannerLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), picture_);
}
