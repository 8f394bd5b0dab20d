#pragma once

#include <QString>

class ChordScore;
class QPageLayout;
class QPagedPaintDevice;
class QWidget;

// Printing, print preview and PDF export of the score on screen, through
// Qt's dialogs and QPdfWriter. A4, 15 mm margins, unless the dialog says
// otherwise.
namespace sheetprinting {

// While a PDF is written it is "NAME.pdf.XXXXXX.part" beside NAME.pdf.
inline const QString PartialPdfSuffix = QStringLiteral(".part");

void SetDefaultPage(QPagedPaintDevice &device);
// Writes the PDF whole or not at all: false with a message (Japanese, naming
// the file and why) when it cannot be written; an earlier file of that name
// is then as it was, and no partial file is left.
// The page is A4 with 15 mm margins unless a layout is given.
bool WritePdf(const ChordScore &score, bool bPageReturn, const QString &sTitle,
              const QString &sPath, QString &sError, const QPageLayout *layout = nullptr);
// Qt's print dialog, then the printer it chose (a PDF file without one,
// sPdfPath offered as its name); false with a message as WritePdf's.
bool PrintWithDialog(QWidget *owner, const ChordScore &score, bool bPageReturn,
                     const QString &sTitle, const QString &sPdfPath, QString &sError);
void Preview(QWidget *owner, const ChordScore &score, bool bPageReturn, const QString &sTitle);

} // namespace sheetprinting
