#include "rangebardelegate.h"

#include "facultiesmodel.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <algorithm>

namespace tamrik {

void RangeBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant min = index.data(FacultiesModel::RangeMinRole);
    const QVariant max = index.data(FacultiesModel::RangeMaxRole);
    const QVariant score = index.data(FacultiesModel::ScoreRole);
    const QVariantList years = index.data(FacultiesModel::YearsRole).toList();
    if (!min.isValid() && years.isEmpty())
        return;

    double lo = min.isValid() ? min.toDouble() : years.front().toPointF().x();
    double hi = max.isValid() ? max.toDouble() : lo;
    for (const QVariant& year : years) {
        lo = std::min(lo, year.toPointF().x());
        hi = std::max(hi, year.toPointF().y());
    }
    if (score.isValid()) {
        lo = std::min(lo, score.toDouble());
        hi = std::max(hi, score.toDouble());
    }
    const double pad = std::max((hi - lo) * 0.08, 1.0);
    lo -= pad;
    hi += pad;

    const QRectF area = QRectF(option.rect).adjusted(4, 3, -4, -3);
    const auto x = [&](double value) { return area.left() + (value - lo) / (hi - lo) * area.width(); };

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    // Earlier years in rows of thin lines above the bar.
    const double lineGap = area.height() / (years.size() + 3.0);
    int line = 0;
    for (const QVariant& year : years) {
        const QPointF range = year.toPointF();
        const double y = area.top() + lineGap * (++line);
        painter->setPen(QPen(QColor(0x90, 0x90, 0x90), 1.5));
        painter->drawLine(QPointF(x(range.x()), y), QPointF(x(range.y()), y));
    }
    if (min.isValid()) {
        const QRectF bar(QPointF(x(min.toDouble()), area.bottom() - area.height() * 0.4),
                         QPointF(x(max.toDouble()), area.bottom()));
        painter->setPen(QPen(QColor(0x00, 0x72, 0xB2), 1));
        painter->setBrush(QColor(0x56, 0xB4, 0xE9, 0xA0));
        painter->drawRect(bar);
    }
    if (score.isValid()) {
        const double at = x(score.toDouble());
        painter->setPen(QPen(Qt::black, 2));
        painter->drawLine(QPointF(at, area.top()), QPointF(at, area.bottom()));
        QPainterPath triangle;
        triangle.moveTo(at - 4, area.top());
        triangle.lineTo(at + 4, area.top());
        triangle.lineTo(at, area.top() + 5);
        triangle.closeSubpath();
        painter->fillPath(triangle, Qt::black);
    }
    painter->restore();
}

QSize RangeBarDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index).expandedTo(QSize(160, 24));
}

}  // namespace tamrik
