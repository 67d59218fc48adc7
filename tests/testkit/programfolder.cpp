#include "programfolder.h"

#include "rulechange.h"

#include <QFile>

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
    return test::ChangeRuleDb(file(QStringLiteral("ScoreRule.mdb")).toStdString(), sql.toStdString());
}

QStringList EntriesLines(const QString& scores, const QString& gpa, const QString& pr)
{
    QStringList lines(51, QStringLiteral("-1"));
    for (const QString& score : scores.split(u' ', Qt::SkipEmptyParts))
        lines[score.section(u'=', 0, 0).toInt() - 1] = score.section(u'=', 1);
    return lines << gpa << pr;
}

}  // namespace tamrik::testing
