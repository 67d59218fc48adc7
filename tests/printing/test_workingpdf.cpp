// The printed working read back with pdftotext: page 4's PDF holds the
// page's figures and verdict, the shortlist's PDF leaves out the faculties
// its database lacks, and both carry the sample notice on every page and Thai
// that reads back whole.
#include "listdriver.h"
#include "pdfreader.h"
#include "samplenotice.h"

#include <QDate>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

const QString Choices = QStringLiteral("TamrikChoices.tmp");

bool HavePdfToText() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

// The PDF's text with every blank and line end taken out, page by page: a
// phrase is found wherever the layout breaks or spaces it.
QStringList SqueezedPages(const QString& path)
{
    QStringList pages = PdfText(path).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    for (QString& page : pages)
        page.remove(QRegularExpression(QStringLiteral("\\s")));
    while (!pages.isEmpty() && pages.last().isEmpty())
        pages.removeLast();
    return pages;
}

// What the legend of the labels says, in part.
QStringList LegendPhrases()
{
    return {QStringLiteral("คำอธิบายผลเทียบกับช่วงคะแนนปีก่อน"), QStringLiteral("คะแนนรวมเท่ากับหรือสูงกว่าคะแนนสูงสุดของปีก่อน"),
            QStringLiteral("คะแนนรวมสูงกว่าคะแนนต่ำสุดของปีก่อนตั้งแต่2%ของคะแนนสูงสุดที่เป็นไปได้ขึ้นไป"),
            QStringLiteral("คะแนนรวมต่ำกว่าคะแนนต่ำสุดของปีก่อนเกิน2%"), QStringLiteral("ไม่นับว่าไม่ผ่านเกณฑ์ขั้นต่ำ"),
            QStringLiteral("คะแนนที่ใส่แล้วของบางวิชาต่ำกว่าเกณฑ์ขั้นต่ำของคณะ")};
}

const QString SampleNotice = QString::fromUtf8(kSampleNotice).remove(QLatin1Char(' '));

// Every phrase in the text, or the first one missing and the text.
void ExpectPhrases(const QString& text, const QStringList& phrases)
{
    for (const QString& phrase : phrases)
        QVERIFY2(text.contains(phrase), qPrintable(phrase + QStringLiteral(" not in:\n") + text));
}

}  // namespace

