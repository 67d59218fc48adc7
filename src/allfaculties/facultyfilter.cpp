#include "facultyfilter.h"

#include "facultiesmodel.h"
#include "qtext.h"

namespace tamrik {

FacultyFilter::FacultyFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(FacultiesModel::SortRole);
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
    m_university = university;
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

bool FacultyFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto* faculties = static_cast<const FacultiesModel*>(sourceModel());
    const FacultyEvaluation& e = faculties->evaluation(sourceRow);
    const QString university = ToQString(e.university);
    if (!m_university.isEmpty() && university != m_university)
        return false;
    if (m_eligibleOnly && (!e.ok() || e.chance == Chance::FailsMinimum || !e.minimums.empty()))
        return false;
    if (m_searchKey.isEmpty())
        return true;
    return SearchKey(ToQString(e.name)).contains(m_searchKey) || SearchKey(university).contains(m_searchKey);
}

}  // namespace tamrik
