#include "shortlistpanel.h"

#include "chancestyle.h"
#include "choicesfile.h"
#include "csvtext.h"
#include "evaluationtext.h"
#include "exportfile.h"
#include "facultiesmodel.h"
#include "facultyfilter.h"
#include "facultyscoring.h"
#include "messageservice.h"
#include "namedwidget.h"
#include "printnotes.h"
#include "qtext.h"
#include "ruledatabase.h"
#include "session.h"
#include "verdictsheet.h"
#include "workingpdf.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tamrik {
namespace {

QPushButton* Button(const QString& name, const QString& caption, const QString& accessibleName)
{
    return named(new QPushButton(caption), name, accessibleName);
}

// The compared figures of the shortlist, as columns of the faculties table.
const FacultiesModel::Column ComparedColumns[] = {
    FacultiesModel::Code,    FacultiesModel::Faculty, FacultiesModel::University,    FacultiesModel::Composite,
    FacultiesModel::Highest, FacultiesModel::LastMin, FacultiesModel::LastMax,       FacultiesModel::MarginPercent,
    FacultiesModel::ChanceColumn, FacultiesModel::Years,
};

}  // namespace

ShortlistPanel::ShortlistPanel(Session& session, const FacultyScoring& scoring, const FacultiesModel& faculties,
                               const FacultyFilter& shown, QWidget* parent)
    : QWidget(parent),
      m_session(session),
      m_scoring(scoring),
      m_faculties(faculties),
      m_shown(shown),
      m_shortlist(loadChoicesFile(session.dataFolder())),
      m_chooseFile(dialogSaveFileChooser())
{
    m_ListChoices = named(new QListWidget, QStringLiteral("ListChoices"), QStringLiteral("อันดับที่เลือก"));
    m_caption = new QLabel;
    m_CmdAddChoice = Button(QStringLiteral("CmdAddChoice"), QStringLiteral("เพิ่มเป็นอันดับถัดไป (&A)"),
                            QStringLiteral("เพิ่มคณะที่เลือกเป็นอันดับถัดไป"));
    m_CmdShowChoices = Button(QStringLiteral("CmdShowChoices"), QStringLiteral("แสดงการเปรียบเทียบ (&H)"),
                              QStringLiteral("แสดงหรือซ่อนอันดับที่เลือกและการเปรียบเทียบ"));
    m_CmdShowChoices->setCheckable(true);
    m_CmdShowChoices->setChecked(true);
    m_CmdSaveShortlist = Button(QStringLiteral("CmdSaveShortlist"), QStringLiteral("เก็บเป็นไฟล์ (&S)..."),
                                QStringLiteral("เก็บชื่อ คะแนน และอันดับที่เลือกเป็นไฟล์"));
    m_CmdOpenShortlist = Button(QStringLiteral("CmdOpenShortlist"), QStringLiteral("เปิดไฟล์ (&O)..."),
                                QStringLiteral("เปิดไฟล์ชื่อ คะแนน และอันดับที่เลือก"));
    m_CmdRemoveChoice = Button(QStringLiteral("CmdRemoveChoice"), QStringLiteral("นำออก (&X)"), QStringLiteral("นำอันดับที่เลือกออก"));
    m_CmdChoiceUp = Button(QStringLiteral("CmdChoiceUp"), QStringLiteral("เลื่อนขึ้น (&U)"), QStringLiteral("เลื่อนอันดับขึ้น"));
    m_CmdChoiceDown = Button(QStringLiteral("CmdChoiceDown"), QStringLiteral("เลื่อนลง (&D)"), QStringLiteral("เลื่อนอันดับลง"));
    m_CmdExportCsv = Button(QStringLiteral("CmdExportCsv"), QStringLiteral("บันทึก &CSV..."), QStringLiteral("บันทึกตารางเป็น CSV"));
    m_CmdExportPdf = Button(QStringLiteral("CmdExportPdf"), QStringLiteral("บันทึก &PDF..."),
                            QStringLiteral("บันทึกอันดับที่เลือกพร้อมวิธีคิดเป็น PDF"));
    m_TableChoices = named(new QTableWidget, QStringLiteral("TableChoices"), QStringLiteral("เปรียบเทียบอันดับที่เลือก"));
    m_TableChoices->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_TableChoices->setTabKeyNavigation(false);
    m_TableChoices->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_TableChoices->setWordWrap(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_caption, 1);
    for (QPushButton* button : {m_CmdAddChoice, m_CmdShowChoices, m_CmdSaveShortlist, m_CmdOpenShortlist,
                                m_CmdExportCsv, m_CmdExportPdf})
        bar->addWidget(button);
    auto* choiceButtons = new QVBoxLayout;
    for (QPushButton* button : {m_CmdRemoveChoice, m_CmdChoiceUp, m_CmdChoiceDown})
        choiceButtons->addWidget(button);
    choiceButtons->addStretch();
    m_body = new QWidget;
    auto* body = new QHBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(m_ListChoices, 2);
    body->addLayout(choiceButtons);
    body->addWidget(m_TableChoices, 5);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(m_body, 1);
    // Never taller than the list and comparison need: the rest is the ranking's.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    connect(m_CmdAddChoice, &QPushButton::clicked, this, &ShortlistPanel::addRequested);
    connect(m_CmdShowChoices, &QPushButton::toggled, this, &ShortlistPanel::showFold);
    connect(m_CmdSaveShortlist, &QPushButton::clicked, this, &ShortlistPanel::saveRequested);
    connect(m_CmdOpenShortlist, &QPushButton::clicked, this, &ShortlistPanel::openRequested);
    connect(m_CmdRemoveChoice, &QPushButton::clicked, this, &ShortlistPanel::removeChoice);
    connect(m_CmdChoiceUp, &QPushButton::clicked, this, [this] { moveChoice(true); });
    connect(m_CmdChoiceDown, &QPushButton::clicked, this, [this] { moveChoice(false); });
    connect(m_CmdExportCsv, &QPushButton::clicked, this, &ShortlistPanel::exportCsv);
    connect(m_CmdExportPdf, &QPushButton::clicked, this, &ShortlistPanel::exportPdf);
    // A ranking redraws the comparison only when it moves the choices' figures.
    connect(&m_faculties, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_figuresBefore = choiceFigures(); });
    connect(&m_faculties, &QAbstractItemModel::modelReset, this, [this] {
        if (choiceFigures() != m_figuresBefore)
            showChoices(m_ListChoices->currentRow());
    });
    showChoices(-1);
}

