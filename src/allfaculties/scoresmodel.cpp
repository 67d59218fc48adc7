#include "scoresmodel.h"

#include "colours.h"
#include "facultyrule.h"
#include "messageservice.h"
#include "qtext.h"
#include "session.h"
#include "subjectcheck.h"
#include "subtotals.h"

namespace tamrik {

ScoresModel::ScoresModel(Session& session, std::vector<ruledb::SubjectName> subjects, QObject* parent)
    : QAbstractTableModel(parent), m_session(session), m_subjects(std::move(subjects))
{
}

void ScoresModel::reload()
{
    if (!m_subjects.empty())
        emit dataChanged(index(0, Score), index(rowCount() - 1, Score));
}

int ScoresModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_subjects.size());
}

int ScoresModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString ScoresModel::scoreText(int row) const
{
    const auto restored = restoredScoreText(m_session.entries().ScoreByCode, m_subjects[row].code);
    return restored ? toQString(*restored) : QString();
}

QVariant ScoresModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ruledb::SubjectName& subject = m_subjects[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        switch (index.column()) {
        case Code: return toQString(subject.code);
        case Name: return toQString(subject.name);
        case Score: return scoreText(index.row());
        default: return {};
        }
    case Qt::BackgroundRole:
        // As on page 2: pale yellow for a score held.
        return index.column() == Score && !scoreText(index.row()).isEmpty() ? QVariant(Colour::PaleYellow)
                                                                            : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Score ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    default:
        return {};
    }
}

bool ScoresModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != Score || role != Qt::EditRole)
        return false;
    const ScoreBoxCheck check = checkScoreBox(value.toString().toStdString());
    if (!check.valid) {
        m_session.messages().show(toQString(kScoreRangeMessage));
        return false;
    }
    const ruledb::SubjectName& subject = m_subjects[static_cast<std::size_t>(index.row())];
    rememberScores({SubjectRow{subject.code, subject.name, check.text, std::string()}}, {},
                   m_session.entries().ScoreByCode);
    m_session.SaveEntriesFile();
    emit dataChanged(index, index);
    emit scoreEdited(toQString(subject.code));
    return true;
}

Qt::ItemFlags ScoresModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == Score)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ScoresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString headings[] = {QStringLiteral("รหัส"), QStringLiteral("วิชา"), QStringLiteral("คะแนน")};
    return section >= 0 && section < ColumnCount ? QVariant(headings[section]) : QVariant();
}

}  // namespace tamrik
