#include "pagedecor.h"

#include "controls.h"
#include "emblem.h"
#include "twips.h"

#include <QLabel>

namespace tamrik {

QString contactLine()
{
    return QStringLiteral("Tamrik — โปรแกรมเสรีสำหรับผู้สมัครสอบคัดเลือก  ติดต่อผู้ดูแลโปรแกรม");
}

void addPageDecor(QWidget* page, int imageIndex, int footerIndex)
{
    QLabel* emblem = makeLabel(page, arrayName(QStringLiteral("Image1"), imageIndex), QString(),
                               QRect(6600, 1800, 4200, 4200), Qt::AlignCenter);
    emblem->setPixmap(paleEmblemPicture());
    emblem->setScaledContents(true);
    // Decoration only: clicks go through it. (A disabled label would grey
    // the picture.)
    emblem->setAttribute(Qt::WA_TransparentForMouseEvents);
    emblem->lower();
    makeLabel(page, arrayName(QStringLiteral("F1Label"), footerIndex), contactLine(), QRect(240, 6480, 6800, 255));
}

}  // namespace tamrik
