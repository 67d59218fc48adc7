#include "legendwindow.h"

#include "chancelegend.h"
#include "chancestyle.h"
#include "namedwidget.h"
#include "programtexts.h"
#include "qtext.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tamrik {
namespace {

QLabel* Wrapped(const QString& text)
{
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

}  // namespace

LegendWindow::LegendWindow(QWidget* parent) : QDialog(parent)
{
    named(this, QStringLiteral("FrmLegend"), QStringLiteral("คำอธิบายผลเทียบ"));
    setWindowTitle(QStringLiteral("คำอธิบายผลเทียบกับช่วงคะแนนปีก่อน"));
    auto* grid = new QGridLayout;
    int row = 0;
    for (const LegendLine& line : chanceLegend()) {
        auto* label = new QLabel(chanceText(line.chance));
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, chanceColour(line.chance));
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        label->setMargin(3);
        grid->addWidget(label, row, 0);
        grid->addWidget(Wrapped(line.rule), row++, 1);
    }
    grid->setColumnStretch(1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("ปิด"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(Wrapped(QStringLiteral("ป้ายในคอลัมน์ \"%1\" บอกว่าคะแนนรวมอยู่ตรงไหนของช่วงคะแนนปีก่อน "
                                             "ไม่ใช่ความน่าจะเป็นที่จะได้เข้าเรียน")
                                  .arg(comparisonHeading())));
    layout->addLayout(grid);
    layout->addWidget(Wrapped(rangeBarLegend()));
    layout->addWidget(Wrapped(partialLegend()));
    QLabel* notice = Wrapped(resultNoticeText());
    QFont bold = notice->font();
    bold.setBold(true);
    notice->setFont(bold);
    layout->addWidget(notice);
    layout->addStretch();
    // A small screen scrolls the legend rather than lose its foot.
    auto* scroll = new QScrollArea;
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(scroll, 1);
    outer->addWidget(buttons);
    content->setFixedWidth(700);
    QSize size(720 + scroll->verticalScrollBar()->sizeHint().width(),
               content->sizeHint().height() + buttons->sizeHint().height() + 30);
    if (const QScreen* shown = parent ? parent->screen() : nullptr)
        size = size.boundedTo(shown->availableGeometry().size() - QSize(0, 40));
    resize(size);
}

}  // namespace tamrik
