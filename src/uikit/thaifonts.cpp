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

void InstallThaiFonts()
{
    const QString loma = QStringLiteral("Loma");
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {loma});
    QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"), {loma});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {loma});
    QFont::insertSubstitutions(QStringLiteral("CordiaUPC"), {QStringLiteral("Garuda")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Garuda")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Norasi")});
    QApplication::setFont(SansFont(9.75));
}

QFont SansFont(qreal pointSize, bool bold) { return Face(QStringLiteral("MS Sans Serif"), pointSize, bold); }
QFont TitleFont(qreal pointSize, bool bold) { return Face(QStringLiteral("CordiaUPC"), pointSize, bold); }
QFont PageTitleFont() { return TitleFont(20); }
QFont ProductFont(qreal pointSize, bool bold) { return Face(QStringLiteral("Arial"), pointSize, bold); }
QFont SerifFont(qreal pointSize) { return Face(QStringLiteral("Times New Roman"), pointSize, false); }

}  // namespace tamrik
