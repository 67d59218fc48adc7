#pragma once
// A written PDF read back with poppler's tools: its text as pdftotext lays
// it out, and its page count. Header-only.

#include <QProcess>
#include <QString>

namespace tamrik::testing {

inline QString PdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

inline int PdfPages(const QString& path)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    pdfinfo.waitForFinished(30000);
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    const int at = info.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? -1 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

}  // namespace tamrik::testing
