#include <QTest>

class TestGpaprpage : public QObject {
    Q_OBJECT
};

QTEST_MAIN(TestGpaprpage)
#include "test_gpaprpage.moc"
