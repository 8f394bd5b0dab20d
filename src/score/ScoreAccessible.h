// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class ChordView;

// What a screen reader sees of a score: the score is a list, each cell an
// item named by its chord, its fingering and its lyric, at its place on the
// screen. Cells are not widgets, so the score answers for them.
namespace scoreaccessible {

// Installs the interface for every score; once is enough.
void Install();

// The name a cell is read by: "C, 押さえ方 2/3, ふるさと"; the lyric alone
// for a cell without a chord.
QString CellName(const ChordView &cell);

} // namespace scoreaccessible
