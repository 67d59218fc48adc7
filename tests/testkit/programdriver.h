#pragma once
// The real main window over a test's program folder, driven as a user drives
// it: controls found by objectName, clicks, typing over a box's text, the
// faculty chosen by its code. Header-only, so only the tests that drive the
// whole window link the whole window.

#include "controls.h"
#include "frmtamrik.h"
#include "gpaprpage.h"
#include "programfolder.h"
#include "recordingmessages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace tamrik::testing {

// "a b c" as a list of texts.
inline QStringList Words(const char* text) { return QString::fromUtf8(text).split(u' '); }

// The objectName of a control array's element: Indexed("Text_SC_main", 1).
inline QString Indexed(const char* base, int index) { return arrayName(QString::fromLatin1(base), index); }

// What the user reads on a control: a label's or button's caption, a box's
// text, a frame's title.
inline QString Caption(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* box = qobject_cast<const QLineEdit*>(w))
        return box->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(w))
        return frame->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    return QString();
}

struct Program {
    explicit Program(const ProgramFolder& folder) : window(folder.path(), folder.fallback(), messages) {}

    // Start-up, then the window shown and active.
    bool start()
    {
        if (!window.Load())
            return false;
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    template <typename T = QWidget>
    T* get(const QString& name) const
    {
        return Find<T>(&window, name);
    }
    QString text(const QString& name) const { return Caption(get(name)); }
    // The captions of the named controls (names apart by blanks).
    QStringList texts(const char* names) const { return texts(Words(names)); }
    QStringList texts(const QStringList& names) const
    {
        QStringList texts;
        for (const QString& name : names)
            texts << text(name);
        return texts;
    }
    bool changeUserEnabled() const { return get<QAction>(QStringLiteral("submnuOption(0)"))->isEnabled(); }
    static QString focusName()
    {
        const QWidget* focused = QApplication::focusWidget();
        return focused ? focused->objectName() : QString();
    }
    void click(const QString& name) const { QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton); }

    // Clicks into the box and types over its text.
    static void type(QLineEdit* box, const QString& text)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void type(const QString& boxName, const QString& text) const { type(get<QLineEdit>(boxName), text); }

    // Page 1 in code mode: the code typed, then the box left by this key, or
    // by its button when the key is 0.
    void chooseFaculty(const QString& code, int key = Qt::Key_Return) const
    {
        auto* option = get<QRadioButton>(QStringLiteral("OptUseID"));
        // On the round mark: the option's text ends well before its right edge.
        if (!option->isChecked())
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
        auto* box = get<QLineEdit>(QStringLiteral("F1TxtFacID"));
        type(box, code);
        if (key)
            QTest::keyClick(box, Qt::Key(key));
        else
            click(QStringLiteral("F1CmdOkFac"));
    }
    // The faculty chosen and its rule loaded into page 2.
    void open(const QString& code) const
    {
        chooseFaculty(code);
        click(QStringLiteral("F1CmdNext"));
    }
    // Straight to page 3, entered as page 2 enters it for a faculty worth
    // `scorePerPercent` points per percent; null if the page is missing.
    GpaPrPage* enterGpaPr(float scorePerPercent)
    {
        auto* page = qobject_cast<GpaPrPage*>(window.page(3));
        if (page) {
            page->EnterGpaPrPage(scorePerPercent);
            window.showPage(3);
        }
        return page;
    }

    RecordingMessages messages;
    FrmTamrik window;
};

}  // namespace tamrik::testing
