#include "score/PositionDiagram.h"

#include "chords/Chord.h"
#include "platform/AppError.h"

PositionDiagram::PositionDiagram() {
    for (int16_t i = 1; i <= MaxStrings; ++i) {
        Line &s = m_strings[static_cast<size_t>(i)];
        s.X1 = FretX(0);
        s.Y1 = s.Y2 = StringY(i);
        m_mutes[static_cast<size_t>(i)].Top = MarkTop(i);
        m_dots[static_cast<size_t>(i)].Top = MarkTop(i);
    }
    for (int16_t k = 0; k <= MaxFrets; ++k) {
        Line &f = m_frets[static_cast<size_t>(k)];
        f.X1 = f.X2 = FretX(k);
        f.Y1 = StringY(1);
    }
    m_frets[0].Visible = true;
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
    for (Line &f : m_frets) {
        f.Y2 = StringY(iSize);
    }
    // The lower end of string S's cross, plus 30.
    m_height = MarkTop(iSize) + 90 + 30;
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
    for (Line &s : m_strings) {
        s.X2 = FretX(iSize);
    }
    // Centred on the last fret line.
    m_variation.Left = FretX(iSize) - m_variation.Size / 2;
    m_width = FretX(iSize) + 60;
}

void PositionDiagram::ResetDots() {
    for (Dot &d : m_dots) {
        d.Height = DotHeight;
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
        m_frets[0].WidthPx = 1;
        m_fretNumber.Visible = true;
        m_fretNumber.Text = QString::number(low);
    } else {
        m_flatStart = 1;
        m_frets[0].WidthPx = 2;
        m_fretNumber.Visible = false;
    }
    m_fretNumber.Width =
        105 * static_cast<int32_t>(std::max<qsizetype>(1, m_fretNumber.Text.size()));
    for (int16_t i = 1; i <= m_stringSize; ++i) {
        DrawStringMark(i, chord.Flat(iPositionId, i), chord.Multi(iPositionId, i));
    }
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
        dot.Left = ColumnLeft(column);
        dot.Visible = true;
        cross.Visible = false;
        dot.Height = DotHeight + (iMulti - 1) * (DotHeight + 15);
    }
}
