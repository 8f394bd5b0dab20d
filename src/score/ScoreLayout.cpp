// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ScoreLayout.h"

#include <algorithm>
#include <utility>

ScoreLayout ScoreLayout::Arrange(const std::vector<Box> &boxes, int32_t lFixHeight,
                                 int32_t lMargin) {
    ScoreLayout layout;
    layout.m_places.assign(boxes.size(), Place{});
    // The first and last cell of every row, in one pass. Rows beyond the
    // number of cells cannot exist without a gap.
    const auto n = static_cast<int64_t>(boxes.size());
    std::vector<std::pair<size_t, size_t>> rows; // [first, last + 1)
    for (size_t k = 0; k < boxes.size(); ++k) {
        const int32_t row = boxes[k].Row;
        if (row < 1 || row > n) {
            continue;
        }
        if (rows.size() < static_cast<size_t>(row)) {
            rows.resize(static_cast<size_t>(row), {0, 0});
        }
        auto &r = rows[static_cast<size_t>(row - 1)];
        if (r.second == 0) {
            r.first = k;
        }
        r.second = k + 1;
    }

    int32_t pageX = 0;
    int32_t widest = 0;
    int32_t y = lMargin;
    for (const auto &[first, end] : rows) {
        if (end == 0) {
            break;
        }
        int32_t rowWidth = 0;
        int32_t rowHeight = 0;
        for (size_t k = first; k < end; ++k) {
            rowWidth += boxes[k].Width;
            rowHeight = std::max(rowHeight, boxes[k].Height);
        }
        if (lFixHeight > 0 && lFixHeight < lMargin + rowHeight + y) {
            pageX += lMargin + lMargin + widest;
            layout.m_separatorX.push_back(pageX);
            y = lMargin;
            widest = 0;
        }
        const int32_t rowBottom = y + rowHeight;
        int32_t x = lMargin + pageX;
        for (size_t k = first; k < end; ++k) {
            layout.m_places[k] = {x, rowBottom - boxes[k].Height, rowBottom};
            x += boxes[k].Width;
        }
        widest = std::max(widest, rowWidth);
        y += rowHeight;
    }
    if (widest > 0) {
        pageX += lMargin + lMargin + widest;
    }
    layout.m_width = pageX;
    layout.m_height = lFixHeight > 0 ? lFixHeight : y + lMargin;
    return layout;
}
