#include "rankingpanel.h"

#include "facultiesmodel.h"
#include "facultyfilter.h"
#include "namedwidget.h"
#include "qtext.h"
#include "rangebardelegate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace tamrik {

RankingPanel::RankingPanel(const std::vector<FacultyRecord>& faculties, QWidget* parent) : QWidget(parent)
{
    m_faculties = new FacultiesModel(this);
    m_filter = new FacultyFilter(this);
    m_filter->setSourceModel(m_faculties);

    m_ComboUniverFilter =
        Named(new QComboBox, QStringLiteral("ComboUniverFilter"), QStringLiteral("กรองตามมหาวิทยาลัย"));
    m_ComboUniverFilter->addItem(QStringLiteral("ทุกมหาวิทยาลัย"));
    for (const FacultyRecord& faculty : faculties) {
        const QString university = ToQString(faculty.university);
        if (m_ComboUniverFilter->findText(university) < 0)
            m_ComboUniverFilter->addItem(university);
    }
    m_TextFacultyFilter =
        Named(new QLineEdit, QStringLiteral("TextFacultyFilter"), QStringLiteral("ค้นหาชื่อคณะหรือมหาวิทยาลัย"));
    m_TextFacultyFilter->setPlaceholderText(QStringLiteral("ค้นหาชื่อคณะหรือมหาวิทยาลัย"));
    m_TextFacultyFilter->setClearButtonEnabled(true);
    m_CheckEligibleOnly = Named(new QCheckBox(QStringLiteral("เฉพาะที่ผ่านเกณฑ์ขั้นต่ำ")),
                                QStringLiteral("CheckEligibleOnly"), QStringLiteral("เฉพาะที่ผ่านเกณฑ์ขั้นต่ำ"));
    auto* filters = new QHBoxLayout;
    filters->addWidget(m_ComboUniverFilter);
    filters->addWidget(m_TextFacultyFilter, 1);
    filters->addWidget(m_CheckEligibleOnly);

    m_TableFaculties = Named(new QTableView, QStringLiteral("TableFaculties"), QStringLiteral("ทุกคณะเรียงตามโอกาส"));
    m_TableFaculties->setModel(m_filter);
    m_TableFaculties->setTabKeyNavigation(false);
    m_TableFaculties->setSortingEnabled(true);
    m_TableFaculties->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_TableFaculties->setSelectionMode(QAbstractItemView::SingleSelection);
    m_TableFaculties->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_TableFaculties->setItemDelegateForColumn(FacultiesModel::RangeBar, new RangeBarDelegate(m_TableFaculties));
    m_TableFaculties->verticalHeader()->hide();
    QHeaderView* header = m_TableFaculties->horizontalHeader();
    // The figures' columns are fitted to their contents by fitFigureColumns:
    // measuring every cell on each ranking would slow typing down.
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->resizeSection(FacultiesModel::University, 150);
    header->resizeSection(FacultiesModel::Faculty, 210);
    header->setSectionResizeMode(FacultiesModel::RangeBar, QHeaderView::Fixed);
    header->resizeSection(FacultiesModel::RangeBar, 170);
    header->resizeSection(FacultiesModel::Years, 150);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(filters);
    layout->addWidget(m_TableFaculties, 1);

    connect(m_ComboUniverFilter, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_filter->setUniversity(index <= 0 ? QString() : m_ComboUniverFilter->itemText(index));
    });
    connect(m_TextFacultyFilter, &QLineEdit::textChanged, m_filter, &FacultyFilter::setSearchText);
    connect(m_CheckEligibleOnly, &QCheckBox::toggled, m_filter, &FacultyFilter::setEligibleOnly);
    connect(m_TableFaculties->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &RankingPanel::selectionChanged);
    connect(m_TableFaculties, &QTableView::activated, this, &RankingPanel::openSelected);
}

QList<QWidget*> RankingPanel::tabStops() const
{
    return {m_ComboUniverFilter, m_TextFacultyFilter, m_CheckEligibleOnly, m_TableFaculties};
}

void RankingPanel::setEvaluations(std::vector<FacultyEvaluation> evaluations)
{
    const QString selected = selectedCode();
    m_faculties->setEvaluations(std::move(evaluations));
    const int row = selected.isEmpty() ? -1 : m_faculties->rowOf(selected.toStdString());
    const QModelIndex at = row < 0 ? QModelIndex() : m_filter->mapFromSource(m_faculties->index(row, 0));
    // The reset took the selection; putting it back tells of it, unless the
    // current row survived it.
    const QModelIndex current = m_TableFaculties->currentIndex();
    if (at.isValid())
        m_TableFaculties->selectionModel()->setCurrentIndex(
            at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!at.isValid() || (current.isValid() && current.row() == at.row()))
        emit selectionChanged();
}

QString RankingPanel::selectedCode() const
{
    const QModelIndex current = m_TableFaculties->currentIndex();
    if (!current.isValid())
        return QString();
    return m_filter->index(current.row(), FacultiesModel::Code).data().toString();
}

void RankingPanel::fitFigureColumns()
{
    for (const int column : {FacultiesModel::Rank, FacultiesModel::Code, FacultiesModel::Composite,
                             FacultiesModel::Highest, FacultiesModel::LastMin, FacultiesModel::LastMax,
                             FacultiesModel::MarginPercent, FacultiesModel::ChanceColumn})
        m_TableFaculties->resizeColumnToContents(column);
}

void RankingPanel::sortByRank() { m_TableFaculties->sortByColumn(FacultiesModel::Rank, Qt::AscendingOrder); }

void RankingPanel::showEveryFaculty()
{
    m_ComboUniverFilter->setCurrentIndex(0);
    m_TextFacultyFilter->clear();
    m_CheckEligibleOnly->setChecked(false);
}

void RankingPanel::openSelected()
{
    const QString code = selectedCode();
    if (!code.isEmpty())
        emit facultyChosen(code);
}

}  // namespace tamrik
