#pragma once
// The printable working: one A4 page per faculty showing how each figure was
// reached (subject rows, subtotals, the GPA through its z key and table
// probability, the PR band, the composite and the ranges), the applicant's
// name on top, the legend of the labels, with the rule database, the
// parameters, the program version and the printing date at the foot. The
// shortlist's file starts with a page comparing the choices.
// Thai text is drawn with a TLWG face, which the PDF embeds, and every glyph
// run carries its text (pdfglyphtext.h), so the PDF can be searched.

#include "pdfglyphtext.h"
#include "workingsheet.h"

#include <QString>
#include <vector>

class QPagedPaintDevice;

namespace tamrik {

struct PrintNotes {
    QString applicant;   // the applicant's name, empty when none was typed
    QString ruleDb;      // the rule database's name and date
    QString parameters;  // the range table, mean and SD
    QString version;     // the program's version
    QString printed;     // the printing date
    QString sample;      // on every page while the data are a made-up sample, else empty
};

// False when the file cannot be written.
bool writeWorkingPdf(const QString& path, const std::vector<WorkingSheet>& sheets, const PrintNotes& notes,
                     bool withComparison);

// The same pages on any paged device (a printer); returns the glyph runs
// drawn, with their text, in drawing order.
std::vector<RunText> paintWorking(QPagedPaintDevice& device, const std::vector<WorkingSheet>& sheets,
                                  const PrintNotes& notes, bool withComparison);

}  // namespace tamrik
