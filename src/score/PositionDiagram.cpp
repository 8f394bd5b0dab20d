// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/PositionDiagram.h"

#include "chords/Chord.h"
#include "platform/AppError.h"
#include "platform/Twips.h"
#include "score/Zoom.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

PositionDiagram::Frame MakeFrame(int zoomPercent, int16_t stringCount, int16_t fretCount) {
    using Line = PositionDiagram::Line;
    const auto u = [zoomPercent](int px) { return zoom::Twips(px, zoomPercent); };
    const auto markTop = [&u](int16_t i) { return u(12) + u(6) * (i - 1); };
    const auto stringY = [&u](int16_t i) { return u(14) + u(6) * (i - 1); };
    const auto fretX = [&u](int16_t k) { return u(8) + u(8) * k; };

    PositionDiagram::Frame f;
    f.Zoom = zoomPercent;
    f.Strings = stringCount;
    f.Frets = fretCount;
    f.LineWidthPx = zoom::LineWidth(1, zoomPercent);
    f.NutWidthPx = zoom::LineWidth(2, zoomPercent);
    const int line = f.LineWidthPx;
    const int16_t lastString = stringCount > 0 ? stringCount : int16_t{1};
    for (int16_t i = 1; i <= PositionDiagram::MaxStrings; ++i) {
        f.StringLines[static_cast<size_t>(i)] =
            Line{i <= stringCount, fretX(0), stringY(i), fretX(fretCount), stringY(i), line};
        f.MarkTop[static_cast<size_t>(i)] = markTop(i);
    }
    for (int16_t k = 0; k <= PositionDiagram::MaxFrets; ++k) {
        f.FretLines[static_cast<size_t>(k)] = Line{
            k == 0 || k <= fretCount, fretX(k), stringY(1), fretX(k), stringY(lastString), line};
        f.ColumnLeft[static_cast<size_t>(k)] = k > 0 ? u(10) + u(8) * (k - 1) : 0;
    }
    f.MarkSize = u(6);
    f.DotSize = u(5);
    f.NumberLeft = u(10);
    f.NumberHeight = u(14);
    f.NumberCharWidth = u(7);
    // A plus centred on the last fret line: its size and its arm's width
    // both odd or both even, so that the arm sits in the middle.
    int plus = zoom::Pixels(3, zoomPercent);
    if ((plus - line) % 2 != 0) {
        ++plus;
    }
    f.Plus.Size = twips::FromPx(plus);
    // Both a few twips short of their pixel, as the stored figures have them
    // at 100%: 100 twips down, the fret line less half the size across.
    const int plusLeft = twips::Px(fretX(fretCount)) + (line - plus) / 2;
    f.Plus.Left = twips::FromPx(plusLeft) - 7;
    f.Plus.Top = u(7) - 5;
    // The lower end of the last string's cross, and a gap.
    f.Height = stringCount > 0 ? markTop(stringCount) + u(6) + u(2) : 0;
    f.Width = fretCount > 0 ? fretX(fretCount) + u(4) : 0;
    return f;
}

} // namespace

const PositionDiagram::Frame &PositionDiagram::FrameFor(int iZoom, int16_t iStrings,
                                                        int16_t iFrets) {
    // A few dozen at most (zoom levels times the frames in use); never freed,
    // so diagrams may keep a pointer. The UI thread only.
    static thread_local std::vector<std::unique_ptr<Frame>> frames;
    for (const auto &f : frames) {
        if (f->Zoom == iZoom && f->Strings == iStrings && f->Frets == iFrets) {
            return *f;
        }
    }
    frames.push_back(std::make_unique<Frame>(MakeFrame(iZoom, iStrings, iFrets)));
    return *frames.back();
}

PositionDiagram::PositionDiagram() : m_frame(&FrameFor(100, 0, 0)) {}

PositionDiagram::Line PositionDiagram::String(int16_t i) const {
    return m_frame->StringLines[static_cast<size_t>(i)];
}

PositionDiagram::Line PositionDiagram::Fret(int16_t k) const {
    Line f = m_frame->FretLines[static_cast<size_t>(k)];
    if (k == 0 && m_thickNut) {
        // The nut is thick while the diagram starts at fret 1.
        f.WidthPx = m_frame->NutWidthPx;
    }
    return f;
}

