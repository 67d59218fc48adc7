#include "frmallfaculties.h"

#include "chancestyle.h"
#include "choicesfile.h"
#include "csvtext.h"
#include "evaluationtext.h"
#include "exportfile.h"
#include "facultyloader.h"
#include "facultiesmodel.h"
#include "facultyfilter.h"
#include "livecelldelegate.h"
#include "messageservice.h"
#include "printnotes.h"
#include "qtext.h"
#include "rangebardelegate.h"
#include "samplestrip.h"
#include "scoresmodel.h"
#include "session.h"
#include "subjectcheck.h"
#include "subjecttable.h"
#include "subtotals.h"
#include "summary.h"
#include "verdictsheet.h"
#include "wholetables.h"
#include "workingpdf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QRegularExpressionValidator>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tamrik {
namespace {

const QString AllUniversities = QStringLiteral("ทุกมหาวิทยาลัย");

template <typename W>
W* Named(W* widget, const QString& name, const QString& accessibleName)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}

QPushButton* Button(const QString& name, const QString& caption, const QString& accessibleName)
{
    return Named(new QPushButton(caption), name, accessibleName);
}

// The compared figures of the shortlist, as columns of the faculties table.
const FacultiesModel::Column ComparedColumns[] = {
    FacultiesModel::Code,    FacultiesModel::Faculty, FacultiesModel::University,    FacultiesModel::Composite,
    FacultiesModel::Highest, FacultiesModel::LastMin, FacultiesModel::LastMax,       FacultiesModel::MarginPercent,
    FacultiesModel::ChanceColumn,
};

}  // namespace

FrmAllFaculties::FrmAllFaculties(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_session(session),
      m_evaluator(loadFaculties(session.ruleDb(), session.params().ParamDbMaxMin)),
      m_prob(LoadProbTable(session.ruleDb())),
      m_shortlist(LoadChoicesFile(session.dataFolder())),
      m_chooseFile(DialogSaveFileChooser())
{
    setObjectName(QStringLiteral("FrmAllFaculties"));
    setWindowTitle(QStringLiteral("ทุกคณะ"));
    setAccessibleName(QStringLiteral("ทุกคณะ"));
    m_scores = new ScoresModel(session, ruledb::ReadSubjectTable(session.ruleDb()), this);
    m_faculties = new FacultiesModel(this);
    m_filter = new FacultyFilter(this);
    m_filter->setSourceModel(m_faculties);
    buildControls();
    buildTabOrder();

    connect(m_scores, &ScoresModel::scoreEdited, this, [this](const QString& code) {
        recompute();
        emit scoreEdited(code);
    });
    connect(m_TextAllGpa, &QLineEdit::editingFinished, this, &FrmAllFaculties::commitGpa);
    connect(m_TextAllPr, &QLineEdit::editingFinished, this, &FrmAllFaculties::commitPr);
    connect(m_TextAllGpa, &QLineEdit::textEdited, this, [this] { previewBox(m_TextAllGpa, true); });
    connect(m_TextAllPr, &QLineEdit::textEdited, this, [this] { previewBox(m_TextAllPr, false); });
    auto* live = new LiveCellDelegate(m_TableScores);
    m_TableScores->setItemDelegateForColumn(ScoresModel::Score, live);
    connect(live, &LiveCellDelegate::typing, this, &FrmAllFaculties::previewScore);
    // An edit given up (Escape) or refused leaves the ranking as remembered;
    // one committed has ranked already.
    connect(live, &QAbstractItemDelegate::closeEditor, this, [this] {
        if (m_previewShown)
            recompute();
    });
    connect(m_ComboUniverFilter, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_filter->setUniversity(index <= 0 ? QString() : m_ComboUniverFilter->itemText(index));
    });
    connect(m_TextFacultyFilter, &QLineEdit::textChanged, m_filter, &FacultyFilter::setSearchText);
    connect(m_CheckEligibleOnly, &QCheckBox::toggled, m_filter, &FacultyFilter::setEligibleOnly);
    connect(m_TableFaculties->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FrmAllFaculties::showDetails);
    connect(m_TableFaculties, &QTableView::activated, this, &FrmAllFaculties::openSelected);
    connect(m_CmdAddChoice, &QPushButton::clicked, this, &FrmAllFaculties::addChoice);
    connect(m_CmdRemoveChoice, &QPushButton::clicked, this, &FrmAllFaculties::removeChoice);
    connect(m_CmdChoiceUp, &QPushButton::clicked, this, [this] { moveChoice(true); });
    connect(m_CmdChoiceDown, &QPushButton::clicked, this, [this] { moveChoice(false); });
    connect(m_CmdExportCsv, &QPushButton::clicked, this, &FrmAllFaculties::exportCsv);
    connect(m_CmdExportPdf, &QPushButton::clicked, this, &FrmAllFaculties::exportPdf);

    ReloadEntries();
    showChoices(-1);  // rankings redraw the shortlist only when its figures move
    m_TableFaculties->sortByColumn(FacultiesModel::Rank, Qt::AscendingOrder);
    // Every column of the ranking at once where the screen has the room.
    QSize size(1800, 900);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size());
    resize(size.expandedTo(QSize(1340, 760)));
}

