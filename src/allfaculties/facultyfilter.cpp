#include "facultyfilter.h"

#include "facultiesmodel.h"
#include "qtext.h"

#include <cmath>

namespace tamrik {

FacultyFilter::FacultyFilter(FacultiesModel* faculties, QObject* parent)
    : QSortFilterProxyModel(parent), m_faculties(*faculties)
{
    setSourceModel(faculties);
}

QString FacultyFilter::SearchKey(const QString& text)
{
    // Compatibility decomposition splits SARA AM into NIKHAHIT + SARA AA.
    QString key = text.normalized(QString::NormalizationForm_KD).toCaseFolded();
    key.remove(QLatin1Char(' '));
    key.remove(QChar(0x00A0));
    key.remove(QChar(0x200B));  // zero-width space, common in text pasted from the web
    return key;
}

void FacultyFilter::setUniversity(const QString& university)
{
    m_university = university.toStdString();
    invalidateRowsFilter();
}

void FacultyFilter::setSearchText(const QString& text)
{
    m_searchKey = SearchKey(text.simplified());
    invalidateRowsFilter();
}

void FacultyFilter::setEligibleOnly(bool eligibleOnly)
{
    m_eligibleOnly = eligibleOnly;
    invalidateRowsFilter();
}

void FacultyFilter::sort(int column, Qt::SortOrder order)
{
    // The rows come in the ranking's order: by rank is no sort at all.
    QSortFilterProxyModel::sort(column == FacultiesModel::Rank ? -1 : column, order);
}

bool FacultyFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const FacultyRecord& faculty = m_faculties.record(sourceRow);
    if (!m_university.empty() && faculty.university != m_university)
        return false;
    if (m_eligibleOnly) {
        const FacultyScore& score = m_faculties.score(sourceRow);
        if (!score.ok || score.chance == Chance::FailsMinimum)
            return false;
    }
    if (m_searchKey.isEmpty())
        return true;
    if (m_nameKeys.empty()) {
        const std::vector<FacultyRecord>& all = m_faculties.evaluator().faculties();
        m_nameKeys.reserve(all.size());
        m_universityKeys.reserve(all.size());
        for (const FacultyRecord& each : all) {
            m_nameKeys.push_back(SearchKey(ToQString(each.name)));
            m_universityKeys.push_back(SearchKey(ToQString(each.university)));
        }
    }
    const std::size_t at = m_faculties.facultyOf(sourceRow);
    return m_nameKeys[at].contains(m_searchKey) || m_universityKeys[at].contains(m_searchKey);
}

bool FacultyFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const int column = left.column();
    const double a = m_faculties.sortFigure(left.row(), column);
    const double b = m_faculties.sortFigure(right.row(), column);
    if (!std::isnan(a))
        return a < b;
    const FacultyRecord& l = m_faculties.record(left.row());
    const FacultyRecord& r = m_faculties.record(right.row());
    switch (column) {
    case FacultiesModel::Code: return l.facCode < r.facCode;
    case FacultiesModel::University: return l.university < r.university;
    default: return l.name < r.name;
    }
}

}  // namespace tamrik
