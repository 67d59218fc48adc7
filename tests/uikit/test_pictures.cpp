// The emblems, used in place from the program's own data, against the drawn
// pictures they come from; the menu bar's overflow button, whose picture is
// read late, against the platform style's.
#include "appstyle.h"
#include "emblem.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void emblemsAreTheDrawnPictures()
    {
        const auto drawn = [](const char* name) {
            return QImage(QStringLiteral(TAMRIK_IMAGES "/") + QLatin1String(name))
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        const QImage emblem = tamrik::emblemPicture().toImage();
        QCOMPARE(emblem.size(), QSize(100, 100));
        QCOMPARE(emblem, drawn("emblem.png"));
        const QImage pale = tamrik::paleEmblemPicture().toImage();
        QCOMPARE(pale.size(), QSize(280, 280));
        QCOMPARE(pale, drawn("emblem-pale.png"));
        // The cached copy is the same picture.
        QCOMPARE(tamrik::paleEmblemPicture().cacheKey(), tamrik::paleEmblemPicture().cacheKey());
    }

    void overflowButtonDrawsThePlatformPicture()
    {
        const QString platformStyle = QApplication::style()->name();
        tamrik::installAppStyle();
        auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(style);
        QCOMPARE(style->baseStyle()->name(), platformStyle);
        QMainWindow window;
        auto* button = window.menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(button);
        QVERIFY(!button->icon().isNull());
        std::unique_ptr<QStyle> own(QStyleFactory::create(platformStyle));
        const QIcon expected = own->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        for (const int side : {16, 32}) {
            const QSize size(side, side);
            QCOMPARE(button->icon().actualSize(size), expected.actualSize(size));
            QCOMPARE(button->icon().pixmap(size).toImage(), expected.pixmap(size).toImage());
            QCOMPARE(button->icon().pixmap(size, QIcon::Disabled).toImage(),
                     expected.pixmap(size, QIcon::Disabled).toImage());
        }
    }
};

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
