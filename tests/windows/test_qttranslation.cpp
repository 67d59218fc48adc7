// Qt's own texts in Thai once the program's translation is installed, as its
// start installs it: the CSV save dialog of the all-faculties window (Qt's
// own dialog, as under Xvfb), a message box's OK and a line edit's menu.
#include "frmallfaculties.h"
#include "messageservice.h"
#include "programdriver.h"
#include "qttranslation.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

// Runs `look` over the first modal window that comes up; `look` closes it.
void WhenModal(const std::function<void(QWidget*)>& look)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, look] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            look(modal);
        }
    });
    poll->start(20);
}

QStringList ButtonTexts(const QWidget* window)
{
    QStringList texts;
    for (const QAbstractButton* button : window->findChild<QDialogButtonBox*>()->buttons())
        texts << button->text();
    return texts;
}

}  // namespace

class TestQtTranslation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installQtTranslation(); }

    void qtTextsAreThai()
    {
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.start());
        p.get<QAction>(QStringLiteral("mnuAllFaculties"))->trigger();
        FrmAllFaculties* list = p.window.allFaculties();
        QVERIFY(list);

        QStringList dialogTexts;
        WhenModal([&](QWidget* modal) {
            if (qobject_cast<QFileDialog*>(modal)) {
                for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                    dialogTexts << Find<QLabel>(modal, QString::fromLatin1(label))->text();
                dialogTexts << ButtonTexts(modal);
            }
            modal->close();
        });
        Find<QPushButton>(list, QStringLiteral("CmdExportCsv"))->click();
        QCOMPARE(dialogTexts, (QStringList{QStringLiteral("ดูใน:"), QStringLiteral("ชื่อไฟล์(&N):"),
                                           QStringLiteral("ชนิดไฟล์:"), QStringLiteral("บันทึก(&S)"),
                                           QStringLiteral("ยกเลิก")}));

        QStringList boxButtons;
        WhenModal([&](QWidget* modal) {
            boxButtons = ButtonTexts(modal);
            modal->close();
        });
        MessageBoxService().show(QStringLiteral("แจ้งข้อความ"));
        QCOMPARE(boxButtons, QStringList{QStringLiteral("ตกลง")});

        std::unique_ptr<QMenu> menu(p.get<QLineEdit>(QStringLiteral("F1TxtFacID"))->createStandardContextMenu());
        QStringList items;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                items << action->text().section(QLatin1Char('\t'), 0, 0);
        QCOMPARE(items, (QStringList{QStringLiteral("เลิกทำ(&U)"), QStringLiteral("ทำซ้ำ(&R)"), QStringLiteral("ตัด(&T)"),
                                     QStringLiteral("คัดลอก(&C)"), QStringLiteral("วาง(&P)"), QStringLiteral("ลบ"),
                                     QStringLiteral("เลือกทั้งหมด")}));
    }
};

QTEST_MAIN(TestQtTranslation)
#include "test_qttranslation.moc"