FrmAllFaculties::~FrmAllFaculties()
{
    // Closing takes the focus from the boxes, whose handlers must not run on
    // a half-destroyed window.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

void FrmAllFaculties::buildControls()
{
    // Left: the applicant's scores, GPA and PR.
    m_TableScores = Named(new QTableView, QStringLiteral("TableScores"), QStringLiteral("คะแนนรายวิชา"));
    m_TableScores->setModel(m_scores);
    m_TableScores->setTabKeyNavigation(false);
    m_TableScores->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_TableScores->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
    m_TableScores->verticalHeader()->hide();
    m_TableScores->horizontalHeader()->setSectionResizeMode(ScoresModel::Code, QHeaderView::ResizeToContents);
    m_TableScores->horizontalHeader()->setSectionResizeMode(ScoresModel::Name, QHeaderView::Stretch);
    m_TableScores->horizontalHeader()->setSectionResizeMode(ScoresModel::Score, QHeaderView::ResizeToContents);
    m_TableScores->setCurrentIndex(m_scores->index(0, ScoresModel::Score));

    m_TextAllGpa = Named(new QLineEdit, QStringLiteral("TextAllGpa"), QStringLiteral("เกรดเฉลี่ยสะสม GPA"));
    m_TextAllGpa->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d?(\\.\\d{0,2})?")), m_TextAllGpa));
    m_TextAllPr = Named(new QLineEdit, QStringLiteral("TextAllPr"), QStringLiteral("ตำแหน่งเปอร์เซ็นไทล์ PR"));
    m_TextAllPr->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,2}(\\.\\d{0,2})?")), m_TextAllPr));
    auto* gpaPr = new QGridLayout;
    gpaPr->addWidget(new QLabel(QStringLiteral("GPA")), 0, 0);
    gpaPr->addWidget(m_TextAllGpa, 0, 1);
    gpaPr->addWidget(new QLabel(QStringLiteral("PR")), 1, 0);
    gpaPr->addWidget(m_TextAllPr, 1, 1);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel(QStringLiteral("คะแนนของผู้สมัคร")));
    leftLayout->addWidget(m_TableScores, 1);
    leftLayout->addLayout(gpaPr);

    // Right: filters, the ranked faculties, the selected one's details.
    m_ComboUniverFilter =
        Named(new QComboBox, QStringLiteral("ComboUniverFilter"), QStringLiteral("กรองตามมหาวิทยาลัย"));
    m_ComboUniverFilter->addItem(AllUniversities);
    for (const FacultyRecord& faculty : m_evaluator.faculties()) {
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
    // The figures' columns are fitted to their contents by ReloadEntries:
    // measuring every cell on each ranking would slow typing down.
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->resizeSection(FacultiesModel::University, 150);
    header->resizeSection(FacultiesModel::Faculty, 210);
    header->setSectionResizeMode(FacultiesModel::RangeBar, QHeaderView::Fixed);
    header->resizeSection(FacultiesModel::RangeBar, 170);
    header->resizeSection(FacultiesModel::Years, 150);

    m_LabelFacultyDetails = Named(new QLabel, QStringLiteral("LabelFacultyDetails"), QStringLiteral("รายละเอียดคณะที่เลือก"));
    m_LabelFacultyDetails->setTextFormat(Qt::PlainText);  // names from the rule data
    m_LabelFacultyDetails->setWordWrap(true);
    m_LabelFacultyDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_LabelFacultyDetails->setMinimumHeight(90);
    m_LabelFacultyDetails->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(filters);
    rightLayout->addWidget(m_TableFaculties, 1);
    rightLayout->addWidget(m_LabelFacultyDetails);

    // Below: the shortlist and the exports.
    m_ListChoices = Named(new QListWidget, QStringLiteral("ListChoices"), QStringLiteral("อันดับที่เลือก"));
    m_CmdAddChoice = Button(QStringLiteral("CmdAddChoice"), QStringLiteral("เพิ่มเป็นอันดับถัดไป"),
                            QStringLiteral("เพิ่มคณะที่เลือกเป็นอันดับถัดไป"));
    m_CmdRemoveChoice = Button(QStringLiteral("CmdRemoveChoice"), QStringLiteral("นำออก"), QStringLiteral("นำอันดับที่เลือกออก"));
    m_CmdChoiceUp = Button(QStringLiteral("CmdChoiceUp"), QStringLiteral("เลื่อนขึ้น"), QStringLiteral("เลื่อนอันดับขึ้น"));
    m_CmdChoiceDown = Button(QStringLiteral("CmdChoiceDown"), QStringLiteral("เลื่อนลง"), QStringLiteral("เลื่อนอันดับลง"));
    m_CmdExportCsv = Button(QStringLiteral("CmdExportCsv"), QStringLiteral("บันทึก CSV..."), QStringLiteral("บันทึกตารางเป็น CSV"));
    m_CmdExportPdf = Button(QStringLiteral("CmdExportPdf"), QStringLiteral("บันทึก PDF..."),
                            QStringLiteral("บันทึกอันดับที่เลือกพร้อมวิธีคิดเป็น PDF"));
    m_TableChoices = Named(new QTableWidget, QStringLiteral("TableChoices"), QStringLiteral("เปรียบเทียบอันดับที่เลือก"));
    m_TableChoices->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_TableChoices->setTabKeyNavigation(false);
    m_TableChoices->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* choiceButtons = new QVBoxLayout;
    for (QPushButton* button : {m_CmdAddChoice, m_CmdRemoveChoice, m_CmdChoiceUp, m_CmdChoiceDown})
        choiceButtons->addWidget(button);
    choiceButtons->addStretch();
    for (QPushButton* button : {m_CmdExportCsv, m_CmdExportPdf})
        choiceButtons->addWidget(button);
    auto* choices = new QGroupBox(QStringLiteral("อันดับที่เลือก (ไม่เกิน 4 อันดับ)"));
    auto* choicesLayout = new QHBoxLayout(choices);
    choicesLayout->addWidget(m_ListChoices, 2);
    choicesLayout->addLayout(choiceButtons);
    choicesLayout->addWidget(m_TableChoices, 5);

    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(left);
    split->addWidget(right);
    split->setSizes({300, 1000});
    auto* layout = new QVBoxLayout(this);
    if (m_session.SampleData()) {
        // From the left edge: on a small screen the window runs past the right one.
        QLabel* strip = MakeSampleStrip(this, QStringLiteral("LabelSampleNotice"));
        strip->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        strip->setIndent(8);
        layout->addWidget(strip);
    }
    layout->addWidget(split, 5);
    layout->addWidget(choices, 2);
}

