#include "ui/controls/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {

namespace {

QPixmap blank(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

QPixmap folder(bool open) {
    QPixmap pm = blank(13);
    QPainter p(&pm);
    p.setPen(QColor(128, 96, 0));
    p.setBrush(QColor(255, 214, 90));
    p.drawRect(0, 3, 11, 8);
    p.drawRect(0, 2, 4, 1);
    if (open) {
        p.setBrush(QColor(255, 236, 150));
        QPolygon flap({QPoint(2, 6), QPoint(12, 6), QPoint(10, 11), QPoint(0, 11)});
        p.drawPolygon(flap);
    }
    return pm;
}

QPixmap cylinder() {
    QPixmap pm = blank(13);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(40, 60, 110));
    p.setBrush(QColor(120, 150, 210));
    p.drawRect(QRectF(1.5, 3, 10, 7));
    p.drawEllipse(QRectF(1.5, 7.5, 10, 4));
    p.setBrush(QColor(170, 195, 240));
    p.drawEllipse(QRectF(1.5, 1, 10, 4));
    return pm;
}

QPixmap leaf() {
    QPixmap pm = blank(13);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(30, 100, 30));
    p.setBrush(QColor(90, 180, 70));
    QPainterPath path(QPointF(1.5, 11.5));
    path.cubicTo(1.5, 3, 6, 1, 11.5, 1.5);
    path.cubicTo(11, 7, 9, 11.5, 1.5, 11.5);
    p.drawPath(path);
    return pm;
}

QPixmap book() {
    QPixmap pm = blank(13);
    QPainter p(&pm);
    p.setPen(QColor(90, 20, 20));
    p.setBrush(QColor(180, 50, 50));
    p.drawRect(2, 1, 9, 11);
    p.setPen(QColor(250, 240, 220));
    p.drawLine(4, 4, 9, 4);
    p.drawLine(4, 6, 9, 6);
    return pm;
}

// A small arrow pointer with a column header under it; `mark` draws the verdict of the place.
QPixmap dragPointer(int mark) {
    QPixmap pm = blank(32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(QRectF(8.5, 14.5, 20, 10));
    p.drawLine(QPointF(18.5, 14.5), QPointF(18.5, 24.5));
    QPolygonF arrow({QPointF(1, 1), QPointF(1, 14), QPointF(4.5, 10.5), QPointF(7, 16),
                     QPointF(9, 15), QPointF(6.5, 9.5), QPointF(11, 9.5)});
    p.setBrush(Qt::white);
    p.setPen(Qt::black);
    p.drawPolygon(arrow);
    if (mark == 1) {
        p.setPen(QPen(QColor(0, 140, 0), 3));
        p.drawLine(QPointF(18, 27), QPointF(22, 30));
        p.drawLine(QPointF(22, 30), QPointF(30, 19));
    } else if (mark == 2) {
        p.setPen(QPen(QColor(200, 0, 0), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(19, 19, 11, 11));
        p.drawLine(QPointF(21, 21), QPointF(28, 28));
    }
    return pm;
}

} // namespace

ImageList smallIcons() {
    ImageList list;
    list.add("closed", folder(false));
    list.add("open", folder(true));
    list.add("cylinder", cylinder());
    list.add("leaf", leaf());
    list.add("smlBook", book());
    return list;
}

void drawAppIcon(QPainter& p, qreal size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // A grouping tree, a root and three branches, beside a grid of three rows and two columns.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(35, 75, 140));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setPen(QPen(QColor(240, 200, 80), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 14), QPointF(14, 50));
    for (int y : {24, 37, 50})
        p.drawLine(QPointF(14, y), QPointF(26, y));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 200, 80));
    p.drawEllipse(QPointF(14, 12), 6, 6);
    p.setBrush(QColor(235, 240, 250));
    for (int y : {19, 32, 45}) {
        p.drawRoundedRect(QRectF(30, y, 12, 9), 2, 2);
        p.drawRoundedRect(QRectF(44, y, 12, 9), 2, 2);
    }
    p.restore();
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pm = blank(size);
        QPainter p(&pm);
        drawAppIcon(p, size);
        icon.addPixmap(pm);
    }
    return icon;
}

QPixmap dragPicture() {
    return dragPointer(0);
}
QPixmap dropPicture() {
    return dragPointer(1);
}
QPixmap noDropPicture() {
    return dragPointer(2);
}

} // namespace ui
