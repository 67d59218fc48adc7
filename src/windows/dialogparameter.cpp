#include "dialogparameter.h"

#include "controls.h"
#include "entrybox.h"
#include "messageservice.h"
#include "numtext.h"
#include "paramfile.h"
#include "qtext.h"
#include "scoringparams.h"
#include "twips.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tamrik {
namespace {

constexpr int ClientWidth = 6090;
constexpr int ClientHeight = 1680;  // the table-name group below it stays out of view
constexpr double MeanLimit = 4;
constexpr double SDLimit = 1;

bool InOpenRange(double value, double upper) { return value > 0 && value < upper; }

double boxValue(const EntryBox* box) { return Val(box->text().toStdString()); }

}  // namespace

DialogParameter::DialogParameter(ScoringParams& params, std::filesystem::path dataFolder, MessageService& messages,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      m_params(params),
      m_dataFolder(std::move(dataFolder)),
      m_messages(messages)
{
    setObjectName(QStringLiteral("DialogParameter"));
    setWindowTitle(QStringLiteral("Change Parameter"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    buildControls();

    m_TextMeanGpa->setText(QString::fromStdString(m_params.ParamMeanGpa));
    m_TextSD->setText(QString::fromStdString(m_params.ParamSD));
    m_TextDbMaxMin->setText(QString::fromStdString(m_params.ParamDbMaxMin));

    connect(m_TextMeanGpa, &EntryBox::lostFocus, this, [this] {
        checkOnLeaving(m_TextMeanGpa, MeanLimit, QStringLiteral("ค่า Mean GPA จะต้องมากกว่า 0 และน้อยกว่า 4 เสมอ"),
                       m_params.ParamMeanGpa);
    });
    connect(m_TextSD, &EntryBox::lostFocus, this, [this] {
        checkOnLeaving(m_TextSD, SDLimit, QStringLiteral("ค่า SD จะต้องมากกว่า 0 และน้อยกว่า 1 เสมอ"),
                       m_params.ParamSD);
    });
    connect(m_OKButton, &QPushButton::clicked, this, &DialogParameter::OKButton_Click);
    connect(m_CancelButton, &QPushButton::clicked, this, &QWidget::close);
}

void DialogParameter::buildControls()
{
    QLabel* heading = makeLabel(this, QStringLiteral("Label1(2)"), QStringLiteral("แก้ไขค่า x และ SD"),
                                QRect(120, 120, 5895, 375));
    QLabel* meanCaption = makeLabel(this, QStringLiteral("Label1(0)"), QStringLiteral(" x"),
                                    QRect(120, 720, 1455, 375));
    makeLabel(this, QStringLiteral("Label1(1)"), QStringLiteral(" SD"), QRect(120, 1200, 1455, 375));
    m_TextMeanGpa = makeEntryBox(this, QStringLiteral("TextMeanGpa"), QRect(1680, 720, 2655, 375), 32767);
    m_TextSD = makeEntryBox(this, QStringLiteral("TextSD"), QRect(1680, 1200, 2655, 375), 32767);
    m_OKButton = makeButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"), QRect(4800, 720, 1215, 375));
    m_CancelButton =
        makeButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"), QRect(4800, 1200, 1215, 375));
    makeLabel(this, QStringLiteral("Label3"), QStringLiteral("แก้ไขชื่อตาราง คะแนนสูงสุด-ต่ำสุด"),
              QRect(120, 1920, 5895, 375));
    makeLabel(this, QStringLiteral("Label2"), QStringLiteral("  ชื่อตาราง"), QRect(720, 2520, 1575, 375));
    m_TextDbMaxMin = makeEntryBox(this, QStringLiteral("TextDbMaxMin"), QRect(2400, 2520, 2655, 375), 32767);

    // The bars that make each x read as x̄.
    placeBar(QStringLiteral("Line1(0)"), meanCaption);
    placeBar(QStringLiteral("Line1(1)"), heading);

    setTabOrder(m_OKButton, m_CancelButton);
    setTabOrder(m_CancelButton, m_TextMeanGpa);
    setTabOrder(m_TextMeanGpa, m_TextSD);
    setTabOrder(m_TextSD, m_TextDbMaxMin);
    m_OKButton->setFocus();
}

void DialogParameter::placeBar(const QString& lineName, const QWidget* label)
{
    // Placed from the label's own font, so the bar sits on its x whatever
    // Thai face the machine draws the label with.
    const QString text = static_cast<const QLabel*>(label)->text();
    const QFontMetrics metrics(label->font());
    const int before = metrics.horizontalAdvance(text.left(text.indexOf(QLatin1Char('x'))));
    const QRect x = metrics.tightBoundingRect(QStringLiteral("x"));
    auto* line = new QFrame(this);
    line->setObjectName(lineName);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    const QPoint origin = label->geometry().topLeft() + label->contentsRect().topLeft();
    line->setGeometry(origin.x() + before + x.left(), origin.y() + metrics.ascent() + x.top() - 3, x.width(), 1);
}

void DialogParameter::checkOnLeaving(EntryBox* box, double upper, const QString& message,
                                     const std::string& lastAccepted)
{
    // Putting the focus back makes the box the focus moved to lose it in
    // turn: that box was not really left, so it is not checked.
    if (m_checking || InOpenRange(boxValue(box), upper))
        return;
    m_checking = true;
    m_messages.show(message);
    box->setText(QString::fromStdString(lastAccepted));
    box->takeFocusBack();
    m_checking = false;
}

void DialogParameter::OKButton_Click()
{
    if (!InOpenRange(boxValue(m_TextMeanGpa), MeanLimit) || !InOpenRange(boxValue(m_TextSD), SDLimit))
        return;
    m_params.ParamMeanGpa = m_TextMeanGpa->text().toStdString();
    m_params.ParamSD = m_TextSD->text().toStdString();
    m_params.ParamDbMaxMin = m_TextDbMaxMin->text().toStdString();
    emit parametersAccepted();
    if (!EditParam(m_dataFolder, m_params.ParamDbMaxMin, m_params.ParamMeanGpa, m_params.ParamSD)) {
        const QString file = qStringFromPath(m_dataFolder / kParamFileName);
        m_messages.show(QStringLiteral("บันทึกไฟล์ %1 ไม่ได้ ค่าใหม่ใช้ได้จนกว่าจะปิดโปรแกรม").arg(file));
    }
    close();
}

}  // namespace tamrik
