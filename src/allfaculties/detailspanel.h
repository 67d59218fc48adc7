#pragma once
// The selected faculty's details below the ranking: the minimums failed, the
// subjects missing, what is needed, every year's range, for the entries
// being ranked (a value still being typed included).

#include "applicant.h"

#include <QLabel>

namespace tamrik {

class FacultyScoring;

class DetailsPanel : public QLabel {
    Q_OBJECT
public:
    explicit DetailsPanel(const FacultyScoring& scoring, QWidget* parent = nullptr);

    // A hint to select one when the code is empty or names no faculty.
    void showFaculty(const QString& facCode, const Applicant& applicant);

private:
    const FacultyScoring& m_scoring;
};

}  // namespace tamrik
