#pragma once

#include <QString>

class ChordScore;
class QPagedPaintDevice;
class QWidget;

// Printing, print preview and PDF export of the score on screen, through
// Qt's dialogs and QPdfWriter. A4, 15 mm margins, unless the dialog says
// otherwise.
namespace sheetprinting {

void SetDefaultPage(QPagedPaintDevice &device);
// Writes the PDF; false with a message (Japanese, naming the file) when
// the file cannot be written. Nothing is left behind then.
bool WritePdf(const ChordScore &score, bool bPageReturn, const QString &sTitle,
              const QString &sPath, QString &sError);
// Qt's print dialog, then the printer it chose (a PDF file without one,
// sPdfPath offered as its name).
void PrintWithDialog(QWidget *owner, const ChordScore &score, bool bPageReturn,
                     const QString &sTitle, const QString &sPdfPath);
void Preview(QWidget *owner, const ChordScore &score, bool bPageReturn, const QString &sTitle);

} // namespace sheetprinting