PositionDiagram::Cross PositionDiagram::Mute(int16_t i) const {
    return {m_muteShown[static_cast<size_t>(i)], 0, m_frame->MarkTop[static_cast<size_t>(i)],
            m_frame->MarkSize};
}

PositionDiagram::Dot PositionDiagram::Thumb(int16_t i) const {
    const auto n = static_cast<size_t>(i);
    const int16_t column = m_dotColumn[n];
    // A barre covers the strings below it: one string spacing each.
    const int32_t covered = std::max<int16_t>(m_dotMulti[n], 1) - 1;
    return {m_dotShown[n], column > 0 ? m_frame->ColumnLeft[static_cast<size_t>(column)] : 0,
            m_frame->MarkTop[n], m_frame->DotSize, m_frame->DotSize + covered * m_frame->MarkSize};
}

PositionDiagram::Label PositionDiagram::FretNumber() const {
    const auto chars = static_cast<int32_t>(std::max<qsizetype>(1, m_number.size()));
    return {
        m_numberShown,        m_number, m_frame->NumberLeft, 0, m_frame->NumberCharWidth * chars,
        m_frame->NumberHeight};
}

PositionDiagram::Mark PositionDiagram::Variation() const {
    Mark m = m_frame->Plus;
    m.Visible = m_plusShown;
    return m;
}

void PositionDiagram::SetStringSize(int16_t iSize) {
    if (iSize < 3 || iSize > MaxStrings) {
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("ChordView"),
                       QStringLiteral("弦の数 %1 は描けません (3～7 本)").arg(iSize));
    }
    m_frame = &FrameFor(m_frame->Zoom, iSize, m_frame->Frets);
    for (int16_t i = 1; i <= MaxStrings; ++i) {
        m_dotShown[static_cast<size_t>(i)] = i <= iSize;
        m_muteShown[static_cast<size_t>(i)] = i <= iSize;
    }
}

void PositionDiagram::SetFlatSize(int16_t iSize) {
    if (iSize < 1 || iSize > MaxFrets) {
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("ChordView"),
                       QStringLiteral("フレットの数 %1 は描けません (1～6)").arg(iSize));
    }
    m_frame = &FrameFor(m_frame->Zoom, m_frame->Strings, iSize);
}

void PositionDiagram::ResetDots() {
    m_dotMulti.fill(1);
}

void PositionDiagram::SetZoom(int iPercent) {
    if (iPercent != m_frame->Zoom) {
        m_frame = &FrameFor(iPercent, m_frame->Strings, m_frame->Frets);
    }
}

void PositionDiagram::DrawPosition(const Chord &chord, int16_t iPositionId, int16_t iPositionSize,
                                   bool bAdjustFlatStart, bool bVariationMark) {
    if (iPositionId == 0) {
        return;
    }
    const int16_t low = chord.FlatMin(iPositionId);
    const int16_t high = chord.FlatMax(iPositionId);
    if ((high > 4 || !bAdjustFlatStart) && low != 1) {
        m_flatStart = low;
        m_thickNut = false;
        m_numberShown = true;
        m_number = QString::number(low);
    } else {
        m_flatStart = 1;
        m_thickNut = true;
        m_numberShown = false;
    }
    for (int16_t i = 1; i <= StringSize(); ++i) {
        DrawStringMark(i, chord.Flat(iPositionId, i), chord.Multi(iPositionId, i));
    }
    m_plusShown = iPositionSize > 1 && bVariationMark;
}

void PositionDiagram::DrawStringMark(int16_t i, int16_t iFlat, int16_t iMulti) {
    bool &dot = m_dotShown[static_cast<size_t>(i)];
    bool &cross = m_muteShown[static_cast<size_t>(i)];
    if (iFlat == -1) {
        dot = false;
        cross = true;
    } else if (iFlat == 0 || iFlat == -9) {
        dot = false;
        cross = false;
    } else if (iFlat >= 1) {
        const auto column = static_cast<int16_t>(iFlat - m_flatStart + 1);
        // The dictionary keeps spans within six frets; anything else is not drawn.
        if (column < 1 || column > MaxFrets) {
            dot = false;
            cross = false;
            return;
        }
        m_dotColumn[static_cast<size_t>(i)] = column;
        m_dotMulti[static_cast<size_t>(i)] = iMulti;
        dot = true;
        cross = false;
    }
}
