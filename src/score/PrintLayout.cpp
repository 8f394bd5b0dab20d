// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/PrintLayout.h"

#include <algorithm>
#include <cmath>
#include <map>

PrintLayout PrintLayout::Arrange(const std::vector<ScoreLayout::Box> &boxes, int32_t lPageWidth,
                                 int32_t lPageHeight, bool bPageReturn, int32_t lGap) {
    PrintLayout out;
    if (boxes.empty() || lPageWidth <= 0 || lPageHeight <= 0) {
        return out;
    }
    // The widest and the tallest row set the scale.
    std::map<int32_t, std::pair<int64_t, int32_t>> rows; // row: width, height
    for (const ScoreLayout::Box &b : boxes) {
        auto &r = rows[b.Row];
        r.first += b.Width;
        r.second = std::max(r.second, b.Height);
    }
    double scale = 1.0;
    for (const auto &[row, r] : rows) {
        if (r.first > lPageWidth) {
            scale = std::min(scale, double(lPageWidth) / double(r.first));
        }
        if (r.second > lPageHeight) {
            scale = std::min(scale, double(lPageHeight) / double(r.second));
        }
    }
    out.m_scale = scale;
    // The page in unscaled twips; rounded down so that nothing spills over.
    const auto width = static_cast<int32_t>(std::floor(lPageWidth / scale));
    const auto height = static_cast<int32_t>(std::floor(lPageHeight / scale));
    const ScoreLayout columns = ScoreLayout::Arrange(boxes, height, 0);

    // Each cell's page column, from where the columns start.
    std::vector<int32_t> starts{0};
    for (const int32_t x : columns.SeparatorX()) {
        starts.push_back(x);
    }
    const auto columnOf = [&](int32_t left) {
        return static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), left) -
                                   starts.begin() - 1);
    };
    std::vector<int32_t> columnWidth(starts.size(), 0);
    const auto &places = columns.Places();
    for (size_t k = 0; k < boxes.size(); ++k) {
        if (places[k].Bottom == 0) {
            continue; // a cell the layout leaves out
        }
        const size_t c = columnOf(places[k].Left);
        columnWidth[c] = std::max(columnWidth[c], places[k].Left - starts[c] + boxes[k].Width);
    }

    // Columns onto pages: one each, or side by side while they fit.
    std::vector<size_t> pageOf(starts.size());
    std::vector<int32_t> leftOnPage(starts.size());
    int32_t x = 0;
    for (size_t c = 0; c < starts.size(); ++c) {
        const bool fits = bPageReturn && c > 0 && x + lGap + columnWidth[c] <= width;
        if (c == 0) {
            out.m_pages.emplace_back();
        } else if (fits) {
            x += lGap;
            out.m_pages.back().SeparatorX.push_back(x - lGap / 2);
        } else {
            out.m_pages.emplace_back();
            x = 0;
        }
        pageOf[c] = out.m_pages.size() - 1;
        leftOnPage[c] = x;
        x += columnWidth[c];
    }
    for (size_t k = 0; k < boxes.size(); ++k) {
        if (places[k].Bottom == 0) {
            continue;
        }
        const size_t c = columnOf(places[k].Left);
        out.m_pages[pageOf[c]].Cells.push_back(
            {static_cast<int32_t>(k), leftOnPage[c] + places[k].Left - starts[c], places[k].Top});
    }
    return out;
}
