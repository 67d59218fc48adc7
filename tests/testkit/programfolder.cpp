#include "programfolder.h"

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

}  // namespace tamrik::testing
