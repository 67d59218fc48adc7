#include "qttranslation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace tamrik {

void installQtTranslation()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/tamrik/translations/qtbase_th.qm")))
        QCoreApplication::installTranslator(translator);
}

}  // namespace tamrik
