#include "scorespanel.h"

#include "livecelldelegate.h"
#include "messageservice.h"
#include "namedwidget.h"
#include "qtext.h"
#include "scoresmodel.h"
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

// "3.5" as the two boxes of page 3 would hold it before they are left.
BoxTexts SplitTyped(const QString& text)
{
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return {text.toStdString(), std::string()};
    return {text.left(dot).toStdString(), text.mid(dot + 1).toStdString()};
}

LeaveResult LeaveBoth(const QString& text, LeaveResult (*leave)(BoxPart, BoxTexts))
{
    // Both boxes of page 3 left in turn, as typing through the page leaves them.
    LeaveResult left = leave(BoxPart::Integer, SplitTyped(text.trimmed()));
    if (!left.message)
        left = leave(BoxPart::Decimals, left.boxes);
    return left;
}

}  // namespace

ScoresPanel::ScoresPanel(Session& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    m_scores = new ScoresModel(session, ruledb::ReadSubjectTable(session.ruleDb()), this);
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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("คะแนนของผู้สมัคร")));
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
    // An edit given up (Escape) or refused leaves the ranking as remembered;
    // one committed has been told already.
    connect(live, &QAbstractItemDelegate::closeEditor, this, &ScoresPanel::typingDropped);
}

QList<QWidget*> ScoresPanel::tabStops() const { return {m_TableScores, m_TextAllGpa, m_TextAllPr}; }

void ScoresPanel::reload()
{
    m_scores->reload();
    showGpaPr();
}

void ScoresPanel::showGpaPr()
{
    const UserEntries& entries = m_session.entries();
    // Digits no box of page 3 could hold are no GPA or PR to the ranking
    // either, and their text would be one this box refuses.
    m_TextAllGpa->setText(IsGpaDigits(entries.GpaDigits) ? ToQString(TypedGpaText(entries.GpaDigits)) : QString());
    m_TextAllPr->setText(IsPrDigits(entries.PrDigits) ? ToQString(TypedPrText(entries.PrDigits)) : QString());
}

void ScoresPanel::commitGpa()
{
    if (commitBox(m_TextAllGpa, m_session.entries().GpaDigits, &TypedGpaText, &LeaveGpaBox))
        emit gpaEdited();
}

void ScoresPanel::commitPr()
{
    if (commitBox(m_TextAllPr, m_session.entries().PrDigits, &TypedPrText, &LeavePrBox))
        emit prEdited();
}

bool ScoresPanel::commitBox(QLineEdit* box, std::string& digits, std::string (*typed)(std::string_view),
                            LeaveResult (*leave)(BoxPart, BoxTexts))
{
    const QString text = box->text().trimmed();
    if (text == ToQString(typed(digits))) {
        emit typingDropped();
        return false;
    }
    const LeaveResult left = LeaveBoth(text, leave);
    if (left.message) {
        m_session.messages().show(ToQString(*left.message));
        showGpaPr();
        emit editRefused();  // the typing may have ranked a value now refused
        return false;
    }
    digits = left.boxes.integer + left.boxes.decimals;
    m_session.SaveEntriesFile();
    showGpaPr();
    return true;
}

void ScoresPanel::previewBox(QLineEdit* box, bool isGpa)
{
    const LeaveResult left = LeaveBoth(box->text(), isGpa ? &LeaveGpaBox : &LeavePrBox);
    // A value the box would refuse ranks as nothing: the table goes back to
    // what is remembered, and the message waits until the box is left.
    if (left.message || !box->hasAcceptableInput()) {
        emit typingDropped();
        return;
    }
    const UserEntries& entries = m_session.entries();
    const std::string digits = left.boxes.integer + left.boxes.decimals;
    emit typing(ApplicantFromEntries(entries.ScoreByCode, isGpa ? digits : entries.GpaDigits,
                                     isGpa ? entries.PrDigits : digits));
}

void ScoresPanel::previewScore(const QModelIndex& index, const QString& text)
{
    const ScoreBoxCheck check = CheckScoreBox(text.toStdString());
    if (!check.valid) {
        emit typingDropped();
        return;
    }
    const UserEntries& entries = m_session.entries();
    auto scores = entries.ScoreByCode;
    const std::string code = m_scores->index(index.row(), ScoresModel::Code).data().toString().toStdString();
    RememberScores({SubjectRow{code, std::string(), check.text, std::string()}}, {}, scores);
    emit typing(ApplicantFromEntries(scores, entries.GpaDigits, entries.PrDigits));
}

}  // namespace tamrik
