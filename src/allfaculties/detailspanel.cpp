#include "detailspanel.h"

#include "facultiesmodel.h"
#include "namedwidget.h"

namespace tamrik {

DetailsPanel::DetailsPanel(const FacultiesModel& faculties, QWidget* parent) : QLabel(parent), m_faculties(faculties)
{
    named(this, QStringLiteral("LabelFacultyDetails"), QStringLiteral("รายละเอียดคณะที่เลือก"));
    setTextFormat(Qt::PlainText);  // names from the rule data
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void DetailsPanel::showFaculty(const QString& facCode)
{
    const FacultyEvaluation* faculty = facCode.isEmpty() ? nullptr : m_faculties.detailed(facCode.toStdString());
    setText(faculty ? FacultiesModel::detailsText(*faculty) : QStringLiteral("เลือกคณะในตารางเพื่อดูรายละเอียด"));
}

}  // namespace tamrik
