#pragma once
// What the program says of itself and of its rule data, in its windows and
// at the foot of its printed pages alike.

#include "buildinfo.h"
#include "vocabulary.h"

#include <QString>

namespace tamrik {

// UTF-8. The foot line, tamrik-calc's too.
using words::kResultNotice;
QString resultNoticeText();

// "1.0.4": the build's major, minor and revision numbers.
QString versionNumber();

// "ข้อมูลปีการศึกษา 2543 สร้างเมื่อ 2026-12-06"; without the year part when
// the year is not known.
QString dataInfoText(const QString& admissionYear, const QString& buildDate);
// With unverifiedText after it when the build recorded no content digest.
QString dataInfoText(const ruledb::BuildInfo& info);
// "(ไม่ได้ตรวจสอบ)": nothing tells whether the data were changed since.
QString unverifiedText();

}  // namespace tamrik
