// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// How a song goes onto songbook pages, with no painter involved: each sheet
// row is a line of chord names over its lyrics, no diagrams; lines longer
// than a column go on in the next line at a cell's edge; lines are never cut
// across columns or pages. Two columns share a page when every sheet row
// fits in half its width, if need be with everything made smaller (down to
// MinScale). The first page starts below its heading.
class SongbookLayout {
public:
    // A cell: its width and height (name and word lines) and its sheet row.
    struct Box {
        int32_t Width = 0;
        int32_t Height = 0;
        int32_t Row = 0;
    };
    struct Cell {
        int32_t Index = 0; // into the boxes
        int Page = 0;
        int32_t Left = 0;
        int32_t Top = 0; // the top of its line
    };

    // Lengths in twips; lFirstTop: where the first page's lines start;
    // lGap: between columns; lLineGap: between lines.
    static SongbookLayout Arrange(const std::vector<Box> &boxes, int32_t lPageWidth,
                                  int32_t lPageHeight, int32_t lFirstTop, int32_t lGap,
                                  int32_t lLineGap);

    static constexpr double MinScale = 0.8;

    int PageCount() const { return m_pages; }
    // Below 1 when the lines were made smaller to share a page in two
    // columns; the lengths here are before it.
    double Scale() const { return m_scale; }
    bool TwoColumns() const { return m_twoColumns; }
    // One per box, in the same order.
    const std::vector<Cell> &Cells() const { return m_cells; }

private:
    std::vector<Cell> m_cells;
    int m_pages = 1;
    double m_scale = 1.0;
    bool m_twoColumns = false;
};
