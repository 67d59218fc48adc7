// What the loaded rule data say of themselves, through the real windows: the
// admission year on the splash, About and page 1 and the range table's year in
// page 3's note, and the sample notice wherever the data are made up. Three
// databases: the bundled sample of 2543, a 2544 build of the same data without
// the marker (built by the real tamrik-ruledb), and one that records nothing.
#include "frmabout.h"
#include "frmallfaculties.h"
#include "frmsplash.h"
#include "programdriver.h"
#include "samplenotice.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

bool Shown(const QObject* root, const QString& name)
{
    const auto* widget = root->findChild<QWidget*>(name);
    return widget && widget->isVisibleTo(widget->window());
}

}  // namespace

class TestYearAndSample : public QObject {
    Q_OBJECT
    QTemporaryDir m_built;

private slots:
    void initTestCase()
    {
        // The bundled data with a range table of 2544 and without the marker.
        const QDir data(QStringLiteral(TAMRIK_DATA_DIR));
        const QString folder = m_built.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(folder));
        for (const QString& csv : data.entryList({QStringLiteral("*.csv")}))
            QVERIFY(QFile::copy(data.filePath(csv), folder + QLatin1Char('/') + csv));
        QVERIFY(QFile::copy(data.filePath(QStringLiteral("maxminScQor43.csv")),
                            folder + QStringLiteral("/maxminScQor44.csv")));
        QProcess tool;
        tool.start(QStringLiteral(TAMRIK_RULEDB_TOOL),
                   {QStringLiteral("build"), folder, QStringLiteral("-o"), m_built.filePath(QStringLiteral("2544.mdb"))});
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
    }

    void everyWindowNamesTheDataYearAndSample_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QByteArray>("rangeTable");  // param.opt's first line
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("noteYear");
        QTest::addColumn<bool>("sample");
        QTest::newRow("bundled sample, 2542's range") << "bundled" << QByteArray("maxminScQor42") << "2543" << "2542" << true;
        QTest::newRow("2544 without the marker") << "2544" << QByteArray("maxminScQor44") << "2544" << "2544" << false;
        QTest::newRow("no record of the build") << "unrecorded" << QByteArray("maxminScQor43") << "2543" << "2543" << false;
    }

    void everyWindowNamesTheDataYearAndSample()
    {
        QFETCH(QString, data);
        QFETCH(QByteArray, rangeTable);
        QFETCH(QString, year);
        QFETCH(QString, noteYear);
        QFETCH(bool, sample);
        ProgramFolder folder(data != QStringLiteral("2544"));
        if (data == QStringLiteral("2544"))
            QVERIFY(QFile::copy(m_built.filePath(QStringLiteral("2544.mdb")), folder.file(QStringLiteral("ScoreRule.mdb"))));
        else if (data == QStringLiteral("unrecorded"))
            QVERIFY(folder.changeRuleDb(QStringLiteral("DROP TABLE TamrikInfo;")));
        folder.write(QStringLiteral("param.opt"), rangeTable + "\r\n2.4397771456\r\n0.5519077994\r\n");
        Program p(folder);
        QVERIFY(p.start());
        const QString notice = QString::fromUtf8(kSampleNotice);

        QCOMPARE(p.text(QStringLiteral("F1Label(4)")),
                 QStringLiteral("รหัสคณะเป็นข้อมูลของการสอบคัดเลือกประจำปีการศึกษา ") + year);
        QCOMPARE(Shown(&p.window, QStringLiteral("F1LabelSampleNotice")), sample);
        if (sample)
            QCOMPARE(p.text(QStringLiteral("F1LabelSampleNotice")), notice);

        // The splash as the program's start makes it, and About from the menu.
        frmSplash splash(panelDataOf(p.window.session()));
        p.get<QAction>(QStringLiteral("submenuAbout"))->trigger();
        QWidget* about = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmAbout*>(w))
                about = w;
        QVERIFY(about);
        for (QWidget* window : {static_cast<QWidget*>(&splash), about}) {
            QCOMPARE(Caption(Find<QLabel>(window, QStringLiteral("lblCompany(4)"))),
                     QStringLiteral("ข้อมูลที่ใช้ในโปรแกรมเป็นข้อมูลจากปีการศึกษา ") + year);
            QCOMPARE(Shown(window, QStringLiteral("lblSampleNotice")), sample);
        }
        delete about;

        p.get<QAction>(QStringLiteral("mnuAllFaculties"))->trigger();
        QVERIFY(p.window.allFaculties());
        QCOMPARE(Shown(p.window.allFaculties(), QStringLiteral("LabelSampleNotice")), sample);

        // Page 3's note takes the year of the range table param.opt names.
        p.open(QStringLiteral("0013"));
        p.type(QStringLiteral("Text_SC_main(4)"), QStringLiteral("55"));
        p.type(QStringLiteral("Text_sp_sc(1)"), QStringLiteral("62"));
        p.click(QStringLiteral("F2CmdNext"));
        QCOMPARE(p.window.currentPage(), 3);
        QVERIFY(p.text(QStringLiteral("F3LabelMeanGgpSdComment"))
                    .contains(QStringLiteral("ได้จากการคัดเลือก ประจำปีการศึกษา ") + noteYear + QStringLiteral(" ")));
        QVERIFY(p.messages.texts.isEmpty());
    }
};

QTEST_MAIN(TestYearAndSample)
#include "test_yearandsample.moc"
