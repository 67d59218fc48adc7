#pragma once
// The application's style: the platform's own, except that pictures a window
// may never show are loaded when first drawn rather than when the window is
// built.

namespace tamrik {

// Call once, after the QApplication exists and before any window.
void installAppStyle();

}  // namespace tamrik
