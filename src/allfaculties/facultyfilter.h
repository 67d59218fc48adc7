#pragma once
// The faculties table as filtered and sorted: by university, by a text found
// in the faculty's or the university's name, and to the faculties whose
// minimum criteria the applicant meets. Sorting is by each column's figure,
// not by its text.

#include <QSortFilterProxyModel>

namespace tamrik {

class FacultyFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FacultyFilter(QObject* parent = nullptr);

    void setUniversity(const QString& university);  // empty: every university
    void setSearchText(const QString& text);
    void setEligibleOnly(bool eligibleOnly);

    // Thai typed two ways (SARA AM as one character or as NIKHAHIT + SARA AA),
    // blanks and letter case do not keep a name from matching.
    static QString SearchKey(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString m_university;
    QString m_searchKey;
    bool m_eligibleOnly = false;
};

}  // namespace tamrik
