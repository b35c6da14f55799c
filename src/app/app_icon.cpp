#include "app/app_icon.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

// Drawn on a 32-unit grid and scaled, so every size shows the same picture.
QImage DrawAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    // Peltier block under the mirror.
    painter.setPen(QPen(QColor(20, 40, 80), 1.0));
    painter.setBrush(QColor(40, 80, 150));
    painter.drawRect(QRectF(4.5, 23.5, 23.0, 6.0));

    // The polished mirror face.
    QLinearGradient silver(0.0, 18.0, 0.0, 23.0);
    silver.setColorAt(0.0, QColor(250, 250, 250));
    silver.setColorAt(1.0, QColor(150, 160, 170));
    painter.setPen(QPen(QColor(90, 90, 100), 1.0));
    painter.setBrush(silver);
    painter.drawRect(QRectF(2.5, 18.5, 27.0, 5.0));

    // A dew droplet forming on the mirror.
    QPainterPath drop;
    drop.moveTo(16.0, 1.5);
    drop.cubicTo(19.0, 7.0, 22.5, 10.0, 22.5, 13.0);
    drop.arcTo(QRectF(9.5, 6.5, 13.0, 11.5), 0.0, -180.0);
    drop.cubicTo(9.5, 10.0, 13.0, 7.0, 16.0, 1.5);
    QLinearGradient water(10.0, 4.0, 22.0, 18.0);
    water.setColorAt(0.0, QColor(120, 200, 255));
    water.setColorAt(1.0, QColor(0, 90, 200));
    painter.setPen(QPen(QColor(0, 60, 150), 1.0));
    painter.setBrush(water);
    painter.drawPath(drop);

    // Highlight on the droplet.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(QRectF(12.5, 9.5, 3.0, 4.0));
    painter.end();
    return image;
}

QIcon MakeAppIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(DrawAppIcon(32)));
    icon.addPixmap(QPixmap::fromImage(DrawAppIcon(16)));
    return icon;
}
