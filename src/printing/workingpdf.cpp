#include "workingpdf.h"

#include "chancelegend.h"
#include "chancestyle.h"
#include "colours.h"
#include "exportfile.h"
#include "printtext.h"
#include "programtexts.h"
#include "qtext.h"
#include "vocabulary.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace tamrik {
namespace {

QFont PrintFont(qreal points, bool bold = false)
{
    QFont font(QStringLiteral("Loma"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString Q(const std::string& text) { return toQString(text); }
// A name of the program's vocabulary, on one line.
QString W(std::string_view word) { return toQString(words::oneLine(word)); }

// Lays text out down the page, line by line, in device units.
class PageWriter {
public:
    PageWriter(QPainter& painter, PrintedText& text, const QRect& area)
        : m_p(painter), m_text(text), m_area(area), m_y(area.top())
    {
    }

    void line(const QString& text, qreal points = 10, bool bold = false)
    {
        m_p.setFont(PrintFont(points, bold));
        m_y += m_text.draw(m_p, QRect(m_area.left(), m_y, m_area.width(), m_area.bottom() - m_y), text) + gap();
    }
    // A row of cells, each as wide as its share of the page.
    void row(const QStringList& cells, const std::vector<int>& shares, bool bold = false, bool ruled = true)
    {
        m_p.setFont(PrintFont(9.5, bold));
        int total = 0;
        for (int share : shares)
            total += share;
        int height = 0;
        std::vector<QRect> boxes;
        int x = m_area.left();
        for (int i = 0; i < cells.size(); ++i) {
            const int width = m_area.width() * shares[static_cast<std::size_t>(i)] / total;
            boxes.emplace_back(x + gap(), m_y + gap() / 2, width - 2 * gap(), m_area.bottom() - m_y);
            height = std::max(height, PrintedText::height(m_p, boxes.back().width(), cells[i]));
            x += width;
        }
        for (int i = 0; i < cells.size(); ++i)
            m_text.draw(m_p, boxes[static_cast<std::size_t>(i)], cells[i]);
        m_y += height + gap();
        if (ruled) {
            m_p.setPen(QPen(Qt::gray, 0));
            m_p.drawLine(m_area.left(), m_y, m_area.right(), m_y);
            m_p.setPen(Qt::black);
        }
        m_y += gap() / 2;
    }
    // A framed notice across the page, in dark red.
    void notice(const QString& text)
    {
        m_p.setFont(PrintFont(11, true));
        const int pad = gap();
        const QRect inside(m_area.left() + 2 * pad, m_y + pad, m_area.width() - 4 * pad, m_area.bottom() - m_y);
        m_p.setPen(QPen(Colour::DarkRed, pad / 3.0));
        const int height = m_text.draw(m_p, inside, text);
        m_p.drawRect(m_area.left(), m_y, m_area.width(), height + 2 * pad);
        m_p.setPen(Qt::black);
        m_y += height + 4 * pad;
    }
    void space(int lines = 1) { m_y += lines * m_p.fontMetrics().height() / 2; }
    // The notes sit at the foot of the page.
    void foot(const QStringList& notes)
    {
        m_p.setFont(PrintFont(8));
        const int height = notes.size() * (m_p.fontMetrics().height() + gap());
        m_y = std::max(m_y, m_area.bottom() - height);
        for (const QString& note : notes)
            line(note, 8);
    }

private:
    int gap() const { return m_p.fontMetrics().height() / 4; }

    QPainter& m_p;
    PrintedText& m_text;
    QRect m_area;
    int m_y;
};

QStringList NoteLines(const PrintNotes& notes)
{
    return {QStringLiteral("ฐานข้อมูลเกณฑ์: ") + notes.ruleDb, QStringLiteral("พารามิเตอร์: ") + notes.parameters,
            QStringLiteral("โปรแกรม Tamrik รุ่น ") + notes.version, QStringLiteral("พิมพ์เมื่อ ") + notes.printed};
}

// On top of every page: while the data are a made-up sample, a notice of
// it; the applicant's name and the day.
void PageTop(PageWriter& w, const PrintNotes& notes)
{
    if (!notes.sample.isEmpty())
        w.notice(notes.sample);
    if (!notes.applicant.isEmpty())
        w.line(QStringLiteral("ผู้สมัคร: %1    พิมพ์เมื่อ %2").arg(notes.applicant, notes.printed), 11, true);
}

// A figure of the applicant's, marked while subjects have no score.
QString Own(const WorkingSheet& s, const std::string& figure)
{
    return s.partial ? partialFigure(Q(figure)) : Q(figure);
}

// Every label's rule and the partial mark, above the foot.
void Legend(PageWriter& w)
{
    w.line(QStringLiteral("คำอธิบายผลเทียบกับช่วงคะแนนปีก่อน (ไม่ใช่ความน่าจะเป็นที่จะได้เข้าเรียน)"), 7.5, true);
    for (const LegendLine& line : chanceLegend())
        w.line(chanceText(line.chance) + QStringLiteral(": ") + line.rule, 7);
    w.line(partialLegend(), 7);
}

QString YearsLine(const WorkingSheet& s)
{
    QStringList years;
    for (const YearFigures& year : s.years)
        years << QStringLiteral("%1: %2-%3").arg(Q(year.year), Q(year.min), Q(year.max));
    return years.join(QStringLiteral("; "));
}

void PaintSheet(PageWriter& w, const WorkingSheet& s, const PrintNotes& notes, const QString& heading)
{
    PageTop(w, notes);
    w.line(heading, 16, true);
    w.line(QStringLiteral("คณะ: ") + Q(s.facCode) + QLatin1Char(' ') + Q(s.faculty), 12, true);
    w.line(QStringLiteral("มหาวิทยาลัย: ") + Q(s.university), 12);
    w.space();
    const std::vector<int> shares = {8, 34, 10, 12, 14, 12};
    w.row({QStringLiteral("รหัส"), QStringLiteral("วิชา"), QStringLiteral("ประเภท"), QStringLiteral("คะแนน"),
           QStringLiteral("ขั้นต่ำ (%)"), QStringLiteral("น้ำหนัก")},
          shares, true);
    for (const WorkingRow& r : s.rows) {
        w.row({Q(r.code), Q(r.name), r.special ? QStringLiteral("เฉพาะ") : QStringLiteral("หลัก"),
               r.score.empty() ? QStringLiteral("-") : Q(r.score), Q(r.minimum), Q(r.weight)},
              shares);
    }
    w.space();
    w.line(QStringLiteral("คะแนนวิชาหลัก (น้ำหนักรวม %1): %2 จากคะแนนเต็ม %3")
               .arg(Q(s.mainWeight), Q(s.mainEarned), Q(s.mainFull)),
           10.5);
    w.line(QStringLiteral("คะแนนวิชาเฉพาะ: %1 จากคะแนนเต็ม %2").arg(Q(s.specialEarned), Q(s.specialFull)), 10.5);
    w.line(QStringLiteral("GPA %1: x เฉลี่ย %2, SD %3, z = %4, ค่าที่เปิดตาราง %5, ความน่าจะเป็นจากตาราง %6, "
                          "สัดส่วน %7 -> คะแนน %8 จากคะแนนเต็ม %9")
               .arg(Q(s.gpaTyped), Q(s.gpaMean), Q(s.gpaSd), Q(s.gpaZ), Q(s.gpaKey), Q(s.gpaTableProb),
                    Q(s.gpaFraction), Q(s.gpaEarned), Q(s.gpaFull)),
           10.5);
    w.line(QStringLiteral("PR %1: ช่วงที่ %2, สัดส่วน %3 -> คะแนน %4 จากคะแนนเต็ม %5")
               .arg(Q(s.prTyped), Q(s.prBand), Q(s.prFraction), Q(s.prEarned), Q(s.prFull)),
           10.5);
    w.space();
    w.line(QStringLiteral("คะแนนสุทธิ: %1    คะแนนสูงสุดที่เป็นไปได้: %2").arg(Own(s, s.total), Q(s.highest)), 12, true);
    if (s.partial)
        w.line(partialLegend(), 10);
    if (!s.lastMin.empty())
        w.line(QStringLiteral("คะแนนต่ำสุด-สูงสุด ปี %1: %2 - %3").arg(Q(s.lastYear), Q(s.lastMin), Q(s.lastMax)), 10.5);
    else
        w.line(QStringLiteral("ไม่มีคะแนนต่ำสุด-สูงสุดของปี %1").arg(Q(s.lastYear)), 10.5);
    if (!s.years.empty())
        w.line(QStringLiteral("คะแนนต่ำสุด-สูงสุดทุกปีที่มีในข้อมูล:"), 10.5);
    // On one line, wrapped if need be: the page has room for a faculty of eight subjects and the legend.
    QStringList years;
    for (const YearFigures& year : s.years)
        years << QStringLiteral("ปี %1: ต่ำสุด %2  สูงสุด %3").arg(Q(year.year), Q(year.min), Q(year.max));
    if (!years.isEmpty())
        w.line(years.join(QStringLiteral("    ")), 9.5);
    if (!s.chance.empty()) {
        w.space();
        w.line(comparisonHeading() + QStringLiteral(": ") + Q(s.chance), 12, true);
        w.line(QStringLiteral("เกณฑ์: ") + Q(s.chanceRule), 10);
        if (!s.margin.empty())
            w.line((s.partial ? QStringLiteral("เท่าที่มี: ") : QString()) + Q(s.margin), 10);
    }
    w.line(resultNoticeText(), 10, true);
    Legend(w);
    w.foot(NoteLines(notes));
}

void PaintComparison(PageWriter& w, const std::vector<WorkingSheet>& sheets, const PrintNotes& notes)
{
    PageTop(w, notes);
    w.line(QStringLiteral("เปรียบเทียบอันดับที่เลือก"), 16, true);
    w.space();
    std::vector<int> shares = {16};
    QStringList heads = {QString()};
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        shares.push_back(21);
        heads << QStringLiteral("อันดับ %1").arg(i + 1);
    }
    w.row(heads, shares, true);
    const auto figure = [&](const QString& caption, auto field) {
        QStringList cells = {caption};
        for (const WorkingSheet& s : sheets)
            cells << field(s);
        w.row(cells, shares);
    };
    figure(W(words::kCode), [](const WorkingSheet& s) { return Q(s.facCode); });
    figure(W(words::kFaculty), [](const WorkingSheet& s) { return Q(s.faculty); });
    figure(W(words::kUniversity), [](const WorkingSheet& s) { return Q(s.university); });
    figure(W(words::kMainSubjects), [](const WorkingSheet& s) { return Q(s.mainEarned); });
    figure(W(words::kSpecialSubjects), [](const WorkingSheet& s) { return Q(s.specialEarned); });
    figure(W(words::kFromGpa), [](const WorkingSheet& s) { return Q(s.gpaEarned); });
    figure(W(words::kFromPr), [](const WorkingSheet& s) { return Q(s.prEarned); });
    figure(W(words::kTotal), [](const WorkingSheet& s) { return Own(s, s.total); });
    figure(W(words::kHighestPossible), [](const WorkingSheet& s) { return Q(s.highest); });
    figure(W(words::kLastMin), [](const WorkingSheet& s) { return Q(s.lastMin); });
    figure(W(words::kLastMax), [](const WorkingSheet& s) { return Q(s.lastMax); });
    figure(W(words::kEveryYearInFull), YearsLine);
    figure(comparisonHeading(), [](const WorkingSheet& s) { return Q(s.chance); });
    w.space();
    w.line(resultNoticeText(), 10, true);
    Legend(w);
    w.foot(NoteLines(notes));
}

}  // namespace

std::vector<RunText> paintWorking(QPagedPaintDevice& device, const std::vector<WorkingSheet>& sheets,
                                  const PrintNotes& notes, bool withComparison)
{
    PrintedText text;
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPainter painter(&device);
    const QRect area = painter.viewport();
    bool first = true;
    const auto nextPage = [&] {
        if (!first)
            device.newPage();
        first = false;
    };
    if (withComparison) {
        nextPage();
        PageWriter w(painter, text, area);
        PaintComparison(w, sheets, notes);
    }
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        nextPage();
        PageWriter w(painter, text, area);
        const QString heading = withComparison ? QStringLiteral("อันดับ %1: วิธีคิดคะแนน").arg(i + 1)
                                               : QStringLiteral("สรุปคะแนนและวิธีคิด");
        PaintSheet(w, sheets[i], notes, heading);
    }
    return text.runs();
}

bool writeWorkingPdf(const QString& path, const std::vector<WorkingSheet>& sheets, const PrintNotes& notes,
                     bool withComparison)
{
    // Painted in memory first: the user's file is replaced only by a whole document.
    QByteArray bytes;
    std::vector<RunText> runs;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("Tamrik ") + notes.version);
        pdf.setTitle(QStringLiteral("สรุปคะแนน"));
        runs = paintWorking(pdf, sheets, notes, withComparison);
    }
    bytes = withRunTexts(bytes, runs);
    return writeExportFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace tamrik