QList<QWidget*> ShortlistPanel::tabStops() const
{
    return {m_CmdAddChoice,    m_CmdShowChoices, m_ListChoices,  m_CmdRemoveChoice, m_CmdChoiceUp, m_CmdChoiceDown,
            m_TableChoices,    m_CmdSaveShortlist, m_CmdOpenShortlist, m_CmdExportCsv, m_CmdExportPdf};
}

void ShortlistPanel::showFold()
{
    const bool any = m_shortlist.size() > 0;
    m_caption->setText(any ? QStringLiteral("อันดับที่เลือก %1 จาก %2").arg(m_shortlist.size()).arg(kMaxChoices)
                           : QStringLiteral("อันดับที่เลือก: ยังไม่ได้เลือก (ไม่เกิน %1 อันดับ)").arg(kMaxChoices));
    m_CmdShowChoices->setEnabled(any);
    // Empty, the shortlist takes one line; folded, too.
    m_body->setVisible(any && m_CmdShowChoices->isChecked());
}

void ShortlistPanel::replace(const std::vector<std::string>& codes)
{
    m_shortlist = Shortlist(codes);
    choicesChanged(m_shortlist.size() > 0 ? 0 : -1);
}

void ShortlistPanel::add(const QString& facCode)
{
    if (facCode.isEmpty()) {
        m_session.messages().show(QStringLiteral("กรุณาเลือกคณะในตารางก่อน"));
        return;
    }
    switch (m_shortlist.add(facCode.toStdString())) {
    case Shortlist::Added::Yes:
        choicesChanged(static_cast<int>(m_shortlist.size()) - 1);
        break;
    case Shortlist::Added::Full:
        m_session.messages().show(toQString(kChoicesFullMessage));
        break;
    case Shortlist::Added::AlreadyIn:
        m_session.messages().show(toQString(kAlreadyChosenMessage));
        break;
    }
}

