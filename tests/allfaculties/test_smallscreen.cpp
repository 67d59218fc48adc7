// The all-faculties window on a 1024x600 screen (the offscreen platform
// given that screen) in the program's fonts: it opens inside the screen and, maximised, shows a
// dozen ranked rows with what names a faculty and its label side by side,
// without scrolling sideways; an empty shortlist takes one line.
#include "facultiesmodel.h"
#include "listdriver.h"
#include "thaifonts.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QListWidget>
#include <QScreen>
#include <QTableView>
#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

// Whole within the view's viewport, with no sideways scrolling.
bool CellShown(const QTableView* view, int row, int column)
{
    const QRect cell = view->visualRect(view->model()->index(row, column));
    return cell.isValid() && view->viewport()->rect().contains(cell);
}

}  // namespace

class TestSmallScreen : public QObject {
    Q_OBJECT
private slots:
    // The program's own faces, whose Thai lines are taller than the default's.
    void initTestCase() { installThaiFonts(); }

    void fitsASchoolScreen()
    {
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        FrmAllFaculties* list = OpenList(program);
        QVERIFY(list);
        const QRect screen = list->screen()->availableGeometry();
        QCOMPARE(screen.size(), QSize(1024, 600));
        QVERIFY2(screen.contains(list->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                       .arg(list->frameGeometry().x())
                                                                       .arg(list->frameGeometry().y())
                                                                       .arg(list->frameGeometry().width())
                                                                       .arg(list->frameGeometry().height())));
        QVERIFY(list->minimumSizeHint().width() <= screen.width() && list->minimumSizeHint().height() <= screen.height());

        list->showMaximized();
        QVERIFY(QTest::qWaitFor([list] { return list->isMaximized(); }));
        QCoreApplication::processEvents();
        QVERIFY(screen.contains(list->frameGeometry()));
        auto* view = In<QTableView>(list, QStringLiteral("TableFaculties"));
        QVERIFY(view->model()->rowCount() > 12);
        for (int row = 0; row < 12; ++row) {
            for (const int column : {FacultiesModel::Code, FacultiesModel::Faculty, FacultiesModel::University,
                                     FacultiesModel::Composite, FacultiesModel::ChanceColumn})
                QVERIFY2(CellShown(view, row, column), qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(column)));
        }
        QCOMPARE(view->horizontalScrollBar()->value(), 0);
        QVERIFY(!view->model()->index(0, FacultiesModel::ChanceColumn).data().toString().isEmpty());

        // The empty shortlist is one line of buttons; with a choice its list shows, and folds away.
        auto* choices = In<QListWidget>(list, QStringLiteral("ListChoices"));
        auto* add = In<QPushButton>(list, QStringLiteral("CmdAddChoice"));
        QVERIFY(!choices->isVisible());
        QVERIFY(add->isVisible());
        view->setCurrentIndex(view->model()->index(0, 0));
        add->click();
        QVERIFY(choices->isVisible());
        In<QPushButton>(list, QStringLiteral("CmdShowChoices"))->click();
        QVERIFY(!choices->isVisible());
        // The layout follows from the event loop.
        QVERIFY(QTest::qWaitFor([view] { return CellShown(view, 11, FacultiesModel::ChanceColumn); }));
    }
};

QTEST_MAIN(TestSmallScreen)
#include "test_smallscreen.moc"
