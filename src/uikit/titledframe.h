#pragma once
// A frame whose caption sits on its border: a thin grey line around the frame
// below the caption's middle, the caption over the line near the left end.
// Drawn here rather than through a style sheet, which would put every control
// inside the frame through the style-sheet machinery at start-up.

#include <QGroupBox>

namespace tamrik {

class TitledFrame : public QGroupBox {
public:
    struct Look {
        int borderTop;     // pixels from the frame's top to its border line
        int cornerRadius;  // 0: square corners
        int titlePadding;  // blank pixels on each side of the caption
    };

    TitledFrame(const QString& caption, const Look& look, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look m_look;
};

}  // namespace tamrik
