#pragma once
// The all-faculties window driven as a user drives it: opened from the menu
// and brought to the front, controls found by objectName, a score typed into
// its cell. Header-only, as programdriver.h.

#include "frmallfaculties.h"
#include "programdriver.h"

#include <QAbstractItemModel>
#include <QTableView>

namespace tamrik::testing {

// A window brought to the front and given the keyboard.
inline bool Activate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

// The window in front, as after Ctrl+F.
inline FrmAllFaculties* OpenList(Program& program)
{
    program.get<QAction>(QStringLiteral("mnuAllFaculties"))->trigger();
    FrmAllFaculties* list = program.window.allFaculties();
    return list && Activate(list) ? list : nullptr;
}

template <typename T = QWidget>
T* In(FrmAllFaculties* list, const QString& name)
{
    return Find<T>(list, name);
}

inline QString Cell(const QAbstractItemModel* model, int row, int column)
{
    return model->index(row, column).data().toString();
}

// The row of the scores table for a subject code.
inline int ScoreRow(FrmAllFaculties* list, const QString& code)
{
    const QAbstractItemModel* scores = In<QTableView>(list, QStringLiteral("TableScores"))->model();
    for (int r = 0; r < scores->rowCount(); ++r) {
        if (Cell(scores, r, 0) == code)
            return r;
    }
    return -1;
}

// Types any text, Thai included, key by key into the focused box, as an input method would.
inline void TypeText(QWidget* box, const QString& text)
{
    box->setFocus();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Types a score into the table's score cell and confirms it with Enter, as a user edits in place.
inline void EditScore(FrmAllFaculties* list, const QString& code, const QString& text)
{
    auto* view = In<QTableView>(list, QStringLiteral("TableScores"));
    const QModelIndex cell = view->model()->index(ScoreRow(list, code), 2);
    view->setFocus();
    view->setCurrentIndex(cell);
    view->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits and closes the editor from its event queue.
    QCoreApplication::processEvents();
}

}  // namespace tamrik::testing
