#pragma once
// What the splash and the About window both show: the product name, the
// version, the emblem and the seven notice lines (line 4 naming the rule
// data's year), and over sample data a strip saying so, inside Frame1. Clicks
// on the lines and the picture stop there; the window decides what a click on
// itself or on Frame1 does.

#include "yeartext.h"

#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QWidget;

namespace tamrik {

class Session;

// What the panel says of the loaded rule data.
struct PanelData {
    QString admissionYear = QString::fromLatin1(kDefaultAdmissionYear);  // the year line 4 names
    bool sample = false;  // made-up sample data: a strip says so
};
PanelData panelDataOf(const Session& session);

// Client width and the height Frame1 needs with its 120-twip margin.
constexpr int InfoPanelWidthTwips = 7320;
constexpr int InfoPanelHeightTwips = 4290;

struct InfoPanel {
    QGroupBox* Frame1 = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QLabel* version = nullptr;  // lblVersion on the splash, Label1 on About
    QLabel* Image1 = nullptr;
    std::array<QLabel*, 7> lblCompany{};
    QLabel* lblSampleNotice = nullptr;       // only over sample data, below the lines
    int heightTwips = InfoPanelHeightTwips;  // taller by the strip over sample data
};

// "Version 1.0.4", as both windows show it.
QString versionText();

// Builds Frame1 and its contents on the window. The version label is named
// versionLabelName and left empty: each window's load fills it.
InfoPanel buildInfoPanel(QWidget* window, const QString& versionLabelName, const PanelData& data);

}  // namespace tamrik
