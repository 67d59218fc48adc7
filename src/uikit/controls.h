#pragma once
// Building the windows' controls: each with its objectName, its place in
// twips and its caption, so a page's layout reads as one table.

#include <QRect>
#include <QString>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace tamrik {

class EntryBox;

// The objectName of element `index` of a control array: "Name(3)".
QString arrayName(const QString& base, int index);

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& twips,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& twips);
EntryBox* makeEntryBox(QWidget* parent, const QString& name, const QRect& twips, int maxLength);
// A frame with a caption (drawn with a border).
QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, const QRect& twips);
// A borderless frame that only groups its controls.
QFrame* makePlainFrame(QWidget* parent, const QString& name, const QRect& twips);

}  // namespace tamrik
