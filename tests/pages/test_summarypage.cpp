#include <QTest>

class TestSummarypage : public QObject {
    Q_OBJECT
};

QTEST_MAIN(TestSummarypage)
#include "test_summarypage.moc"
