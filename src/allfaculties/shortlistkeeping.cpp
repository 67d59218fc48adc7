#include "shortlistkeeping.h"

#include "atomicfile.h"
#include "qtext.h"
#include "session.h"

#include <QFile>
#include <QFileInfo>

namespace tamrik {

ShortlistFile currentShortlistFile(const Session& session, const std::vector<std::string>& choices)
{
    ShortlistFile file;
    file.name = QString::fromStdString(session.applicantName());
    file.ScoreByCode = session.entries().ScoreByCode;
    file.GpaDigits = session.entries().GpaDigits;
    file.PrDigits = session.entries().PrDigits;
    file.choices = choices;
    return file;
}

bool saveShortlistFile(const QString& path, const ShortlistFile& file)
{
    const QByteArray bytes = shortlistFileBytes(file);
    return writeTextAtomically(pathFromQString(path),
                               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

ShortlistFileRead loadShortlistFile(const QString& path)
{
    QFile in(path);
    if (!QFileInfo(path).isFile() || !in.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("อ่านไฟล์ไม่ได้")};
    const QByteArray bytes = in.read(kMaxShortlistBytes + 1);
    if (bytes.size() > kMaxShortlistBytes)
        return {std::nullopt, QStringLiteral("ไฟล์ใหญ่เกินกว่าจะเป็นไฟล์อันดับที่เลือก")};
    return readShortlistFile(bytes);
}

QString openFailedMessage(const QString& path, const QString& problem)
{
    return QStringLiteral("เปิดไฟล์ %1 ไม่ได้: %2").arg(QFileInfo(path).fileName(), problem);
}

QStringList takeShortlistFile(Session& session, const ShortlistFile& file)
{
    UserEntries& entries = session.entries();
    QStringList changed;
    for (std::size_t slot = 0; slot < entries.ScoreByCode.size(); ++slot) {
        if (entries.ScoreByCode[slot] != file.ScoreByCode[slot])
            changed << subjectCode(slot);
    }
    entries.ScoreByCode = file.ScoreByCode;
    entries.GpaDigits = file.GpaDigits;
    entries.PrDigits = file.PrDigits;
    session.applicantName() = file.name.toStdString();
    session.SaveEntriesFile();
    return changed;
}

}  // namespace tamrik
