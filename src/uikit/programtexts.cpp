#include "programtexts.h"

#include "qtext.h"
#include "tamrikversion.h"

namespace tamrik {

QString ResultNoticeText() { return QString::fromUtf8(kResultNotice); }

QString VersionNumber()
{
    return QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision);
}

QString DataInfoText(const QString& admissionYear, const QString& buildDate)
{
    const QString built = QStringLiteral("สร้างเมื่อ ") + buildDate;
    return admissionYear.isEmpty() ? QStringLiteral("ข้อมูล") + built
                                   : QStringLiteral("ข้อมูลปีการศึกษา %1 ").arg(admissionYear) + built;
}

QString DataInfoText(const ruledb::BuildInfo& info)
{
    const QString line = DataInfoText(ToQString(info.AdmissionYear), ToQString(info.BuildDate));
    return info.ContentHash.empty() ? line + QLatin1Char(' ') + UnverifiedText() : line;
}

QString UnverifiedText() { return QStringLiteral("(ไม่ได้ตรวจสอบ)"); }

}  // namespace tamrik
