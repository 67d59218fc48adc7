#include <QTest>

class TestFacultypage : public QObject {
    Q_OBJECT
};

QTEST_MAIN(TestFacultypage)
#include "test_facultypage.moc"
