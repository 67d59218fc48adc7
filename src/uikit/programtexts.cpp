#include "programtexts.h"

#include "qtext.h"
#include "tamrikversion.h"

namespace tamrik {

QString resultNoticeText() { return QString::fromUtf8(kResultNotice); }

QString versionNumber()
{
    return QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision);
}

QString dataInfoText(const QString& admissionYear, const QString& buildDate)
{
    const QString built = QStringLiteral("สร้างเมื่อ ") + buildDate;
    return admissionYear.isEmpty() ? QStringLiteral("ข้อมูล") + built
                                   : QStringLiteral("ข้อมูลปีการศึกษา %1 ").arg(admissionYear) + built;
}

QString dataInfoText(const ruledb::BuildInfo& info)
{
    const QString line = dataInfoText(toQString(info.admissionYear), toQString(info.BuildDate));
    return info.ContentHash.empty() ? line + QLatin1Char(' ') + unverifiedText() : line;
}

QString unverifiedText() { return QStringLiteral("(ไม่ได้ตรวจสอบ)"); }

}  // namespace tamrik
