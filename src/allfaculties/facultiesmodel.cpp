#include "facultiesmodel.h"

#include "chancelegend.h"
#include "chancestyle.h"
#include "evaluationtext.h"
#include "numtext.h"
#include "qtext.h"
#include "vocabulary.h"

#include <QPointF>
#include <limits>

namespace tamrik {
namespace {

QString Figure(double value) { return toQString(Format(value, "0.00")); }
QString Figure(const std::optional<double>& value) { return value ? Figure(*value) : QString(); }

// The applicant's own figures, marked while subjects are missing.
QString OwnFigure(const FacultyEvaluation& e, const QString& figure)
{
    return e.missing.empty() ? figure : partialFigure(figure);
}

}  // namespace

FacultiesModel::FacultiesModel(const Evaluator& evaluator, QObject* parent)
    : QAbstractTableModel(parent), m_evaluator(evaluator), m_writtenAt(evaluator.faculties().size())
{
}

FacultiesModel::~FacultiesModel() = default;

void FacultiesModel::setRanking(Ranking ranking)
{
    beginResetModel();
    m_ranking = std::make_unique<Ranking>(std::move(ranking));
    const std::vector<std::size_t>& order = m_ranking->order();
    m_rows.assign(m_evaluator.faculties().size(), -1);
    for (std::size_t row = 0; row < order.size(); ++row)
        m_rows[order[row]] = static_cast<int>(row);
    for (const std::size_t faculty : m_writtenFaculties)
        m_writtenAt[faculty] = Written();
    m_written.clear();
    m_writtenFaculties.clear();
    endResetModel();
}

const FacultyEvaluation& FacultiesModel::written(std::size_t faculty, Detail detail) const
{
    Written& at = m_writtenAt[faculty];
    if (at.place < 0) {
        at.place = static_cast<int>(m_written.size());
        m_written.push_back(m_ranking->evaluation(faculty, detail));
        m_writtenFaculties.push_back(faculty);
    } else if (detail == Detail::Needed && at.detail != Detail::Needed) {
        m_written[static_cast<std::size_t>(at.place)] = m_ranking->evaluation(faculty, detail);
    } else {
        return m_written[static_cast<std::size_t>(at.place)];
    }
    at.detail = detail;
    return m_written[static_cast<std::size_t>(at.place)];
}

const FacultyEvaluation& FacultiesModel::evaluation(int row) const { return written(facultyOf(row), Detail::Texts); }

const FacultyEvaluation* FacultiesModel::detailed(const std::string& facCode) const
{
    const std::optional<std::size_t> faculty = m_ranking ? m_evaluator.indexOf(facCode) : std::nullopt;
    return faculty ? &written(*faculty, Detail::Needed) : nullptr;
}

int FacultiesModel::rowOf(const std::string& facCode) const
{
    const std::optional<std::size_t> faculty = m_evaluator.indexOf(facCode);
    return faculty && *faculty < m_rows.size() ? m_rows[*faculty] : -1;
}

int FacultiesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_ranking ? 0 : static_cast<int>(m_ranking->order().size());
}

int FacultiesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

double FacultiesModel::sortFigure(int row, int column) const
{
    // Without a figure a row sorts below every real one.
    constexpr double none = -std::numeric_limits<double>::infinity();
    const std::size_t faculty = facultyOf(row);
    const FacultyScore& s = m_ranking->scores()[faculty];
    const std::optional<YearRange>& lastYear = m_evaluator.lastYear(faculty);
    switch (column) {
    case Rank: return row;
    case Composite: return s.ok ? s.total : none;
    case Highest: return s.ok ? m_evaluator.highest(faculty) : none;
    case LastMin: return lastYear ? lastYear->min : none;
    case LastMax: return lastYear ? lastYear->max : none;
    case MarginPercent: return s.marginPercent.value_or(none);
    case ChanceColumn: return static_cast<int>(s.chance);
    case RangeBar: return s.marginPoints.value_or(none);
    case Years: {
        const std::vector<YearRange>& years = m_evaluator.faculties()[faculty].years;
        return years.empty() ? none : years.front().min;
    }
    default: return std::numeric_limits<double>::quiet_NaN();
    }
}

