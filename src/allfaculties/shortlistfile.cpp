#include "shortlistfile.h"

#include "facultyrule.h"
#include "gpapr.h"
#include "numtext.h"
#include "qtext.h"
#include "shortlist.h"
#include "subjectcheck.h"
#include "subtotals.h"
#include "summary.h"
#include "typedgpapr.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tamrik {
namespace {

// A GPA or PR the box shows, empty when there is none to show.
QString typedText(const std::string& digits, bool (*isDigits)(std::string_view),
                  std::string (*typed)(std::string_view))
{
    if (!isDigits(digits) || Val(digits) == 0)
        return QString();
    return toQString(typed(digits));
}

// A value as the user would type it: the file's text, or a number's shortest text.
std::optional<std::string> typedValue(const QJsonValue& value)
{
    if (value.isString())
        return value.toString().toStdString();
    if (value.isDouble())
        return numberText(value.toDouble());
    return std::nullopt;
}

struct Problem {
    QString text;
};

std::string gpaPrDigits(const QJsonObject& root, const QString& key, TypedDigits (*typed)(std::string_view),
                        const char* none)
{
    const QJsonValue value = root.value(key);
    if (value.isUndefined() || value.isNull())
        return none;
    const std::optional<std::string> text = typedValue(value);
    if (!text)
        throw Problem{QStringLiteral("%1 ไม่ใช่ตัวเลข").arg(key.toUpper())};
    const TypedDigits digits = typed(*text);
    if (digits.message)
        throw Problem{QStringLiteral("%1 \"%2\": %3").arg(key.toUpper(), toQString(*text), toQString(*digits.message))};
    return digits.digits;
}

void readScores(const QJsonObject& root, ShortlistFile& file)
{
    const QJsonValue scores = root.value(QStringLiteral("scores"));
    if (scores.isUndefined())
        return;
    if (!scores.isObject())
        throw Problem{QStringLiteral("\"scores\" ต้องเป็นรายการรหัสวิชากับคะแนน")};
    const QJsonObject byCode = scores.toObject();
    for (auto it = byCode.begin(); it != byCode.end(); ++it) {
        const std::string code = it.key().toStdString();
        if (code.size() != 2 || !scoreSlot(code))
            throw Problem{QStringLiteral("รหัสวิชา \"%1\" ไม่ใช่รหัส 01 ถึง 51").arg(it.key())};
        const std::optional<std::string> text = typedValue(it.value());
        const ScoreBoxCheck check = checkScoreBox(text.value_or("?"));
        if (!check.valid)
            throw Problem{QStringLiteral("คะแนนวิชา %1: %2").arg(it.key(), toQString(kScoreRangeMessage))};
        rememberScores({SubjectRow{code, std::string(), check.text, std::string()}}, {}, file.ScoreByCode);
    }
}

void readChoices(const QJsonObject& root, ShortlistFile& file)
{
    const QJsonValue choices = root.value(QStringLiteral("choices"));
    if (choices.isUndefined())
        return;
    if (!choices.isArray())
        throw Problem{QStringLiteral("\"choices\" ต้องเป็นรายการรหัสคณะ")};
    Shortlist list;
    for (const QJsonValue& choice : choices.toArray()) {
        const std::string code = choice.toString().toStdString();
        if (!choice.isString() || !isFacultyCode(code))
            throw Problem{QStringLiteral("รหัสคณะ \"%1\" ไม่ใช่ตัวเลข 4 หลัก").arg(choice.toVariant().toString())};
        switch (list.add(code)) {
        case Shortlist::Added::Yes: break;
        case Shortlist::Added::Full: throw Problem{toQString(kChoicesFullMessage)};
        case Shortlist::Added::AlreadyIn:
            throw Problem{QStringLiteral("รหัสคณะ %1: %2").arg(toQString(code), toQString(kAlreadyChosenMessage))};
        }
    }
    file.choices = list.codes();
}

ShortlistFile readRoot(const QJsonObject& root)
{
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(kShortlistFormat))
        throw Problem{QStringLiteral("ไม่ใช่ไฟล์อันดับที่เลือกของ Tamrik")};
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != kShortlistVersion)
        throw Problem{QStringLiteral("ไฟล์รุ่น %1 ซึ่งโปรแกรมนี้อ่านไม่ได้ (อ่านได้รุ่น %2)")
                          .arg(version.toVariant().toString())
                          .arg(kShortlistVersion)};
    ShortlistFile file;
    const QJsonValue name = root.value(QStringLiteral("name"));
    if (!name.isUndefined() && !name.isNull()) {
        if (!name.isString())
            throw Problem{QStringLiteral("ชื่อผู้สมัครต้องเป็นข้อความ")};
        file.name = name.toString().simplified();
        if (file.name.size() > kMaxApplicantNameLength)
            throw Problem{QStringLiteral("ชื่อผู้สมัครยาวเกิน %1 ตัวอักษร").arg(kMaxApplicantNameLength)};
    }
    readScores(root, file);
    file.GpaDigits = gpaPrDigits(root, QStringLiteral("gpa"), &typedGpaDigits, "000");
    file.PrDigits = gpaPrDigits(root, QStringLiteral("pr"), &typedPrDigits, "0000");
    readChoices(root, file);
    return file;
}

}  // namespace

QString subjectCode(std::size_t slot) { return QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0')); }

QByteArray shortlistFileBytes(const ShortlistFile& file)
{
    QJsonObject scores;
    for (std::size_t slot = 0; slot < file.ScoreByCode.size(); ++slot) {
        const QString code = subjectCode(slot);
        if (restoredScoreText(file.ScoreByCode, code.toStdString()))
            scores.insert(code, toQString(file.ScoreByCode[slot]));
    }
    QJsonArray choices;
    for (const std::string& code : file.choices)
        choices.append(toQString(code));
    const QJsonObject root{
        {QStringLiteral("format"), QLatin1String(kShortlistFormat)},
        {QStringLiteral("version"), kShortlistVersion},
        {QStringLiteral("name"), file.name},
        {QStringLiteral("scores"), scores},
        {QStringLiteral("gpa"), typedText(file.GpaDigits, &isGpaDigits, &typedGpaText)},
        {QStringLiteral("pr"), typedText(file.PrDigits, &isPrDigits, &typedPrText)},
        {QStringLiteral("choices"), choices},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ShortlistFileRead readShortlistFile(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("ไม่ใช่ JSON ที่อ่านได้ (%1 ที่ตำแหน่ง %2)").arg(error.errorString()).arg(error.offset)};
    if (!document.isObject())
        return {std::nullopt, QStringLiteral("ไม่ใช่ไฟล์อันดับที่เลือกของ Tamrik")};
    try {
        return {readRoot(document.object()), QString()};
    } catch (const Problem& problem) {
        return {std::nullopt, problem.text};
    }
}

}  // namespace tamrik
