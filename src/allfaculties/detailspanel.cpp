#include "detailspanel.h"

#include "facultiesmodel.h"
#include "facultyscoring.h"
#include "namedwidget.h"

namespace tamrik {

DetailsPanel::DetailsPanel(const FacultyScoring& scoring, QWidget* parent) : QLabel(parent), m_scoring(scoring)
{
    Named(this, QStringLiteral("LabelFacultyDetails"), QStringLiteral("รายละเอียดคณะที่เลือก"));
    setTextFormat(Qt::PlainText);  // names from the rule data
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void DetailsPanel::showFaculty(const QString& facCode, const Applicant& applicant)
{
    const FacultyRecord* faculty = facCode.isEmpty() ? nullptr : m_scoring.record(facCode.toStdString());
    if (!faculty) {
        setText(QStringLiteral("เลือกคณะในตารางเพื่อดูรายละเอียด"));
        return;
    }
    setText(FacultiesModel::DetailsText(m_scoring.evaluate(*faculty, applicant)));
}

}  // namespace tamrik