void ShortlistPanel::removeChoice()
{
    const int place = m_ListChoices->currentRow();
    if (place >= 0 && m_shortlist.remove(static_cast<std::size_t>(place)))
        choicesChanged(std::min(place, static_cast<int>(m_shortlist.size()) - 1));
}

void ShortlistPanel::moveChoice(bool up)
{
    const int place = m_ListChoices->currentRow();
    if (place < 0)
        return;
    const auto at = static_cast<std::size_t>(place);
    if (up ? m_shortlist.moveUp(at) : m_shortlist.moveDown(at))
        choicesChanged(up ? place - 1 : place + 1);
}

void ShortlistPanel::forget()
{
    m_shortlist.clear();
    showChoices(-1);
}


void ShortlistPanel::choicesChanged(int selectPlace)
{
    if (!saveChoicesFile(m_session.dataFolder(), m_shortlist.codes()))
        m_session.messages().show(QStringLiteral("บันทึกอันดับที่เลือกลงไฟล์ไม่สำเร็จ"));
    showChoices(selectPlace);
}

QStringList ShortlistPanel::choiceFigures() const
{
    QStringList figures;
    for (const std::string& code : m_shortlist.codes()) {
        const int row = m_faculties.rowOf(code);
        for (const FacultiesModel::Column column : ComparedColumns)
            figures << (row >= 0 ? m_faculties.cellText(row, column) : QString());
    }
    return figures;
}

void ShortlistPanel::showChoices(int selectPlace)
{
    const auto& codes = m_shortlist.codes();
    std::vector<int> rows;  // each choice's row of the faculties model, -1 when absent
    for (const std::string& code : codes)
        rows.push_back(m_faculties.rowOf(code));

    m_ListChoices->clear();
    for (std::size_t place = 0; place < codes.size(); ++place) {
        QString caption = toQString(choiceCaption(place)) + QStringLiteral("  ") + toQString(codes[place]);
        if (rows[place] >= 0)
            caption += QLatin1Char(' ') + m_faculties.cellText(rows[place], FacultiesModel::Faculty) +
                       QStringLiteral(" - ") + m_faculties.cellText(rows[place], FacultiesModel::University);
        auto* item = new QListWidgetItem(caption, m_ListChoices);
        item->setData(Qt::UserRole, toQString(codes[place]));
        item->setToolTip(caption);
    }
    if (selectPlace >= 0 && selectPlace < m_ListChoices->count())
        m_ListChoices->setCurrentRow(selectPlace);

    m_TableChoices->clear();
    m_TableChoices->setColumnCount(static_cast<int>(codes.size()));
    const int compared = static_cast<int>(std::size(ComparedColumns));
    m_TableChoices->setRowCount(compared + 1);
    for (int r = 0; r < compared; ++r) {
        const FacultiesModel::Column column = ComparedColumns[r];
        m_TableChoices->setVerticalHeaderItem(
            r, new QTableWidgetItem(m_faculties.headerData(column, Qt::Horizontal, FacultiesModel::HeadingRole).toString()));
        for (std::size_t place = 0; place < codes.size(); ++place) {
            const int row = rows[place];
            auto* cell = new QTableWidgetItem(row >= 0 ? m_faculties.cellText(row, column) : QString());
            cell->setToolTip(cell->text());
            if (row >= 0 && column == FacultiesModel::ChanceColumn)
                cell->setBackground(chanceColour(m_faculties.score(row).chance));
            m_TableChoices->setItem(r, static_cast<int>(place), cell);
        }
    }
    m_TableChoices->setVerticalHeaderItem(compared, new QTableWidgetItem(QStringLiteral("ยังขาดเท่าไรจึงถึงต่ำสุดปีก่อน")));
    for (std::size_t place = 0; place < codes.size(); ++place) {
        auto* cell = new QTableWidgetItem(neededText(codes[place]));
        cell->setToolTip(cell->text());
        m_TableChoices->setItem(compared, static_cast<int>(place), cell);
    }
    QStringList heads;
    for (std::size_t place = 0; place < codes.size(); ++place)
        heads << toQString(choiceCaption(place));
    m_TableChoices->setHorizontalHeaderLabels(heads);
    m_TableChoices->resizeRowsToContents();
    showFold();
}

