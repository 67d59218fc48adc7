#pragma once
// A label whose caption changes are announced, for the handlers that follow a
// label (the header code enables page 1's Next button).

#include <QLabel>

namespace tamrik {

class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    // Sets the caption and, when it differs, announces the change.
    void setCaption(const QString& caption);

signals:
    void captionChanged(const QString& caption);
};

}  // namespace tamrik
