#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace tallowin {

// What a window's placement is decided from; every rectangle in the desktop's coordinates.
struct PlacementRequest {
    QSize wanted;  // the size the window would like
    QSize minimum; // the smallest size it can be used at
    // The available area of every screen (without panels and docks), primary first.
    QList<QRect> screens;
    // Where the window was when last closed; restored only when it lies whole on one screen.
    std::optional<QRect> remembered;
    // A point the window should be centred on (its owner's centre); it also picks the screen.
    std::optional<QPoint> centreOn;
};

// The window's geometry: the remembered one when it fits a screen; otherwise the wanted size,
// shrunk to the screen's available area but never below the minimum, centred on `centreOn` (or
// on the screen) and moved so that it stays inside that area. A window larger than the area
// keeps its top-left corner in it, so its header and first controls can be reached.
QRect placeWindow(const PlacementRequest &request);

} // namespace tallowin