QString ShortlistPanel::neededText(const std::string& facCode) const
{
    const FacultyEvaluation* e = m_faculties.detailed(facCode);
    if (!e)
        return QString();
    const std::string needed = e->needed ? tamrik::neededText(*e->needed) : std::string();
    if (!needed.empty())
        return toQString(needed);
    return e->marginPoints && *e->marginPoints >= 0 ? QStringLiteral("ถึงแล้ว") : QStringLiteral("-");
}

void ShortlistPanel::exportCsv()
{
    const QString path = m_chooseFile(window(), QStringLiteral("บันทึก CSV"), QStringLiteral("tamrik-faculties.csv"),
                                      QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    std::vector<std::vector<std::string>> sheet;
    std::vector<std::string> head;
    for (int c = 0; c < FacultiesModel::ColumnCount; ++c)
        head.push_back(m_faculties.headerData(c, Qt::Horizontal, FacultiesModel::HeadingRole).toString().toStdString());
    sheet.push_back(head);
    // The rows as shown: filtered and in the table's order.
    for (int r = 0; r < m_shown.rowCount(); ++r) {
        const int row = m_shown.mapToSource(m_shown.index(r, 0)).row();
        std::vector<std::string> line;
        for (int c = 0; c < FacultiesModel::ColumnCount; ++c)
            line.push_back(m_faculties.cellText(row, c).toStdString());
        sheet.push_back(line);
    }
    const std::string bytes = csvSheet(sheet);
    if (!writeExportFile(path, bytes))
        m_session.messages().show(saveFailedMessage(path));
}

void ShortlistPanel::exportPdf()
{
    if (m_shortlist.size() == 0) {
        m_session.messages().show(QStringLiteral("ยังไม่ได้เลือกอันดับ"));
        return;
    }
    // A shortlist file from another database may name faculties this one lacks.
    QStringList missing;
    for (const std::string& code : m_shortlist.codes()) {
        if (!m_scoring.record(code))
            missing << toQString(code);
    }
    const QString leftOut = QStringLiteral("ไม่พบคณะรหัส %1 ในฐานข้อมูล จึงไม่ได้ใส่ใน PDF")
                                .arg(missing.join(QStringLiteral(", ")));
    if (missing.size() == static_cast<int>(m_shortlist.size())) {
        m_session.messages().show(leftOut);
        return;
    }
    const QString path = m_chooseFile(window(), QStringLiteral("บันทึก PDF"), QStringLiteral("tamrik-choices.pdf"),
                                      QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const UserEntries& entries = m_session.entries();
    const ScoringParams& params = m_session.params();
    try {
        std::vector<WorkingSheet> sheets;
        for (const std::string& code : m_shortlist.codes()) {
            const FacultyEntry* faculty = m_scoring.record(code);
            const std::optional<FacultyRecord> whole = m_scoring.withRule(code);
            if (!faculty || !whole)
                continue;
            const FacultyEvaluation evaluation = m_scoring.evaluate(*faculty, m_scoring.remembered());
            sheets.push_back(sheetFromEvaluation(*whole, evaluation, entries.ScoreByCode, entries.GpaDigits,
                                                 entries.PrDigits, params.ParamMeanGpa, params.ParamSD,
                                                 m_scoring.prob()));
        }
        if (!writeWorkingPdf(path, sheets, makePrintNotes(m_session), true))
            m_session.messages().show(saveFailedMessage(path));
        else if (!missing.isEmpty())
            m_session.messages().show(leftOut);
    } catch (const ruledb::DbError& error) {
        m_session.messages().show(QString::fromUtf8(error.what()));
    }
}

}  // namespace tamrik
