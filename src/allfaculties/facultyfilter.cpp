#include "facultyfilter.h"

#include "facultiesmodel.h"
#include "searchkey.h"

#include <cmath>

namespace tamrik {

FacultyFilter::FacultyFilter(FacultiesModel* faculties, QObject* parent)
    : QSortFilterProxyModel(parent), m_faculties(*faculties)
{
    setSourceModel(faculties);
}

void FacultyFilter::setUniversity(const QString& university)
{
    m_filter.universityKey = searchKey(university.toStdString());
    invalidateRowsFilter();
}

void FacultyFilter::setSearchText(const QString& text)
{
    m_filter.searchKey = searchKey(text.toStdString());
    invalidateRowsFilter();
}

void FacultyFilter::setEligibleOnly(bool eligibleOnly)
{
    m_filter.eligibleOnly = eligibleOnly;
    invalidateRowsFilter();
}

void FacultyFilter::sort(int column, Qt::SortOrder order)
{
    // The rows come in the ranking's order: by rank is no sort at all.
    QSortFilterProxyModel::sort(column == FacultiesModel::Rank ? -1 : column, order);
}

bool FacultyFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const FacultyScore& score = m_faculties.score(sourceRow);
    if (!facultyResultMatches(m_filter, score.ok, score.chance))
        return false;
    if (m_filter.universityKey.empty() && m_filter.searchKey.empty())
        return true;
    if (m_nameKeys.empty()) {
        const std::vector<FacultyEntry>& all = m_faculties.evaluator().faculties();
        m_nameKeys.reserve(all.size());
        m_universityKeys.reserve(all.size());
        for (const FacultyEntry& each : all) {
            m_nameKeys.push_back(searchKey(each.name));
            m_universityKeys.push_back(searchKey(each.university));
        }
    }
    const std::size_t at = m_faculties.facultyOf(sourceRow);
    return facultyKeysMatch(m_filter, m_universityKeys[at], m_nameKeys[at]);
}

bool FacultyFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const int column = left.column();
    const double a = m_faculties.sortFigure(left.row(), column);
    const double b = m_faculties.sortFigure(right.row(), column);
    if (!std::isnan(a))
        return a < b;
    const FacultyEntry& l = m_faculties.record(left.row());
    const FacultyEntry& r = m_faculties.record(right.row());
    switch (column) {
    case FacultiesModel::Code: return l.facCode < r.facCode;
    case FacultiesModel::University: return l.university < r.university;
    default: return l.name < r.name;
    }
}

}  // namespace tamrik
