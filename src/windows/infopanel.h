#pragma once
// What the splash and the About window both show: the product name, the
// version, the emblem and the seven notice lines, inside Frame1. Clicks on the
// lines and the picture stop there; the window decides what a click on itself
// or on Frame1 does.

#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QWidget;

namespace tamrik {

struct InfoPanel {
    QGroupBox* Frame1 = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QLabel* version = nullptr;  // lblVersion on the splash, Label1 on About
    QLabel* Image1 = nullptr;
    std::array<QLabel*, 7> lblCompany{};
};

// Client width and the height Frame1 needs with its 120-twip margin.
constexpr int InfoPanelWidthTwips = 7320;
constexpr int InfoPanelHeightTwips = 4290;

// "1.0.4": the build's major, minor and revision numbers.
QString VersionNumber();
// "Version 1.0.4", as both windows show it.
QString VersionText();

// The foot line: the figures help a decision and are not a result of the
// selection. The printed summary carries it too.
QString ResultNoticeText();

// Builds Frame1 and its contents on the window. The version label is named
// versionLabelName and left empty: each window's load fills it.
InfoPanel BuildInfoPanel(QWidget* window, const QString& versionLabelName);

}  // namespace tamrik
