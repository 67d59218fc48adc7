#include "emblem.h"

namespace tamrik {

QPixmap EmblemPicture() { return QPixmap(QStringLiteral(":/tamrik/images/emblem.png")); }

QPixmap PaleEmblemPicture() { return QPixmap(QStringLiteral(":/tamrik/images/emblem-pale.png")); }

}  // namespace tamrik
