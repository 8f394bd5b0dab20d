// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class ChordScore;
class QFont;
class QPagedPaintDevice;
class QPainter;

// The score on paper or in a PDF: the cells as they stand on screen (capo,
// display states, fingerings, fonts, colours) at their 100% size, laid out
// by PrintLayout for the device's printable area, with the sheet's name and
// "ページ n / m" in a footer. Text stays text, figures stay vector shapes.
namespace scoreprinter {

// Paints every page on device, which p is painting on; returns the pages.
int Print(QPainter &p, QPagedPaintDevice &device, const ChordScore &score, bool bPageReturn,
          const QString &sTitle);

// The song as a songbook prints it (歌本): the title large, a line of key,
// capo and transposition, the chord strip once, then the rows with chord
// names over the lyrics and no diagrams, across the page's width or in two
// columns (SongbookLayout). sFooter names the sheet at the page's foot.
struct Heading {
    QString Title;
    QString Info;
};
int PrintSongbook(QPainter &p, QPagedPaintDevice &device, const ChordScore &score,
                  const Heading &heading, const QString &sFooter);

// A songbook's table of contents: its title, then each song's title with
// the page it starts on (0: not in the book, shown as missing), as many
// pages as it takes; returns them. Painted in font (its family, any size).
struct ContentsLine {
    QString Title;
    int Page = 0;
};
int PrintContents(QPainter &p, QPagedPaintDevice &device, const QString &sTitle,
                  const std::vector<ContentsLine> &lines, const QFont &font);

} // namespace scoreprinter
