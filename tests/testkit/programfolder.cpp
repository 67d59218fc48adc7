#include "programfolder.h"

#include "contentcheck.h"

#include <QFile>
#include <sqlite3.h>

namespace tamrik::testing {

QString ProgramFolder::bundledRuleDb() { return qEnvironmentVariable("TAMRIK_RULE_DB"); }

ProgramFolder::ProgramFolder(bool withRuleDb)
{
    if (withRuleDb)
        QFile::copy(bundledRuleDb(), file(QStringLiteral("ScoreRule.mdb")));
}

void ProgramFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile out(file(name));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(bytes);
}

QByteArray ProgramFolder::read(const QString& name) const
{
    QFile in(file(name));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool ProgramFolder::exists(const QString& name) const { return QFile::exists(file(name)); }

QStringList ProgramFolder::lines(const QString& name) const
{
    QString text = QString::fromUtf8(read(name));
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

void ProgramFolder::writeLines(const QString& name, const QStringList& lines) const
{
    write(name, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
}

bool ProgramFolder::changeRuleDb(const QString& sql) const
{
    sqlite3* db = nullptr;
    const QByteArray path = file(QStringLiteral("ScoreRule.mdb")).toUtf8();
    const bool ok = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
                        SQLITE_OK &&
                    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    // The build records the new content's digest, so the change reaches the program.
    std::string digest;
    try {
        const ruledb::RuleDatabase changed(path.toStdString());
        if (const auto info = ruledb::ReadBuildInfo(changed); info && !info->ContentHash.empty())
            digest = ruledb::ContentDigest(changed, *info);
    } catch (const ruledb::DbError&) {
        // Not a database the program would open: nothing to record.
    }
    const QByteArray record = "UPDATE TamrikInfo SET ContentHash = '" + QByteArray::fromStdString(digest) + "';";
    const bool recorded = digest.empty() || sqlite3_exec(db, record.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok && recorded;
}

QStringList EntriesLines(const QString& scores, const QString& gpa, const QString& pr)
{
    QStringList lines(51, QStringLiteral("-1"));
    for (const QString& score : scores.split(u' ', Qt::SkipEmptyParts))
        lines[score.section(u'=', 0, 0).toInt() - 1] = score.section(u'=', 1);
    return lines << gpa << pr;
}

}  // namespace tamrik::testing
