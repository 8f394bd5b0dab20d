// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "score/ScoreLayout.h"

#include <cstdint>
#include <vector>

// How a score goes onto pages, with no painter involved. Rows are never cut:
// the score is laid out in page columns as tall as a page (what 改ページ
// does with the window's height), each column a page of its own, or, in
// page-return mode, as many columns side by side as the page is wide. When
// a row is taller or wider than a page, everything is scaled down to fit.
class PrintLayout {
public:
    struct Cell {
        int32_t Index = 0; // into the boxes
        int32_t Left = 0;  // on its page, unscaled twips
        int32_t Top = 0;
    };
    struct Page {
        std::vector<Cell> Cells;
        std::vector<int32_t> SeparatorX; // dotted lines between columns
    };

    // boxes as for ScoreLayout; the page's size in twips; lGap between
    // page columns that share a page.
    static PrintLayout Arrange(const std::vector<ScoreLayout::Box> &boxes, int32_t lPageWidth,
                               int32_t lPageHeight, bool bPageReturn, int32_t lGap);

    // Below 1 when a row had to be scaled to fit; lengths here are unscaled.
    double Scale() const { return m_scale; }
    const std::vector<Page> &Pages() const { return m_pages; }

private:
    double m_scale = 1.0;
    std::vector<Page> m_pages;
};
