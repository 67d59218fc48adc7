#include "rankingpanel.h"

#include "chancelegend.h"
#include "chancestyle.h"
#include "facultiesmodel.h"
#include "facultyfilter.h"
#include "namedwidget.h"
#include "numtext.h"
#include "qtext.h"
#include "rangebardelegate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace tamrik {
namespace {

// Left to right: what a faculty is and how the applicant compares with its
// earlier years come first, so that they fit a small screen together; the
// figures behind them follow.
const FacultiesModel::Column ShownOrder[] = {
    FacultiesModel::Rank,     FacultiesModel::Code,          FacultiesModel::Faculty,  FacultiesModel::University,
    FacultiesModel::Composite, FacultiesModel::ChanceColumn, FacultiesModel::MarginPercent, FacultiesModel::RangeBar,
    FacultiesModel::LastMin,  FacultiesModel::LastMax,       FacultiesModel::Highest,  FacultiesModel::Years,
};

}  // namespace

RankingPanel::RankingPanel(const Evaluator& evaluator, QWidget* parent) : QWidget(parent)
{
    m_faculties = new FacultiesModel(evaluator, this);
    m_filter = new FacultyFilter(m_faculties, this);

    m_ComboUniverFilter =
        named(new QComboBox, QStringLiteral("ComboUniverFilter"), QStringLiteral("กรองตามมหาวิทยาลัย"));
    m_ComboUniverFilter->addItem(QStringLiteral("ทุกมหาวิทยาลัย"));
    std::unordered_set<std::string_view> universities;
    for (const FacultyEntry& faculty : evaluator.faculties()) {
        if (universities.insert(faculty.university).second)
            m_ComboUniverFilter->addItem(toQString(faculty.university));
    }
    m_TextFacultyFilter =
        named(new QLineEdit, QStringLiteral("TextFacultyFilter"), QStringLiteral("ค้นหาชื่อคณะหรือมหาวิทยาลัย"));
    m_TextFacultyFilter->setPlaceholderText(QStringLiteral("ค้นหาชื่อคณะหรือมหาวิทยาลัย"));
    m_TextFacultyFilter->setClearButtonEnabled(true);
    m_CheckEligibleOnly = named(new QCheckBox(QStringLiteral("เฉพาะที่ผ่านเกณฑ์ขั้นต่ำ (&E)")),
                                QStringLiteral("CheckEligibleOnly"), QStringLiteral("เฉพาะที่ผ่านเกณฑ์ขั้นต่ำ"));
    m_CmdLegend = named(new QPushButton(QStringLiteral("คำอธิบายผลเทียบ (&L)")), QStringLiteral("CmdLegend"),
                        QStringLiteral("คำอธิบายผลเทียบกับช่วงคะแนนปีก่อน"));
    auto* filters = new QHBoxLayout;
    filters->addWidget(m_ComboUniverFilter);
    filters->addWidget(m_TextFacultyFilter, 1);
    filters->addWidget(m_CheckEligibleOnly);
    filters->addWidget(m_CmdLegend);

    m_TableFaculties = named(new QTableView, QStringLiteral("TableFaculties"),
                             QStringLiteral("ทุกคณะเรียงตามผลเทียบกับช่วงคะแนนปีก่อน"));
    m_TableFaculties->setModel(m_filter);
    m_TableFaculties->setTabKeyNavigation(false);
    m_TableFaculties->setSortingEnabled(true);
    m_TableFaculties->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_TableFaculties->setSelectionMode(QAbstractItemView::SingleSelection);
    m_TableFaculties->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_TableFaculties->setItemDelegateForColumn(FacultiesModel::RangeBar, new RangeBarDelegate(m_TableFaculties));
    m_TableFaculties->setTextElideMode(Qt::ElideRight);
    m_TableFaculties->setWordWrap(false);
    QHeaderView* rows = m_TableFaculties->verticalHeader();
    rows->hide();
    // One line of text a row, so that a small screen still shows a dozen.
    rows->setMinimumSectionSize(fontMetrics().height());
    rows->setDefaultSectionSize(fontMetrics().height() + 2);
    QHeaderView* header = m_TableFaculties->horizontalHeader();
    for (int place = 0; place < static_cast<int>(std::size(ShownOrder)); ++place)
        header->moveSection(header->visualIndex(ShownOrder[place]), place);
    // The figures' columns are fitted to their contents by fitFigureColumns:
    // measuring every cell on each ranking would slow typing down.
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->resizeSection(FacultiesModel::University, 140);
    header->resizeSection(FacultiesModel::Faculty, 180);
    header->setSectionResizeMode(FacultiesModel::RangeBar, QHeaderView::Fixed);
    header->resizeSection(FacultiesModel::RangeBar, 170);
    header->resizeSection(FacultiesModel::Years, 150);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, &RankingPanel::showColumnMenu);

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
    connect(m_CmdLegend, &QPushButton::clicked, this, &RankingPanel::legendRequested);
}

