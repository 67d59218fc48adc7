#include "thaifonts.h"

#include "thaifaces.h"

#include <QApplication>
#include <QFontDatabase>

namespace tamrik {
namespace {

// The TLWG faces by their own names on Linux: a Windows name would first miss
// in the font database and cost a fallback search for every size at start-up.
ThaiFaces& chosenFaces()
{
    static ThaiFaces faces = tlwgFaces();
    return faces;
}

QFont Face(const QString& family, qreal pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace

void installThaiFonts()
{
#ifdef Q_OS_WIN
    chosenFaces() = windowsFaces(QFontDatabase::families(), QFontDatabase::families(QFontDatabase::Thai));
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/fonts/");
    for (const QString& file : carriedFontFiles(chosenFaces()))
        QFontDatabase::addApplicationFont(folder + file);
#endif
    QApplication::setFont(sansFont(9.75));
}

QFont sansFont(qreal pointSize, bool bold) { return Face(chosenFaces().sans, pointSize, bold); }
QFont titleFont(qreal pointSize, bool bold) { return Face(chosenFaces().title, pointSize, bold); }
QFont pageTitleFont() { return titleFont(20); }
QFont productFont(qreal pointSize, bool bold) { return Face(chosenFaces().product, pointSize, bold); }
QFont serifFont(qreal pointSize) { return Face(chosenFaces().serif, pointSize, false); }

}  // namespace tamrik
