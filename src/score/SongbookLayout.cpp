// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/SongbookLayout.h"

#include <algorithm>

namespace {

struct Page {
    int32_t Width, Height, FirstTop, Gap, LineGap;
};

// The lines in iColumns columns, everything dScale times as large.
void Place(const std::vector<SongbookLayout::Box> &boxes, Page page, int iColumns, double dScale,
           std::vector<SongbookLayout::Cell> &cells, int &pages, int &wrapped, bool &overflow) {
    // The page as lines dScale as large see it.
    page.Width = static_cast<int32_t>(page.Width / dScale);
    page.Height = static_cast<int32_t>(page.Height / dScale);
    page.FirstTop = static_cast<int32_t>(page.FirstTop / dScale);
    page.Gap = static_cast<int32_t>(page.Gap / dScale);
    const int32_t columnWidth = (page.Width - (iColumns - 1) * page.Gap) / iColumns;
    cells.assign(boxes.size(), {});
    wrapped = 0;
    overflow = false;
    int sheet = 0;
    int column = 0;
    int32_t y = page.FirstTop;
    const auto top = [&] { return sheet == 0 ? page.FirstTop : 0; };
    for (size_t k = 0; k < boxes.size();) {
        // One line: cells of one row while they fit (at least one).
        size_t e = k;
        int32_t width = 0;
        int32_t height = 0;
        while (e < boxes.size() && boxes[e].Row == boxes[k].Row &&
               (e == k || width + boxes[e].Width <= columnWidth)) {
            width += boxes[e].Width;
            height = std::max(height, boxes[e].Height);
            ++e;
        }
        wrapped += k > 0 && boxes[k - 1].Row == boxes[k].Row ? 1 : 0;
        overflow = overflow || width > columnWidth;
        if (y > top() && y + height > page.Height) {
            if (++column == iColumns) {
                column = 0;
                ++sheet;
            }
            y = top();
        }
        int32_t x = column * (columnWidth + page.Gap);
        for (size_t i = k; i < e; ++i) {
            cells[i] = {static_cast<int32_t>(i), sheet, x, y};
            x += boxes[i].Width;
        }
        y += height + page.LineGap;
        k = e;
    }
    pages = sheet + 1;
}

} // namespace

SongbookLayout SongbookLayout::Arrange(const std::vector<Box> &boxes, int32_t lPageWidth,
                                       int32_t lPageHeight, int32_t lFirstTop, int32_t lGap,
                                       int32_t lLineGap) {
    const Page page{lPageWidth, lPageHeight, lFirstTop, lGap, lLineGap};
    int32_t widest = 0;
    for (size_t k = 0; k < boxes.size();) {
        int32_t width = 0;
        size_t e = k;
        for (; e < boxes.size() && boxes[e].Row == boxes[k].Row; ++e) {
            width += boxes[e].Width;
        }
        widest = std::max(widest, width);
        k = e;
    }
    // One column at full size; two, made smaller as far as that lets the
    // widest row fit, its longer rows going on in a second line. Two columns
    // when they take fewer pages, or as many without a row wrapped, and no
    // cell is wider than a column.
    SongbookLayout one;
    int wrappedOne = 0;
    bool overflowOne = false;
    Place(boxes, page, 1, 1.0, one.m_cells, one.m_pages, wrappedOne, overflowOne);
    SongbookLayout two;
    const int32_t half = (lPageWidth - lGap) / 2;
    two.m_scale = widest > half ? std::max(MinScale, double(half) / widest) : 1.0;
    two.m_twoColumns = true;
    int wrappedTwo = 0;
    bool overflowTwo = false;
    Place(boxes, page, 2, two.m_scale, two.m_cells, two.m_pages, wrappedTwo, overflowTwo);
    // A cell wider than a column would run into the next one.
    const bool useTwo = !overflowTwo && (two.m_pages < one.m_pages ||
                                         (two.m_pages == one.m_pages && wrappedTwo == 0));
    return useTwo ? two : one;
}
