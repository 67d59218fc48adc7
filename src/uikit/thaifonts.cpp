#include "thaifonts.h"

#include <QApplication>

namespace tamrik {
namespace {

QFont Face(const QString& family, qreal pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace

void InstallThaiFonts() { QApplication::setFont(SansFont(9.75)); }

// The TLWG faces by their own names: a Windows name would first miss in the
// font database and cost a fallback search for every size at start-up.
QFont SansFont(qreal pointSize, bool bold) { return Face(QStringLiteral("Loma"), pointSize, bold); }
QFont TitleFont(qreal pointSize, bool bold) { return Face(QStringLiteral("Garuda"), pointSize, bold); }
QFont PageTitleFont() { return TitleFont(20); }
QFont ProductFont(qreal pointSize, bool bold) { return Face(QStringLiteral("Garuda"), pointSize, bold); }
QFont SerifFont(qreal pointSize) { return Face(QStringLiteral("Norasi"), pointSize, false); }

}  // namespace tamrik