QString FacultiesModel::cellText(int row, int column) const
{
    const FacultyEvaluation& e = evaluation(row);
    const std::optional<double> lastMin =
        e.lastYear ? std::optional<double>(e.lastYear->min) : std::nullopt;
    const std::optional<double> lastMax =
        e.lastYear ? std::optional<double>(e.lastYear->max) : std::nullopt;
    switch (column) {
    case Rank: return QString::number(row + 1);
    case Code: return toQString(e.facCode);
    case University: return toQString(e.university);
    case Faculty: return toQString(e.name);
    case Composite: return e.ok() ? OwnFigure(e, Figure(e.total.earned)) : QString();
    case Highest: return e.ok() ? Figure(e.total.full) : QString();
    case LastMin: return Figure(lastMin);
    case LastMax: return Figure(lastMax);
    case MarginPercent: return OwnFigure(e, Figure(e.marginPercent));
    case ChanceColumn: return chanceText(e.chance);
    case RangeBar: return lastMin ? Figure(lastMin) + QLatin1Char('-') + Figure(lastMax) : QString();
    case Years: return toQString(yearsText(e.years));
    default: return QString();
    }
}

QVariant FacultiesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FacultyEvaluation& e = evaluation(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return column == RangeBar ? QVariant() : QVariant(cellText(index.row(), column));
    case Qt::AccessibleTextRole:
        return cellText(index.row(), column);
    case Qt::ToolTipRole:
        return detailsText(e);
    case Qt::BackgroundRole:
        return column == ChanceColumn ? QVariant(chanceColour(e.chance)) : QVariant();
    case Qt::TextAlignmentRole:
        return column >= Composite && column <= MarginPercent ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                                                             : QVariant();
    case RangeMinRole: return e.lastYear ? QVariant(e.lastYear->min) : QVariant();
    case RangeMaxRole: return e.lastYear ? QVariant(e.lastYear->max) : QVariant();
    case ScoreRole: return e.ok() ? QVariant(e.total.earned) : QVariant();
    case YearsRole: {
        QVariantList years;
        for (const YearRange& year : e.years)
            years.append(QPointF(year.min, year.max));
        return years;
    }
    default:
        return {};
    }
}

QVariant FacultiesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != HeadingRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    // Two lines in the table's header, one in a sheet or a printout.
    namespace w = words;
    static constexpr std::string_view headings[ColumnCount] = {
        w::kRank,    w::kCode,          w::kUniversity,    w::kFaculty,
        w::kComposite, w::kHighestPossible, w::kLastMin,   w::kLastMax,
        w::kMarginPercent, w::kComparison, w::kRangeBar,   w::kEveryYear,
    };
    if (section < 0 || section >= ColumnCount)
        return {};
    return role == HeadingRole ? toQString(w::oneLine(headings[section])) : toQString(headings[section]);
}

QString FacultiesModel::detailsText(const FacultyEvaluation& e)
{
    QStringList lines;
    lines << toQString(e.facCode + " " + e.name + " " + e.university);
    if (!e.ok())
        lines << toQString(e.error);
    lines << comparisonHeading() + QStringLiteral(": ") + chanceText(e.chance);
    if (e.ok()) {
        QString composite = QStringLiteral("คะแนนรวม %1 จากคะแนนสูงสุดที่เป็นไปได้ %2")
                                .arg(OwnFigure(e, Figure(e.total.earned)), Figure(e.total.full));
        const QString margin = toQString(marginText(e.marginPoints, e.marginPercent));
        if (!margin.isEmpty())
            composite += QStringLiteral("; ") + margin;
        if (!e.missing.empty())
            composite += QStringLiteral(" (ยังไม่ครบ: เป็นคะแนนเท่าที่มี)");
        lines << composite;
    }
    for (const std::string& message : e.minimums)
        lines << toQString(message);
    if (!e.missing.empty()) {
        QStringList codes;
        for (const std::string& code : e.missing)
            codes << toQString(code);
        lines << toQString(words::kMissingSubjects) + QLatin1Char(' ') + codes.join(QStringLiteral(", "));
    }
    if (e.needed) {
        const std::string needed = neededText(*e.needed);
        if (!needed.empty())
            lines << toQString(needed);
    }
    if (!e.years.empty())
        lines << toQString(words::kEveryYearInFull) + QStringLiteral(": ") + toQString(yearsText(e.years));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace tamrik
