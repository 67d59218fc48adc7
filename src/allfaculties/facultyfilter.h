#pragma once
// The faculties table as filtered and sorted: by university, by a text found
// in the faculty's or the university's name, and to the faculties whose
// minimum criteria the applicant meets. Sorting is by each column's figure,
// not by its text.

#include "facultymatch.h"

#include <QSortFilterProxyModel>

namespace tamrik {

class FacultyFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FacultyFilter(QObject* parent = nullptr);

    void setUniversity(const QString& university);  // empty: every university
    void setSearchText(const QString& text);
    void setEligibleOnly(bool eligibleOnly);

    // searchKey() of the text.
    static QString SearchKey(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    FacultyFilterSettings m_filter;
};

}  // namespace tamrik
