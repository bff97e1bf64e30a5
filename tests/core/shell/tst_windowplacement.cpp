#include "shell/windowplacement.h"

#include <QtTest>

using namespace tallowin;

using Rects = QList<QRect>;
using MaybeRect = std::optional<QRect>;
using MaybePoint = std::optional<QPoint>;
Q_DECLARE_METATYPE(MaybeRect)
Q_DECLARE_METATYPE(MaybePoint)

class TestWindowPlacement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placement_data() {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<Rects>("screens");
        QTest::addColumn<MaybeRect>("remembered");
        QTest::addColumn<MaybePoint>("centreOn");
        QTest::addColumn<QRect>("placed");
        const QSize wanted(1220, 760), minimum(900, 600);
        const QRect small(0, 0, 1024, 700), large(0, 0, 1920, 1080);
        const QRect right(1920, 0, 1280, 1024);
        const MaybeRect none;
        const MaybePoint nowhere;

        // The first start on a small screen: the window shrinks to it and starts at its corner.
        QTest::newRow("small-screen")
            << wanted << minimum << Rects{small} << none << nowhere << QRect(0, 0, 1024, 700);
        QTest::newRow("small-screen-with-top-panel")
            << wanted << minimum << Rects{QRect(0, 27, 1024, 673)} << none << nowhere
            << QRect(0, 27, 1024, 673);
        QTest::newRow("large-screen-centred")
            << wanted << minimum << Rects{large} << none << nowhere << QRect(350, 160, 1220, 760);
        // Smaller than its minimum the window cannot be; its top-left corner stays reachable.
        QTest::newRow("screen-below-minimum") << wanted << minimum << Rects{QRect(0, 0, 800, 560)}
                                              << none << nowhere << QRect(0, 0, 900, 600);
        QTest::newRow("two-screens-owner-on-second")
            << wanted << minimum << Rects{large, right} << none << MaybePoint(QPoint(2560, 512))
            << QRect(1950, 132, 1220, 760);
        QTest::newRow("two-screens-no-owner-takes-primary")
            << wanted << minimum << Rects{large, right} << none << nowhere
            << QRect(350, 160, 1220, 760);
        QTest::newRow("owner-near-an-edge-keeps-window-inside")
            << wanted << minimum << Rects{large} << none << MaybePoint(QPoint(1900, 1070))
            << QRect(700, 320, 1220, 760);
        QTest::newRow("owner-off-every-screen-takes-primary")
            << wanted << minimum << Rects{large} << none << MaybePoint(QPoint(-500, -500))
            << QRect(350, 160, 1220, 760);
        // A remembered place comes back only when it lies whole on one of today's screens.
        QTest::newRow("remembered-fits")
            << wanted << minimum << Rects{large} << MaybeRect(QRect(40, 30, 1000, 700)) << nowhere
            << QRect(40, 30, 1000, 700);
        QTest::newRow("remembered-on-second-screen")
            << wanted << minimum << Rects{large, right} << MaybeRect(QRect(2000, 100, 1100, 800))
            << nowhere << QRect(2000, 100, 1100, 800);
        QTest::newRow("remembered-screen-gone")
            << wanted << minimum << Rects{large} << MaybeRect(QRect(2000, 100, 1100, 800))
            << nowhere << QRect(350, 160, 1220, 760);
        QTest::newRow("remembered-across-two-screens")
            << wanted << minimum << Rects{large, right} << MaybeRect(QRect(1500, 100, 1100, 800))
            << nowhere << QRect(350, 160, 1220, 760);
        QTest::newRow("remembered-larger-than-small-screen")
            << wanted << minimum << Rects{small} << MaybeRect(QRect(-99, -31, 1220, 760)) << nowhere
            << QRect(0, 0, 1024, 700);
        QTest::newRow("remembered-below-minimum")
            << wanted << minimum << Rects{large} << MaybeRect(QRect(10, 10, 300, 200)) << nowhere
            << QRect(350, 160, 1220, 760);
        QTest::newRow("no-screen-known")
            << wanted << minimum << Rects{} << none << nowhere << QRect(0, 0, 1220, 760);
    }
    void placement() {
        QFETCH(QSize, wanted);
        QFETCH(QSize, minimum);
        QFETCH(Rects, screens);
        QFETCH(MaybeRect, remembered);
        QFETCH(MaybePoint, centreOn);
        QFETCH(QRect, placed);
        PlacementRequest r;
        r.wanted = wanted;
        r.minimum = minimum;
        r.screens = screens;
        r.remembered = remembered;
        r.centreOn = centreOn;
        QCOMPARE(placeWindow(r), placed);
    }
};

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