QList<QWidget*> RankingPanel::tabStops() const
{
    return {m_ComboUniverFilter, m_TextFacultyFilter, m_CheckEligibleOnly, m_CmdLegend, m_TableFaculties};
}

void RankingPanel::showColumnMenu(const QPoint& at)
{
    QHeaderView* header = m_TableFaculties->horizontalHeader();
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("MenuColumns"));
    for (const FacultiesModel::Column column : ShownOrder) {
        QAction* action =
            menu.addAction(m_faculties->headerData(column, Qt::Horizontal, FacultiesModel::HeadingRole).toString());
        action->setCheckable(true);
        action->setChecked(!header->isSectionHidden(column));
        // What names a faculty and its label stay.
        action->setEnabled(column != FacultiesModel::Code && column != FacultiesModel::Faculty &&
                           column != FacultiesModel::ChanceColumn);
        connect(action, &QAction::toggled, header, [header, column](bool shown) { header->setSectionHidden(column, !shown); });
    }
    menu.exec(header->mapToGlobal(at));
}

void RankingPanel::setRanking(Ranking ranking)
{
    const QString selected = selectedCode();
    // A ranking replaces the rows: the reader's place in the table stays.
    const int across = m_TableFaculties->horizontalScrollBar()->value();
    const int down = m_TableFaculties->verticalScrollBar()->value();
    const int column = std::max(0, m_TableFaculties->currentIndex().column());
    m_faculties->setRanking(std::move(ranking));
    const int row = selected.isEmpty() ? -1 : m_faculties->rowOf(selected.toStdString());
    const QModelIndex at = row < 0 ? QModelIndex() : m_filter->mapFromSource(m_faculties->index(row, column));
    // The reset took the selection; putting it back tells of it, unless the
    // current row survived it.
    const QModelIndex current = m_TableFaculties->currentIndex();
    if (at.isValid())
        m_TableFaculties->selectionModel()->setCurrentIndex(
            at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_TableFaculties->doItemsLayout();  // the scroll bars' ranges, taken by the reset
    m_TableFaculties->horizontalScrollBar()->setValue(across);
    m_TableFaculties->verticalScrollBar()->setValue(down);
    if (!at.isValid() || (current.isValid() && current.row() == at.row()))
        emit selectionChanged();
}

QString RankingPanel::selectedCode() const
{
    const QModelIndex current = m_TableFaculties->currentIndex();
    if (!current.isValid())
        return QString();
    return toQString(m_faculties->record(m_filter->mapToSource(current).row()).facCode);
}

void RankingPanel::fitFigureColumns()
{
    // Fitted to the widest text a column can show, not to the rows: the same
    // whatever the ranking, and no faculty written out to measure it.
    const Evaluator& evaluator = m_faculties->evaluator();
    std::size_t codeLength = 0;
    double highest = 0;
    for (std::size_t i = 0; i < evaluator.faculties().size(); ++i) {
        codeLength = std::max(codeLength, evaluator.faculties()[i].facCode.size());
        highest = std::max(highest, evaluator.highest(i));
    }
    const auto digits = [](const QString& text) {
        QString eights = text;
        for (QChar& c : eights) {
            if (c.isDigit())
                c = QLatin1Char('8');
        }
        return eights;
    };
    const QString figure = digits(toQString(Format(highest, "0.00")));
    const QFontMetrics metrics = m_TableFaculties->fontMetrics();
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_TableFaculties) + 1) + 6;
    QHeaderView* header = m_TableFaculties->horizontalHeader();
    const auto fit = [&](int column, const QStringList& texts) {
        int width = header->sectionSizeHint(column);
        for (const QString& text : texts)
            width = std::max(width, metrics.horizontalAdvance(text) + margin);
        header->resizeSection(column, width);
    };
    fit(FacultiesModel::Rank, {digits(QString::number(evaluator.faculties().size()))});
    fit(FacultiesModel::Code, {QString(static_cast<int>(codeLength), QLatin1Char('8'))});
    fit(FacultiesModel::Composite, {partialFigure(figure)});
    for (const int column : {FacultiesModel::Highest, FacultiesModel::LastMin, FacultiesModel::LastMax})
        fit(column, {figure});
    fit(FacultiesModel::MarginPercent, {partialFigure(QStringLiteral("-88.88"))});
    QStringList labels;
    for (const LegendLine& line : chanceLegend())
        labels << chanceText(line.chance);
    fit(FacultiesModel::ChanceColumn, labels);
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
