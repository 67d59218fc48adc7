// Geometry in twips: what a page states is what a test reads back, and a
// widget moved by other means is still read in twips.
#include "twips.h"

#include <QTest>
#include <QWidget>

using namespace tamrik;

class TestTwips : public QObject {
    Q_OBJECT
private slots:
    void convertsAtFifteenTwipsAPixel()
    {
        QCOMPARE(TwipsToPixels(11385), 759);
        QCOMPARE(TwipsToPixels(7800), 520);
        QCOMPARE(TwipsToPixels(7), 0);
        QCOMPARE(TwipsToPixels(8), 1);
        QCOMPARE(PixelsToTwips(44), 660);
    }

    void keepsTheExactTwipsItWasPlacedAt()
    {
        QWidget parent;
        auto* child = new QWidget(&parent);
        SetGeometryTwips(child, 3240, 665, 735, 375);
        QCOMPARE(GeometryTwips(child), QRect(3240, 665, 735, 375));
        QCOMPARE(child->geometry(), QRect(216, 44, 49, 25));
        MoveTwips(child, 3240, 1090);
        QCOMPARE(GeometryTwips(child), QRect(3240, 1090, 735, 375));
    }

    void readsPixelsWhenMovedElsewhere()
    {
        QWidget parent;
        auto* child = new QWidget(&parent);
        SetGeometryTwips(child, 3240, 665, 735, 375);
        child->move(10, 20);
        QCOMPARE(GeometryTwips(child).topLeft(), QPoint(150, 300));
    }
};

QTEST_MAIN(TestTwips)
#include "test_twips.moc"
