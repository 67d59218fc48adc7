#pragma once
// The selected faculty's details below the ranking: the minimums failed, the
// subjects missing, what is needed, every year's range, as the ranking shows
// it (a value still being typed included).

#include <QLabel>

namespace tamrik {

class FacultiesModel;

class DetailsPanel : public QLabel {
    Q_OBJECT
public:
    explicit DetailsPanel(const FacultiesModel& faculties, QWidget* parent = nullptr);

    // A hint to select one when the code is empty or names no faculty.
    void showFaculty(const QString& facCode);

private:
    const FacultiesModel& m_faculties;
};

}  // namespace tamrik
