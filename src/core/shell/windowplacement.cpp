#include "shell/windowplacement.h"

#include <algorithm>

namespace tallowin {

QRect placeWindow(const PlacementRequest &r) {
    if (r.remembered && r.remembered->isValid() && r.remembered->width() >= r.minimum.width() &&
        r.remembered->height() >= r.minimum.height()) {
        for (const QRect &s : r.screens)
            if (s.contains(*r.remembered))
                return *r.remembered;
    }
    QRect area = r.screens.isEmpty() ? QRect(QPoint(0, 0), r.wanted) : r.screens.first();
    if (r.centreOn)
        for (const QRect &s : r.screens)
            if (s.contains(*r.centreOn)) {
                area = s;
                break;
            }
    const QSize size(std::max(std::min(r.wanted.width(), area.width()), r.minimum.width()),
                     std::max(std::min(r.wanted.height(), area.height()), r.minimum.height()));
    const QPoint centre = r.centreOn && area.contains(*r.centreOn)
                              ? *r.centreOn
                              : area.topLeft() + QPoint(area.width() / 2, area.height() / 2);
    QRect placed(centre - QPoint(size.width() / 2, size.height() / 2), size);
    // Inside the area: first the right and bottom edges, then the left and top ones win.
    placed.moveLeft(std::min(placed.left(), area.right() + 1 - size.width()));
    placed.moveTop(std::min(placed.top(), area.bottom() + 1 - size.height()));
    placed.moveLeft(std::max(placed.left(), area.left()));
    placed.moveTop(std::max(placed.top(), area.top()));
    return placed;
}

} // namespace tallowin
