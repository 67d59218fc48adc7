#include "emblem.h"

#include <QImage>
#include <QPixmapCache>
#include <QResource>

#include <cstdint>
#include <cstring>

namespace tamrik {
namespace {

// Raw pixels written by tools/rawpixels: width and height, then premultiplied
// ARGB rows. One copy per picture is kept in the pixmap cache, so the four
// pages share one.
QPixmap RawPicture(const QString& path)
{
    QPixmap picture;
    if (QPixmapCache::find(path, &picture))
        return picture;
    const QResource resource(path);
    // Carried uncompressed: the pixels are used where the program holds them,
    // without a copy, when they lie on a word boundary.
    const bool inPlace = resource.compressionAlgorithm() == QResource::NoCompression;
    const QByteArray data = inPlace ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                                              resource.size())
                                    : resource.uncompressedData();
    std::uint32_t size[2] = {0, 0};
    if (data.size() < static_cast<qsizetype>(sizeof size))
        return picture;
    std::memcpy(size, data.constData(), sizeof size);
    const qsizetype rowBytes = qsizetype(size[0]) * 4;
    if (data.size() != qsizetype(sizeof size) + rowBytes * qsizetype(size[1]))
        return picture;
    const auto* pixels = reinterpret_cast<const uchar*>(data.constData() + sizeof size);
    QImage image(pixels, static_cast<int>(size[0]), static_cast<int>(size[1]), rowBytes,
                 QImage::Format_ARGB32_Premultiplied);
    if (!inPlace || reinterpret_cast<quintptr>(pixels) % 4 != 0)
        image = image.copy();
    picture = QPixmap::fromImage(image);
    QPixmapCache::insert(path, picture);
    return picture;
}

}  // namespace

QPixmap emblemPicture() { return RawPicture(QStringLiteral(":/tamrik/images/emblem.argb")); }

QPixmap paleEmblemPicture() { return RawPicture(QStringLiteral(":/tamrik/images/emblem-pale.argb")); }

}  // namespace tamrik
