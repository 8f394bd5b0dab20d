#include "score/PositionDiagram.h"

#include "chords/Chord.h"
#include "platform/AppError.h"
#include "platform/Twips.h"
#include "score/Zoom.h"

#include <algorithm>

PositionDiagram::PositionDiagram() {
    m_frets[0].Visible = true;
    Place();
}

int32_t PositionDiagram::U(int iPixels) const {
    return zoom::Twips(iPixels, m_zoom);
}

void PositionDiagram::Place() {
    const int line = zoom::LineWidth(1, m_zoom);
    const int16_t strings = m_stringSize > 0 ? m_stringSize : int16_t{1};
    const int16_t frets = m_flatSize > 0 ? m_flatSize : int16_t{0};
    for (int16_t i = 1; i <= MaxStrings; ++i) {
        Line &s = m_strings[static_cast<size_t>(i)];
        s.X1 = FretX(0);
        s.X2 = FretX(frets);
        s.Y1 = s.Y2 = StringY(i);
        s.WidthPx = line;
        Cross &cross = m_mutes[static_cast<size_t>(i)];
        cross.Top = MarkTop(i);
        cross.Size = U(6);
    }
    for (int16_t k = 0; k <= MaxFrets; ++k) {
        Line &f = m_frets[static_cast<size_t>(k)];
        f.X1 = f.X2 = FretX(k);
        f.Y1 = StringY(1);
        f.Y2 = StringY(strings);
        f.WidthPx = line;
    }
    m_fretNumber.Left = U(10);
    m_fretNumber.Height = U(14);
    // A plus centred on the last fret line: its size and its arm's width
    // both odd or both even, so that the arm sits in the middle.
    int plus = zoom::Pixels(3, m_zoom);
    if ((plus - line) % 2 != 0) {
        ++plus;
    }
    m_variation.Size = twips::FromPx(plus);
    // Both a few twips short of their pixel, as the stored figures have them
    // at 100%: 100 twips down, the fret line less half the size across.
    const int plusLeft = twips::Px(FretX(frets)) + (line - plus) / 2;
    m_variation.Left = twips::FromPx(plusLeft) - 7;
    m_variation.Top = U(7) - 5;
    if (m_stringSize > 0) {
        // The lower end of the last string's cross, and a gap.
        m_height = MarkTop(m_stringSize) + U(6) + U(2);
    }
    if (m_flatSize > 0) {
        m_width = FretX(m_flatSize) + U(4);
    }
    PlaceMarks();
}

void PositionDiagram::PlaceMarks() {
    // The nut is thick while the diagram starts at fret 1.
    m_frets[0].WidthPx = zoom::LineWidth(m_thickNut ? 2 : 1, m_zoom);
    m_fretNumber.Width =
        U(7) * static_cast<int32_t>(std::max<qsizetype>(1, m_fretNumber.Text.size()));
    for (int16_t i = 1; i <= MaxStrings; ++i) {
        PlaceDot(i);
    }
}

void PositionDiagram::PlaceDot(int16_t i) {
    Dot &d = m_dots[static_cast<size_t>(i)];
    const int16_t column = m_dotColumn[static_cast<size_t>(i)];
    const int16_t multi = m_dotMulti[static_cast<size_t>(i)];
    d.Top = MarkTop(i);
    d.Left = column > 0 ? ColumnLeft(column) : 0;
    d.Width = U(5);
    // A barre covers the strings below it: one string spacing each.
    d.Height = U(5) + (std::max<int16_t>(multi, 1) - 1) * U(6);
}

void PositionDiagram::SetStringSize(int16_t iSize) {
    if (iSize < 3 || iSize > MaxStrings) {
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("ChordView"),
                       QStringLiteral("弦の数 %1 は描けません (3～7 本)").arg(iSize));
    }
    m_stringSize = iSize;
    for (int16_t i = 1; i <= MaxStrings; ++i) {
        const bool used = i <= iSize;
        m_dots[static_cast<size_t>(i)].Visible = used;
        m_strings[static_cast<size_t>(i)].Visible = used;
        m_mutes[static_cast<size_t>(i)].Visible = used;
    }
    Place();
}

void PositionDiagram::SetFlatSize(int16_t iSize) {
    if (iSize < 1 || iSize > MaxFrets) {
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("ChordView"),
                       QStringLiteral("フレットの数 %1 は描けません (1～6)").arg(iSize));
    }
    m_flatSize = iSize;
    for (int16_t k = 1; k <= MaxFrets; ++k) {
        m_frets[static_cast<size_t>(k)].Visible = k <= iSize;
    }
    Place();
}

void PositionDiagram::ResetDots() {
    m_dotMulti.fill(1);
    for (int16_t i = 1; i <= MaxStrings; ++i) {
        PlaceDot(i);
    }
}

void PositionDiagram::SetZoom(int iPercent) {
    if (iPercent != m_zoom) {
        m_zoom = iPercent;
        Place();
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
        m_fretNumber.Visible = true;
        m_fretNumber.Text = QString::number(low);
    } else {
        m_flatStart = 1;
        m_thickNut = true;
        m_fretNumber.Visible = false;
    }
    for (int16_t i = 1; i <= m_stringSize; ++i) {
        DrawStringMark(i, chord.Flat(iPositionId, i), chord.Multi(iPositionId, i));
    }
    PlaceMarks();
    m_variation.Visible = iPositionSize > 1 && bVariationMark;
}

void PositionDiagram::DrawStringMark(int16_t i, int16_t iFlat, int16_t iMulti) {
    Dot &dot = m_dots[static_cast<size_t>(i)];
    Cross &cross = m_mutes[static_cast<size_t>(i)];
    if (iFlat == -1) {
        dot.Visible = false;
        cross.Visible = true;
    } else if (iFlat == 0 || iFlat == -9) {
        dot.Visible = false;
        cross.Visible = false;
    } else if (iFlat >= 1) {
        const auto column = static_cast<int16_t>(iFlat - m_flatStart + 1);
        // The dictionary keeps spans within six frets; anything else is not drawn.
        if (column < 1 || column > MaxFrets) {
            dot.Visible = false;
            cross.Visible = false;
            return;
        }
        m_dotColumn[static_cast<size_t>(i)] = column;
        m_dotMulti[static_cast<size_t>(i)] = iMulti;
        dot.Visible = true;
        cross.Visible = false;
    }
}
