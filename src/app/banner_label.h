#pragma once

#include <QLabel>
#include <QPixmap>

// A label that shows its picture tiled from its top-left corner.
class BannerLabel : public QLabel {
    Q_OBJECT
public:
    BannerLabel(const QPixmap& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};
