#include "scorespanel.h"

#include "gpapr.h"
#include "livecelldelegate.h"
#include "messageservice.h"
#include "namedwidget.h"
#include "qtext.h"
#include "scoresmodel.h"
#include "shortlistfile.h"
#include "session.h"
#include "subjectcheck.h"
#include "subjecttable.h"
#include "subtotals.h"
#include "summary.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace tamrik {
namespace {

QLabel* Caption(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

ScoresPanel::ScoresPanel(Session& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    m_scores = new ScoresModel(session, ruledb::readSubjectTable(session.ruleDb()), this);
    m_TextApplicantName =
        named(new QLineEdit, QStringLiteral("TextApplicantName"), QStringLiteral("ชื่อผู้สมัคร (ไม่บังคับ)"));
    m_TextApplicantName->setPlaceholderText(QStringLiteral("ไม่บังคับ ใช้พิมพ์บน PDF"));
    m_TextApplicantName->setMaxLength(kMaxApplicantNameLength);
    m_TableScores = named(new QTableView, QStringLiteral("TableScores"), QStringLiteral("คะแนนรายวิชา"));
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

    m_TextAllGpa = named(new QLineEdit, QStringLiteral("TextAllGpa"), QStringLiteral("เกรดเฉลี่ยสะสม GPA"));
    // Wider than the values page 3 takes, so that a value out of range is
    // refused with page 3's message rather than cut short without a word.
    m_TextAllGpa->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,3}(\\.\\d{0,2})?")), m_TextAllGpa));
    m_TextAllPr = named(new QLineEdit, QStringLiteral("TextAllPr"), QStringLiteral("ตำแหน่งเปอร์เซ็นไทล์ PR"));
    m_TextAllPr->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,3}(\\.\\d{0,2})?")), m_TextAllPr));
    auto* name = new QGridLayout;
    name->addWidget(Caption(QStringLiteral("ชื่อ (&N)"), m_TextApplicantName), 0, 0);
    name->addWidget(m_TextApplicantName, 0, 1);
    auto* gpaPr = new QGridLayout;
    gpaPr->addWidget(Caption(QStringLiteral("&GPA"), m_TextAllGpa), 0, 0);
    gpaPr->addWidget(m_TextAllGpa, 0, 1);
    gpaPr->addWidget(Caption(QStringLiteral("P&R"), m_TextAllPr), 0, 2);
    gpaPr->addWidget(m_TextAllPr, 0, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(name);
    layout->addWidget(Caption(QStringLiteral("คะแนนของผู้สมัคร (&K)"), m_TableScores));
    layout->addWidget(m_TableScores, 1);
    layout->addLayout(gpaPr);

    connect(m_scores, &ScoresModel::scoreEdited, this, &ScoresPanel::scoreEdited);
    connect(m_TextAllGpa, &QLineEdit::editingFinished, this, &ScoresPanel::commitGpa);
    connect(m_TextAllPr, &QLineEdit::editingFinished, this, &ScoresPanel::commitPr);
    connect(m_TextAllGpa, &QLineEdit::textEdited, this, [this] { previewBox(m_TextAllGpa, true); });
    connect(m_TextAllPr, &QLineEdit::textEdited, this, [this] { previewBox(m_TextAllPr, false); });
    auto* live = new LiveCellDelegate(m_TableScores);
    m_TableScores->setItemDelegateForColumn(ScoresModel::Score, live);
    connect(live, &LiveCellDelegate::typing, this, &ScoresPanel::previewScore);
    connect(live, &LiveCellDelegate::committedByEnter, this, &ScoresPanel::moveOn);
    connect(m_TextApplicantName, &QLineEdit::textEdited, this,
            [this] { m_session.applicantName() = applicantName().toStdString(); });
    // An edit given up (Escape) or refused leaves the ranking as remembered;
    // one committed has been told already.
    connect(live, &QAbstractItemDelegate::closeEditor, this, &ScoresPanel::typingDropped);
}

QList<QWidget*> ScoresPanel::tabStops() const
{
    return {m_TextApplicantName, m_TableScores, m_TextAllGpa, m_TextAllPr};
}

QString ScoresPanel::applicantName() const { return m_TextApplicantName->text().simplified(); }

void ScoresPanel::reload()
{
    m_scores->reload();
    showGpaPr();
    const QString name = toQString(m_session.applicantName());
    if (applicantName() != name)
        m_TextApplicantName->setText(name);
}

void ScoresPanel::moveOn(const QModelIndex& index, const QString& text)
{
    if (!index.isValid() || !checkScoreBox(text.toStdString()).valid)
        return;  // refused: the message was shown, the subject stays current
    const int next = index.row() + 1;
    if (next < m_scores->rowCount()) {
        m_TableScores->setCurrentIndex(m_scores->index(next, ScoresModel::Score));
        m_TableScores->setFocus();
    } else {
        m_TextAllGpa->setFocus();
    }
}

void ScoresPanel::showGpaPr()
{
    const UserEntries& entries = m_session.entries();
    // Digits no box of page 3 could hold are no GPA or PR to the ranking
    // either, and their text would be one this box refuses.
    m_TextAllGpa->setText(isGpaDigits(entries.GpaDigits) ? toQString(typedGpaText(entries.GpaDigits)) : QString());
    m_TextAllPr->setText(isPrDigits(entries.PrDigits) ? toQString(typedPrText(entries.PrDigits)) : QString());
}

void ScoresPanel::commitGpa()
{
    if (commitBox(m_TextAllGpa, m_session.entries().GpaDigits, &typedGpaText, &typedGpaDigits))
        emit gpaEdited();
}

void ScoresPanel::commitPr()
{
    if (commitBox(m_TextAllPr, m_session.entries().PrDigits, &typedPrText, &typedPrDigits))
        emit prEdited();
}

bool ScoresPanel::commitBox(QLineEdit* box, std::string& digits, std::string (*shown)(std::string_view),
                            TypedDigits (*typed)(std::string_view))
{
    const QString text = box->text().trimmed();
    if (text == toQString(shown(digits))) {
        emit typingDropped();
        return false;
    }
    const TypedDigits taken = typed(text.toStdString());
    if (taken.message) {
        m_session.messages().show(toQString(*taken.message));
        showGpaPr();
        emit editRefused();  // the typing may have ranked a value now refused
        return false;
    }
    digits = taken.digits;
    m_session.SaveEntriesFile();
    showGpaPr();
    return true;
}

void ScoresPanel::previewBox(QLineEdit* box, bool isGpa)
{
    const TypedDigits taken = (isGpa ? &typedGpaDigits : &typedPrDigits)(box->text().toStdString());
    // A value the box would refuse ranks as nothing: the table goes back to
    // what is remembered, and the message waits until the box is left.
    if (taken.message || !box->hasAcceptableInput()) {
        emit typingDropped();
        return;
    }
    const UserEntries& entries = m_session.entries();
    const std::string& digits = taken.digits;
    emit typing(applicantFromEntries(entries.ScoreByCode, isGpa ? digits : entries.GpaDigits,
                                     isGpa ? entries.PrDigits : digits));
}

void ScoresPanel::previewScore(const QModelIndex& index, const QString& text)
{
    const ScoreBoxCheck check = checkScoreBox(text.toStdString());
    if (!check.valid) {
        emit typingDropped();
        return;
    }
    const UserEntries& entries = m_session.entries();
    auto scores = entries.ScoreByCode;
    const std::string code = m_scores->index(index.row(), ScoresModel::Code).data().toString().toStdString();
    rememberScores({SubjectRow{code, std::string(), check.text, std::string()}}, {}, scores);
    emit typing(applicantFromEntries(scores, entries.GpaDigits, entries.PrDigits));
}

}  // namespace tamrik