void FrmAllFaculties::buildTabOrder()
{
    QWidget* const order[] = {m_TableScores,      m_TextAllGpa,      m_TextAllPr,     m_ComboUniverFilter,
                              m_TextFacultyFilter, m_CheckEligibleOnly, m_TableFaculties, m_CmdAddChoice,
                              m_ListChoices,       m_CmdRemoveChoice, m_CmdChoiceUp,   m_CmdChoiceDown,
                              m_TableChoices,      m_CmdExportCsv,    m_CmdExportPdf};
    for (QWidget* w : order)
        w->setFocusPolicy(Qt::StrongFocus);
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

const std::vector<FacultyEvaluation>& FrmAllFaculties::evaluations() const { return m_faculties->evaluations(); }

Applicant FrmAllFaculties::applicant() const
{
    const UserEntries& entries = m_session.entries();
    return ApplicantFromEntries(entries.ScoreByCode, entries.GpaDigits, entries.PrDigits);
}

ScoringContext FrmAllFaculties::context() const
{
    const ScoringParams& params = m_session.params();
    return ScoringContext{params.ParamMeanGpa, params.ParamSD, m_prob};
}

const FacultyRecord* FrmAllFaculties::record(const std::string& facCode) const
{
    const std::optional<std::size_t> faculty = m_evaluator.indexOf(facCode);
    return faculty ? &m_evaluator.faculties()[*faculty] : nullptr;
}

void FrmAllFaculties::ReloadEntries()
{
    m_scores->reload();
    showGpaPr();
    recompute();
    for (const int column : {FacultiesModel::Rank, FacultiesModel::Code, FacultiesModel::Composite,
                             FacultiesModel::Highest, FacultiesModel::LastMin, FacultiesModel::LastMax,
                             FacultiesModel::MarginPercent, FacultiesModel::ChanceColumn})
        m_TableFaculties->resizeColumnToContents(column);
}

void FrmAllFaculties::recompute()
{
    m_previewShown = false;
    rank(applicant());
}

void FrmAllFaculties::rank(const Applicant& applicant)
{
    const QString selected = selectedCode();
    const QStringList choicesBefore = choiceFigures();
    m_ranked = applicant;
    // The search for what is needed runs for the selected faculty only.
    m_faculties->setEvaluations(m_evaluator.rank(applicant, context()).evaluations(false));
    const int row = selected.isEmpty() ? -1 : m_faculties->rowOf(selected.toStdString());
    const QModelIndex at = row < 0 ? QModelIndex() : m_filter->mapFromSource(m_faculties->index(row, 0));
    // The reset took the selection; putting it back shows the details, unless
    // the current row survived it.
    const QModelIndex current = m_TableFaculties->currentIndex();
    if (at.isValid())
        m_TableFaculties->selectionModel()->setCurrentIndex(
            at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!at.isValid() || (current.isValid() && current.row() == at.row()))
        showDetails();
    if (choiceFigures() != choicesBefore)
        showChoices(m_ListChoices->currentRow());
}

void FrmAllFaculties::showGpaPr()
{
    const UserEntries& entries = m_session.entries();
    // Digits no box of page 3 could hold are no GPA or PR to the ranking
    // either, and their text would be one this box refuses.
    m_TextAllGpa->setText(IsGpaDigits(entries.GpaDigits) ? ToQString(TypedGpaText(entries.GpaDigits)) : QString());
    m_TextAllPr->setText(IsPrDigits(entries.PrDigits) ? ToQString(TypedPrText(entries.PrDigits)) : QString());
}

namespace {

// "3.5" as the two boxes of page 3 would hold it before they are left.
BoxTexts SplitTyped(const QString& text)
{
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return {text.toStdString(), std::string()};
    return {text.left(dot).toStdString(), text.mid(dot + 1).toStdString()};
}

}  // namespace

void FrmAllFaculties::commitGpa()
{
    if (commitBox(m_TextAllGpa, m_session.entries().GpaDigits, &TypedGpaText, &LeaveGpaBox))
        emit gpaEdited();
}

void FrmAllFaculties::commitPr()
{
    if (commitBox(m_TextAllPr, m_session.entries().PrDigits, &TypedPrText, &LeavePrBox))
        emit prEdited();
}

bool FrmAllFaculties::commitBox(QLineEdit* box, std::string& digits, std::string (*typed)(std::string_view),
                                LeaveResult (*leave)(BoxPart, BoxTexts))
{
    const QString text = box->text().trimmed();
    if (text == ToQString(typed(digits))) {
        if (m_previewShown)
            recompute();
        return false;
    }
    const LeaveResult left = LeaveBoth(text, leave);
    if (left.message) {
        m_session.messages().show(ToQString(*left.message));
        showGpaPr();
        recompute();  // the typing may have ranked a value now refused
        return false;
    }
    digits = left.boxes.integer + left.boxes.decimals;
    m_session.SaveEntriesFile();
    showGpaPr();
    recompute();
    return true;
}

LeaveResult FrmAllFaculties::LeaveBoth(const QString& text, LeaveResult (*leave)(BoxPart, BoxTexts))
{
    // Both boxes of page 3 left in turn, as typing through the page leaves them.
    LeaveResult left = leave(BoxPart::Integer, SplitTyped(text.trimmed()));
    if (!left.message)
        left = leave(BoxPart::Decimals, left.boxes);
    return left;
}

void FrmAllFaculties::previewBox(QLineEdit* box, bool isGpa)
{
    const LeaveResult left = LeaveBoth(box->text(), isGpa ? &LeaveGpaBox : &LeavePrBox);
    // A value the box would refuse ranks as nothing: the table goes back to
    // what is remembered, and the message waits until the box is left.
    if (left.message || !box->hasAcceptableInput()) {
        if (m_previewShown)
            recompute();
        return;
    }
    const UserEntries& entries = m_session.entries();
    const std::string digits = left.boxes.integer + left.boxes.decimals;
    rank(ApplicantFromEntries(entries.ScoreByCode, isGpa ? digits : entries.GpaDigits,
                              isGpa ? entries.PrDigits : digits));
    m_previewShown = true;
}

void FrmAllFaculties::previewScore(const QModelIndex& index, const QString& text)
{
    const ScoreBoxCheck check = CheckScoreBox(text.toStdString());
    if (!check.valid) {
        if (m_previewShown)
            recompute();
        return;
    }
    const UserEntries& entries = m_session.entries();
    ScoreSlots scores = entries.ScoreByCode;
    const std::string code = m_scores->index(index.row(), ScoresModel::Code).data().toString().toStdString();
    RememberScores({SubjectRow{code, std::string(), check.text, std::string()}}, {}, scores);
    rank(ApplicantFromEntries(scores, entries.GpaDigits, entries.PrDigits));
    m_previewShown = true;
}

QString FrmAllFaculties::selectedCode() const
{
    const QModelIndex current = m_TableFaculties->currentIndex();
    if (!current.isValid())
        return QString();
    return m_filter->index(current.row(), FacultiesModel::Code).data().toString();
}

void FrmAllFaculties::showDetails()
{
    const std::string code = selectedCode().toStdString();
    const std::optional<std::size_t> faculty = code.empty() ? std::nullopt : m_evaluator.indexOf(code);
    if (!faculty) {
        m_LabelFacultyDetails->setText(QStringLiteral("เลือกคณะในตารางเพื่อดูรายละเอียด"));
        return;
    }
    // The entries the table ranks, a score still being typed included.
    m_LabelFacultyDetails->setText(FacultiesModel::DetailsText(m_evaluator.evaluate(*faculty, m_ranked, context(), true)));
}

void FrmAllFaculties::openSelected()
{
    const QString code = selectedCode();
    if (!code.isEmpty())
        emit facultyChosen(code);
}

void FrmAllFaculties::addChoice()
{
    const QString code = selectedCode();
    if (code.isEmpty()) {
        m_session.messages().show(QStringLiteral("กรุณาเลือกคณะในตารางก่อน"));
        return;
    }
    switch (m_shortlist.add(code.toStdString())) {
    case Shortlist::Added::Yes:
        choicesChanged(static_cast<int>(m_shortlist.size()) - 1);
        break;
    case Shortlist::Added::Full:
        m_session.messages().show(ToQString(kChoicesFullMessage));
        break;
    case Shortlist::Added::AlreadyIn:
        m_session.messages().show(ToQString(kAlreadyChosenMessage));
        break;
    }
}

void FrmAllFaculties::removeChoice()
{
    const int place = m_ListChoices->currentRow();
    if (place >= 0 && m_shortlist.remove(static_cast<std::size_t>(place)))
        choicesChanged(std::min(place, static_cast<int>(m_shortlist.size()) - 1));
}

void FrmAllFaculties::moveChoice(bool up)
{
    const int place = m_ListChoices->currentRow();
    if (place < 0)
        return;
    const auto at = static_cast<std::size_t>(place);
    if (up ? m_shortlist.moveUp(at) : m_shortlist.moveDown(at))
        choicesChanged(up ? place - 1 : place + 1);
}

void FrmAllFaculties::ForgetUser()
{
    m_shortlist.clear();
    showChoices(-1);
    // What the last user looked for tells about them too.
    m_ComboUniverFilter->setCurrentIndex(0);
    m_TextFacultyFilter->clear();
    m_CheckEligibleOnly->setChecked(false);
}

void FrmAllFaculties::choicesChanged(int selectPlace)
{
    if (!SaveChoicesFile(m_session.dataFolder(), m_shortlist.codes()))
        m_session.messages().show(QStringLiteral("บันทึกอันดับที่เลือกลงไฟล์ไม่สำเร็จ"));
    showChoices(selectPlace);
}

QStringList FrmAllFaculties::choiceFigures() const
{
    QStringList figures;
    for (const std::string& code : m_shortlist.codes()) {
        const int row = m_faculties->rowOf(code);
        for (const FacultiesModel::Column column : ComparedColumns)
            figures << (row >= 0 ? m_faculties->cellText(row, column) : QString());
    }
    return figures;
}

void FrmAllFaculties::showChoices(int selectPlace)
{
    const auto& codes = m_shortlist.codes();
    std::vector<int> rows;  // each choice's row of the faculties model, -1 when absent
    for (const std::string& code : codes)
        rows.push_back(m_faculties->rowOf(code));

    m_ListChoices->clear();
    for (std::size_t place = 0; place < codes.size(); ++place) {
        QString caption = ToQString(ChoiceCaption(place)) + QStringLiteral("  ") + ToQString(codes[place]);
        if (rows[place] >= 0)
            caption += QLatin1Char(' ') + m_faculties->cellText(rows[place], FacultiesModel::Faculty) +
                       QStringLiteral(" - ") + m_faculties->cellText(rows[place], FacultiesModel::University);
        auto* item = new QListWidgetItem(caption, m_ListChoices);
        item->setData(Qt::UserRole, ToQString(codes[place]));
    }
    if (selectPlace >= 0 && selectPlace < m_ListChoices->count())
        m_ListChoices->setCurrentRow(selectPlace);

    m_TableChoices->clear();
    m_TableChoices->setColumnCount(static_cast<int>(codes.size()));
    m_TableChoices->setRowCount(static_cast<int>(std::size(ComparedColumns)));
    for (int r = 0; r < static_cast<int>(std::size(ComparedColumns)); ++r) {
        const FacultiesModel::Column column = ComparedColumns[r];
        m_TableChoices->setVerticalHeaderItem(
            r, new QTableWidgetItem(m_faculties->headerData(column, Qt::Horizontal, FacultiesModel::HeadingRole).toString()));
        for (std::size_t place = 0; place < codes.size(); ++place) {
            const int row = rows[place];
            auto* cell = new QTableWidgetItem(row >= 0 ? m_faculties->cellText(row, column) : QString());
            if (row >= 0 && column == FacultiesModel::ChanceColumn)
                cell->setBackground(ChanceColour(m_faculties->evaluation(row).chance));
            m_TableChoices->setItem(r, static_cast<int>(place), cell);
        }
    }
    QStringList heads;
    for (std::size_t place = 0; place < codes.size(); ++place)
        heads << ToQString(ChoiceCaption(place));
    m_TableChoices->setHorizontalHeaderLabels(heads);
}

void FrmAllFaculties::exportCsv()
{
    const QString path = m_chooseFile(this, QStringLiteral("บันทึก CSV"), QStringLiteral("tamrik-faculties.csv"),
                                      QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    std::vector<std::vector<std::string>> sheet;
    std::vector<std::string> head;
    for (int c = 0; c < FacultiesModel::ColumnCount; ++c)
        head.push_back(m_faculties->headerData(c, Qt::Horizontal, FacultiesModel::HeadingRole).toString().toStdString());
    sheet.push_back(head);
    // The rows as shown: filtered and in the table's order.
    for (int r = 0; r < m_filter->rowCount(); ++r) {
        const int row = m_filter->mapToSource(m_filter->index(r, 0)).row();
        std::vector<std::string> line;
        for (int c = 0; c < FacultiesModel::ColumnCount; ++c)
            line.push_back(m_faculties->cellText(row, c).toStdString());
        sheet.push_back(line);
    }
    const std::string bytes = CsvSheet(sheet);
    if (!WriteExportFile(path, bytes))
        m_session.messages().show(SaveFailedMessage(path));
}

void FrmAllFaculties::exportPdf()
{
    if (m_shortlist.size() == 0) {
        m_session.messages().show(QStringLiteral("ยังไม่ได้เลือกอันดับ"));
        return;
    }
    // A shortlist file from another database may name faculties this one lacks.
    QStringList missing;
    for (const std::string& code : m_shortlist.codes()) {
        if (!record(code))
            missing << ToQString(code);
    }
    const QString leftOut = QStringLiteral("ไม่พบคณะรหัส %1 ในฐานข้อมูล จึงไม่ได้ใส่ใน PDF")
                                .arg(missing.join(QStringLiteral(", ")));
    if (missing.size() == static_cast<int>(m_shortlist.size())) {
        m_session.messages().show(leftOut);
        return;
    }
    const QString path = m_chooseFile(this, QStringLiteral("บันทึก PDF"), QStringLiteral("tamrik-choices.pdf"),
                                      QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const UserEntries& entries = m_session.entries();
    const ScoringParams& params = m_session.params();
    std::vector<WorkingSheet> sheets;
    for (const std::string& code : m_shortlist.codes()) {
        const std::optional<std::size_t> faculty = m_evaluator.indexOf(code);
        if (!faculty)
            continue;
        const FacultyEvaluation evaluation = m_evaluator.evaluate(*faculty, applicant(), context(), false);
        sheets.push_back(SheetFromEvaluation(m_evaluator.faculties()[*faculty], evaluation, entries.ScoreByCode, entries.GpaDigits,
                                             entries.PrDigits, params.ParamMeanGpa, params.ParamSD, m_prob));
    }
    try {
        if (!WriteWorkingPdf(path, sheets, MakePrintNotes(m_session), true))
            m_session.messages().show(SaveFailedMessage(path));
        else if (!missing.isEmpty())
            m_session.messages().show(leftOut);
    } catch (const ruledb::DbError& error) {
        m_session.messages().show(QString::fromUtf8(error.what()));
    }
}

}  // namespace tamrik
