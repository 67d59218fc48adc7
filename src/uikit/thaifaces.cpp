#include "thaifaces.h"

#include <initializer_list>

namespace tamrik {
namespace {

QString firstOf(std::initializer_list<const char*> wanted, const QStringList& available, const QString& carried)
{
    for (const char* face : wanted) {
        const QString name = QString::fromLatin1(face);
        if (available.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return carried;
}

}  // namespace

ThaiFaces tlwgFaces()
{
    return {QStringLiteral("Loma"), QStringLiteral("Garuda"), QStringLiteral("Garuda"), QStringLiteral("Norasi")};
}

ThaiFaces windowsFaces(const QStringList& families, const QStringList& thaiFamilies)
{
    const ThaiFaces carried = tlwgFaces();
    // Microsoft Sans Serif before the bitmap MS Sans Serif, which it stands
    // for on Windows and which only has a few sizes.
    return {firstOf({"Microsoft Sans Serif", "MS Sans Serif", "Tahoma"}, thaiFamilies, carried.sans),
            firstOf({"CordiaUPC", "Tahoma"}, thaiFamilies, carried.title),
            firstOf({"Arial", "Tahoma"}, families, carried.product),
            firstOf({"Times New Roman", "Tahoma"}, families, carried.serif)};
}

QStringList carriedFontFiles(const ThaiFaces& faces)
{
    const ThaiFaces carried = tlwgFaces();
    const QStringList carriedFaces{carried.sans, carried.title, carried.product, carried.serif};
    QStringList files;
    for (const QString& face : {faces.sans, faces.title, faces.product, faces.serif}) {
        const QString regular = face + QStringLiteral(".ttf");
        if (carriedFaces.contains(face) && !files.contains(regular))
            files << regular << face + QStringLiteral("-Bold.ttf");
    }
    return files;
}

}  // namespace tamrik