class TestWorkingPdf : public QObject {
    Q_OBJECT
private slots:
    // Page 4's PDF holds every figure of the working with page 4's digits,
    // the verdict and its rule, and reads back word for word.
    void summaryPdfHoldsPageFoursDigits()
    {
        if (!HavePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        ProgramFolder folder;
        Program program(folder);
        QVERIFY(program.start());
        auto* savePdf = program.get<QAction>(QStringLiteral("mnuSavePdf"));
        QVERIFY(!savePdf->isEnabled());
        program.open(QStringLiteral("0013"));
        const char* scores[] = {"75", "68.5", "80.25", "55"};
        for (int row = 1; row <= 4; ++row)
            program.type(QStringLiteral("Text_SC_main(%1)").arg(row), QString::fromLatin1(scores[row - 1]));
        program.type(QStringLiteral("Text_sp_sc(1)"), QStringLiteral("62"));
        program.click(QStringLiteral("F2CmdNext"));
        for (QChar key : QStringLiteral("3258550"))
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
        program.click(QStringLiteral("F3CmdNext"));
        QCOMPARE(program.window.currentPage(), 4);
        QVERIFY(savePdf->isEnabled());

        const QString pdf = folder.file(QStringLiteral("summary.pdf"));
        program.window.setFileChooser([pdf](QWidget*, const QString&, const QString&, const QString&) { return pdf; });
        savePdf->trigger();
        QCOMPARE(PdfPages(pdf), 1);
        const QString text = PdfText(pdf);
        QStringList figures;
        for (int i = 0; i < 4; ++i)
            figures << program.text(QStringLiteral("LabelMyScore(%1)").arg(i))
                    << program.text(QStringLiteral("LabelMaxScore(%1)").arg(i));
        figures << program.text(QStringLiteral("Label_total_score(0)")) << program.text(QStringLiteral("Label_total_score(1)"))
                << program.text(QStringLiteral("F4LabelMinLastYear")) << program.text(QStringLiteral("F4LabelMaxLastYear"))
                << program.text(QStringLiteral("F4LabelGPA")) << program.text(QStringLiteral("F4LabelPR"));
        QCOMPARE(figures.mid(8, 4), (QStringList{QStringLiteral("463.71"), QStringLiteral("666.66"),
                                                 QStringLiteral("366.60"), QStringLiteral("448.71")}));
        // The GPA working (mean, SD, z, key, table value) and the PR band, by hand.
        figures << QStringLiteral("2.4397771456") << QStringLiteral("0.5519077994") << QStringLiteral("1.468")
                << QStringLiteral("0.928") << QStringLiteral("18 (85.01 - 90.00)") << QStringLiteral("ScoreRule.mdb")
                << QStringLiteral("maxminScQor43") << QStringLiteral("1.0.4") << QStringLiteral("ภาษาไทย");
        ExpectPhrases(text, figures);
        // The verdict, every year the data hold, and the day in the Thai calendar.
        const QDate today = QDate::currentDate();
        ExpectPhrases(SqueezedPages(pdf).value(0),
                      {SampleNotice, QStringLiteral("คณะ:0013คณะครุศาสตร์"), QStringLiteral("มหาวิทยาลัย:จุฬาลงกรณ์มหาวิทยาลัย"),
                       QStringLiteral("ขั้นต่ำ(%)"), QStringLiteral("ข้อมูลปีการศึกษา2543"),
                       QStringLiteral("เทียบกับช่วงคะแนนปีก่อน:สูงกว่าคะแนนสูงสุดปีก่อนเกณฑ์:คะแนนรวมเท่ากับหรือสูงกว่าคะแนนสูงสุดของปี2543"),
                       QStringLiteral("สูงกว่าคะแนนต่ำสุด97.11คะแนน(14.57%ของคะแนนสูงสุดที่เป็นไปได้)"),
                       QStringLiteral("ปี2541:ต่ำสุด341.33สูงสุด419.05ปี2542:ต่ำสุด351.83สูงสุด434.83ปี2543:ต่ำสุด366.60"),
                       QStringLiteral("ผลที่คำนวณได้ใช้ประกอบการตัดสินใจเท่านั้นไม่ใช่ผลการคัดเลือกจริง"),
                       QStringLiteral("พิมพ์เมื่อ%1%2พ.ศ.%3")
                           .arg(today.day())
                           .arg(QLocale(QLocale::Thai).monthName(today.month()))
                           .arg(today.year() + 543)});
        // An edit in the window while page 4 shows rebuilds it, and its printout.
        FrmAllFaculties* list = OpenList(program);
        EditScore(list, QStringLiteral("41"), QStringLiteral("72"));
        QCOMPARE(program.text(QStringLiteral("LabelMyScore(1)")), QStringLiteral("144.00"));
        QCOMPARE(program.text(QStringLiteral("Label_total_score(0)")), QStringLiteral("483.71"));
        savePdf->trigger();
        QVERIFY(PdfText(pdf).contains(QStringLiteral("483.71")));
        // A score under the faculty's minimum: the verdict says so, with its rule.
        EditScore(list, QStringLiteral("04"), QStringLiteral("20"));
        savePdf->trigger();
        ExpectPhrases(SqueezedPages(pdf).value(0), {QStringLiteral("เทียบกับช่วงคะแนนปีก่อน:ไม่ผ่านเกณฑ์ขั้นต่ำเกณฑ์:คะแนนที่ใส่แล้วของบางวิชาต่ำกว่าเกณฑ์ขั้นต่ำของคณะ")});
        // The name typed in the window heads the page; the legend gives every label's rule.
        TypeText(In<QLineEdit>(list, QStringLiteral("TextApplicantName")), QStringLiteral("สมหญิง รักเรียน"));
        savePdf->trigger();
        ExpectPhrases(SqueezedPages(pdf).value(0), LegendPhrases() << QStringLiteral("ผู้สมัคร:สมหญิงรักเรียนพิมพ์เมื่อ"));
        program.click(QStringLiteral("F4CmdNext"));
        QVERIFY(!savePdf->isEnabled());
    }

    // A shortlist file from another database: the PDF leaves out what this one
    // lacks and says so; its Thai reads back whole.
    void shortlistPdfNamesCodesLeftOut()
    {
        if (!HavePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        ProgramFolder folder;
        folder.writeLines(Choices, {QStringLiteral("9998"), QStringLiteral("0013"), QStringLiteral("9999")});
        Program program(folder);
        QVERIFY(program.start());
        FrmAllFaculties* list = OpenList(program);
        const QString pdf = folder.file(QStringLiteral("choices.pdf"));
        list->setFileChooser([pdf](QWidget*, const QString&, const QString&, const QString&) { return pdf; });
        In<QPushButton>(list, QStringLiteral("CmdExportPdf"))->click();
        QCOMPARE(PdfPages(pdf), 2);
        QCOMPARE(program.messages.texts,
                 QStringList{QStringLiteral("ไม่พบคณะรหัส 9998, 9999 ในฐานข้อมูล จึงไม่ได้ใส่ใน PDF")});

        // Every word printed reads back, tone marks and all, and each page
        // says the bundled data are made up.
        const QStringList pages = SqueezedPages(pdf);
        QCOMPARE(pages.size(), 2);
        for (const QString& page : pages) {
            ExpectPhrases(page, {SampleNotice, QStringLiteral("คณะครุศาสตร์"), QStringLiteral("จุฬาลงกรณ์มหาวิทยาลัย"),
                                 QStringLiteral("ไม่ผ่านเกณฑ์ขั้นต่ำ")});
        }
        // The comparison page: every year's range, figures still partial marked, the notice and the legend.
        ExpectPhrases(pages[0], LegendPhrases() << QStringLiteral("ต่ำสุดปีล่าสุด")
                                                << QStringLiteral("ต่ำสุด-สูงสุดทุกปี2541:341.33-419.05;2542:351.83-434.83;2543:366.60-448.71")
                                                << QStringLiteral("คะแนนสุทธิ≥")
                                                << QStringLiteral("ผลที่คำนวณได้ใช้ประกอบการตัดสินใจเท่านั้นไม่ใช่ผลการคัดเลือกจริง"));
        ExpectPhrases(pages[1], {QStringLiteral("คะแนนต่ำสุด-สูงสุดปี2543:366.60-448.71"),
                                 QStringLiteral("เกณฑ์:ยังไม่ได้ใส่คะแนนบางวิชาที่คณะนี้ใช้")});

        // Data built without the marker print no notice.
        QVERIFY(folder.changeRuleDb(QStringLiteral("UPDATE TamrikInfo SET SampleData = '0';")));
        Program real(folder);
        QVERIFY(real.start());
        list = OpenList(real);
        list->setFileChooser([pdf](QWidget*, const QString&, const QString&, const QString&) { return pdf; });
        In<QPushButton>(list, QStringLiteral("CmdExportPdf"))->click();
        const QStringList realPages = SqueezedPages(pdf);
        QCOMPARE(realPages.size(), 2);
        QVERIFY(!realPages.join(QString()).contains(QStringLiteral("ข้อมูลตัวอย่าง")));
    }
};

QTEST_MAIN(TestWorkingPdf)
#include "test_workingpdf.moc"
