#include "controls.h"

#include "entrybox.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tamrik {

QString arrayName(const QString& base, int index)
{
    return base + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& twips,
                  Qt::Alignment alignment)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    // Captions come from the rule database, the parameter file and the
    // user's typing: never read them as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    setGeometryTwips(label, twips);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& twips)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    setGeometryTwips(button, twips);
    return button;
}

EntryBox* makeEntryBox(QWidget* parent, const QString& name, const QRect& twips, int maxLength)
{
    auto* box = new EntryBox(parent);
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    setGeometryTwips(box, twips);
    return box;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, const QRect& twips)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    setGeometryTwips(frame, twips);
    return frame;
}

QFrame* makePlainFrame(QWidget* parent, const QString& name, const QRect& twips)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::NoFrame);
    setGeometryTwips(frame, twips);
    return frame;
}

}  // namespace tamrik
