// The floor any Thai program pays: a bare window of Tamrik's size showing one
// Thai label in Loma (Qt, fontconfig and one Thai face), shown and closed at
// the first turn of the event loop.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(759, 520);
    QLabel label(QString::fromUtf8("คำนวณคะแนนจากการสอบคัดเลือก"), &window);
    label.setFont(QFont(QStringLiteral("Loma"), 10));
    label.move(20, 20);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
