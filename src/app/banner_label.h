#pragma once

#include <QLabel>
#include <QPixmap>

// A label that shows its picture tiled from its top-left corner, drawn from
// the double-size picture on screens with more than one device pixel per
// logical pixel so that it stays sharp.
class BannerLabel : public QLabel {
    Q_OBJECT
public:
    BannerLabel(const QPixmap& picture, const QPixmap& double_size, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    QPixmap double_size_;
};
