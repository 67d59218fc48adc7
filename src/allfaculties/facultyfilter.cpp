#include "facultyfilter.h"

#include "facultiesmodel.h"
#include "qtext.h"
#include "searchkey.h"

namespace tamrik {

FacultyFilter::FacultyFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(FacultiesModel::SortRole);
}

QString FacultyFilter::SearchKey(const QString& text)
{
    return ToQString(searchKey(text.toStdString()));
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

bool FacultyFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto* faculties = static_cast<const FacultiesModel*>(sourceModel());
    const FacultyEvaluation& e = faculties->evaluation(sourceRow);
    return facultyResultMatches(m_filter, e.ok(), e.chance) && facultyNameMatches(m_filter, e.university, e.name);
}

}  // namespace tamrik
