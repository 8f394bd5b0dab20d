// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// Where the cells of a score go, in twips, with no widget involved. Rows
// are bottom-aligned and follow each other downwards; with a fixed height a
// row that does not fit starts a new page column to the right, with a
// separator line between the columns.
class ScoreLayout {
public:
    // A cell as the layout sees it: its size and its sheet row (1, 2, ...).
    struct Box {
        int32_t Width = 0;
        int32_t Height = 0;
        int32_t Row = 0;
    };
    struct Place {
        int32_t Left = 0;
        int32_t Top = 0;
        // The row's bottom, which the cell's pixels end on.
        int32_t Bottom = 0;
    };

    static constexpr int32_t Margin = 80;

    // boxes[k] is cell k + 1. lFixHeight 0 lays out one column; above 0,
    // page columns of that height. Rows are numbered without gaps: cells of
    // a row past the first missing one, or of a row below 1, are not placed.
    // lMargin goes around every page column.
    static ScoreLayout Arrange(const std::vector<Box> &boxes, int32_t lFixHeight,
                               int32_t lMargin = Margin);

    // One per box, in the same order.
    const std::vector<Place> &Places() const { return m_places; }
    // Left edge of each page column after the first.
    const std::vector<int32_t> &SeparatorX() const { return m_separatorX; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }

private:
    std::vector<Place> m_places;
    std::vector<int32_t> m_separatorX;
    int32_t m_width = 0;
    int32_t m_height = 0;
};
