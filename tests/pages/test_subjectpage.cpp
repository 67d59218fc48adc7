#include <QTest>

class TestSubjectpage : public QObject {
    Q_OBJECT
};

QTEST_MAIN(TestSubjectpage)
#include "test_subjectpage.moc"
