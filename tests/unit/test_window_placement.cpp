#include "window_placement.h"

#include <QTest>

// Where the window opens: the stored place when it fits, else moved just enough.
class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void placeWithin_data();
    void placeWithin();
};

void TestWindowPlacement::placeWithin_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");

    const QRect stored(373, 238, 333, 181); // 329 × 150 client, a Windows-like frame
    QTest::newRow("fits a 1920 x 1040 area: stays")
        << stored << QRect(0, 0, 1920, 1040) << QPoint(373, 238);
    QTest::newRow("exactly fits: stays") << stored << QRect(0, 0, 706, 419) << QPoint(373, 238);
    QTest::newRow("one pixel too narrow: left by one")
        << stored << QRect(0, 0, 705, 419) << QPoint(372, 238);
    QTest::newRow("1280 x 1024 at 200 %, taskbar 40: left only")
        << stored << QRect(0, 0, 640, 492) << QPoint(307, 238);
    QTest::newRow("too short: up only") << stored << QRect(0, 0, 1024, 400) << QPoint(373, 219);
    QTest::newRow("both ways") << stored << QRect(0, 0, 600, 380) << QPoint(267, 199);
    QTest::newRow("taskbar on top: down to the area")
        << QRect(373, 10, 333, 181) << QRect(0, 40, 1024, 728) << QPoint(373, 40);
    QTest::newRow("taskbar on the left: right to the area")
        << QRect(20, 238, 333, 181) << QRect(60, 0, 964, 768) << QPoint(60, 238);
    QTest::newRow("second screen to the right: onto it")
        << stored << QRect(1920, 0, 1280, 1024) << QPoint(1920, 238);
    QTest::newRow("larger than the area: its top-left corner")
        << stored << QRect(10, 20, 300, 100) << QPoint(10, 20);
}

void TestWindowPlacement::placeWithin()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(::placeWithin(frame, available), expected);
}

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "test_window_placement.moc"
