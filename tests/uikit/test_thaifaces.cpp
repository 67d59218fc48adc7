// The faces chosen on Windows for what the machine has installed, and the
// carried TLWG files they need, which must be the files Debian ships.
#include "thaifaces.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using tamrik::ThaiFaces;

class TestThaiFaces : public QObject {
    Q_OBJECT

private slots:
    void facesForWhatIsInstalled_data()
    {
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<QStringList>("thai");
        QTest::addColumn<QStringList>("chosen");  // sans, title, product, serif
        QTest::addColumn<QStringList>("files");
        const QStringList windows{QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Sans Serif"),
                                  QStringLiteral("Arial"), QStringLiteral("Times New Roman"),
                                  QStringLiteral("Tahoma")};
        QTest::newRow("Thai Windows") << windows + QStringList{QStringLiteral("CordiaUPC")}
                                      << QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma"),
                                                     QStringLiteral("CordiaUPC"),
                                                     QStringLiteral("microsoft sans serif")}
                                      << QStringList{QStringLiteral("Microsoft Sans Serif"),
                                                     QStringLiteral("CordiaUPC"), QStringLiteral("Arial"),
                                                     QStringLiteral("Times New Roman")}
                                      << QStringList();
        QTest::newRow("no Thai supplement, the bitmap face alone")
            << windows << QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma")}
            << QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma"), QStringLiteral("Arial"),
                           QStringLiteral("Times New Roman")}
            << QStringList();
        QTest::newRow("no Thai face, Tahoma without it")
            << QStringList{QStringLiteral("Tahoma"), QStringLiteral("Courier New")} << QStringList()
            << QStringList{QStringLiteral("Loma"), QStringLiteral("Garuda"), QStringLiteral("Tahoma"),
                           QStringLiteral("Tahoma")}
            << QStringList{QStringLiteral("Loma.ttf"), QStringLiteral("Loma-Bold.ttf"), QStringLiteral("Garuda.ttf"),
                           QStringLiteral("Garuda-Bold.ttf")};
        QTest::newRow("nothing") << QStringList() << QStringList()
                                 << QStringList{QStringLiteral("Loma"), QStringLiteral("Garuda"),
                                                QStringLiteral("Garuda"), QStringLiteral("Norasi")}
                                 << QStringList{QStringLiteral("Loma.ttf"), QStringLiteral("Loma-Bold.ttf"),
                                                QStringLiteral("Garuda.ttf"), QStringLiteral("Garuda-Bold.ttf"),
                                                QStringLiteral("Norasi.ttf"), QStringLiteral("Norasi-Bold.ttf")};
    }

    void facesForWhatIsInstalled()
    {
        QFETCH(QStringList, families);
        QFETCH(QStringList, thai);
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, files);
        const ThaiFaces faces = tamrik::windowsFaces(families, thai);
        QCOMPARE((QStringList{faces.sans, faces.title, faces.product, faces.serif}), chosen);
        QCOMPARE(tamrik::carriedFontFiles(faces), files);
    }

    // scripts/windows-build.sh copies these from fonts-thai-tlwg.
    void carriedFilesAreDebians()
    {
        const QDir tlwg(QStringLiteral("/usr/share/fonts/truetype/tlwg"));
        if (!tlwg.exists())
            QSKIP("fonts-thai-tlwg (its TrueType files) is not installed");
        const QStringList all = tamrik::carriedFontFiles(tamrik::windowsFaces({}, {}));
        QCOMPARE(all.size(), 6);
        for (const QString& file : all)
            QVERIFY2(QFileInfo(tlwg.filePath(file)).isFile(), qPrintable(file));
    }
};

QTEST_GUILESS_MAIN(TestThaiFaces)
#include "test_thaifaces.moc"
