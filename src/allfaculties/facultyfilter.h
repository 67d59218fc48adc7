#pragma once
// The faculties table as filtered and sorted: by university, by a text found
// in the faculty's or the university's name, and to the faculties whose
// minimum criteria the applicant meets. Sorting is by each column's figure,
// not by its text; by rank it is the ranking's own order.

#include "facultymatch.h"

#include <QSortFilterProxyModel>
#include <string>
#include <vector>

namespace tamrik {

class FacultiesModel;

class FacultyFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FacultyFilter(FacultiesModel* faculties, QObject* parent = nullptr);

    void setUniversity(const QString& university);  // empty: every university
    void setSearchText(const QString& text);
    void setEligibleOnly(bool eligibleOnly);

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    const FacultiesModel& m_faculties;
    FacultyFilterSettings m_filter;
    // Each faculty's name and university as search keys, by faculty: made
    // on the first search, as names do not change.
    mutable std::vector<std::string> m_nameKeys, m_universityKeys;
};

}  // namespace tamrik
