// rawpixels IN.png OUT: the picture as the program draws it (32-bit
// premultiplied ARGB, native byte order, rows packed), after an 8-byte header
// of width and height. The program then copies pixels at start-up instead of
// decoding a PNG, which would also make Qt look through its image plugins.
#include <QImage>

#include <cstdint>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rawpixels IN.png OUT\n");
        return 2;
    }
    QImage image;
    if (!image.load(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "rawpixels: cannot read %s\n", argv[1]);
        return 1;
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        std::fprintf(stderr, "rawpixels: cannot write %s\n", argv[2]);
        return 1;
    }
    const std::uint32_t size[2] = {static_cast<std::uint32_t>(image.width()),
                                   static_cast<std::uint32_t>(image.height())};
    bool ok = std::fwrite(size, sizeof size, 1, out) == 1;
    const auto rowBytes = static_cast<std::size_t>(image.width()) * 4;
    for (int y = 0; ok && y < image.height(); ++y)
        ok = std::fwrite(image.constScanLine(y), 1, rowBytes, out) == rowBytes;
    if (std::fclose(out) != 0 || !ok) {
        std::fprintf(stderr, "rawpixels: cannot write %s\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
