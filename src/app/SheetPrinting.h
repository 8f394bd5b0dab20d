// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "score/ScorePrinter.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ChordScore;
class QPageLayout;
class QPainter;
class QPagedPaintDevice;
class QWidget;

// Printing, print preview and PDF export of the score on screen, through
// Qt's dialogs and QPdfWriter. A4, 15 mm margins, unless the dialog says
// otherwise.
namespace sheetprinting {

// What goes on paper: the score as on screen (page columns as in 改ページ
// when bPageReturn), or, with Songbook, as a songbook page under Heading.
struct Sheet {
    const ChordScore &Score;
    bool PageReturn = false;
    QString Title; // the footer's name of the sheet
    bool Songbook = false;
    scoreprinter::Heading Heading;
};
// Paints it on device, which p is painting on; returns the pages.
int Paint(QPainter &p, QPagedPaintDevice &device, const Sheet &sheet);

// While a PDF is written it is "NAME.pdf.XXXXXX.part" beside NAME.pdf.
inline const QString PartialPdfSuffix = QStringLiteral(".part");

void SetDefaultPage(QPagedPaintDevice &device);
// Writes the PDF whole or not at all: false with a message (Japanese, naming
// the file and why) when it cannot be written; an earlier file of that name
// is then as it was, and no partial file is left.
// The page is A4 with 15 mm margins unless a layout is given.
bool WritePdf(const Sheet &sheet, const QString &sPath, QString &sError,
              const QPageLayout *layout = nullptr);
// Qt's print dialog, then the printer it chose (a PDF file without one,
// sPdfPath offered as its name); false with a message as WritePdf's.
// A songbook of several songs in one PDF, written as WritePdf writes: a
// table of contents (sTitle, the songs' titles and first pages), then each
// song from a new page. load(i) puts song i in the score and says how it
// goes on paper; nothing for a song that cannot be read (its line says so).
// Songs are loaded twice: once to count their pages, once to paint them.
bool WriteSongbook(const QString &sTitle, const QStringList &titles,
                   const std::function<std::optional<Sheet>(int)> &load, const QString &sPath,
                   QString &sError);
bool PrintWithDialog(QWidget *owner, const Sheet &sheet, const QString &sPdfPath, QString &sError);
void Preview(QWidget *owner, const Sheet &sheet);

} // namespace sheetprinting
