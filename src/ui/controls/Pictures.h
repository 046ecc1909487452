#pragma once

#include <QIcon>
#include <QMap>
#include <QPixmap>
#include <QString>

class QPainter;

// The program's own pictures, drawn at start rather than loaded from files: the window icon,
// the small node pictures of the trees and the three column-drag pointers.
namespace ui {

// Pictures looked up by key, as the trees ask for a node's image.
class ImageList {
public:
    void add(const QString& key, const QPixmap& picture) { pictures_.insert(key, picture); }
    bool contains(const QString& key) const { return pictures_.contains(key); }
    QPixmap picture(const QString& key) const { return pictures_.value(key); }

private:
    QMap<QString, QPixmap> pictures_;
};

// 13 x 13 pictures keyed "closed", "cylinder", "leaf", "open" and "smlBook".
ImageList smallIcons();

// The program's icon, a grouping tree beside a grid, as the window and the About box show it.
QIcon appIcon();
// The same picture drawn on any device in a square of `size` units from its top left corner:
// the icons the desktop shows at install (tools/icons) are drawn by it too.
void drawAppIcon(QPainter& painter, qreal size);

// 32 x 32 pointers of a column drag: picked up, over a place it can go, over one it cannot.
QPixmap dragPicture();
QPixmap dropPicture();
QPixmap noDropPicture();

} // namespace ui
