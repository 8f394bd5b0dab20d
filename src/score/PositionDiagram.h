// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <cstdint>

class Chord;

// The figures of a fingering diagram and where they stand, in twips from the
// diagram's top-left corner: strings run left to right (string 1 on top), the
// nut at the left. Drawing a position only shows, hides, moves and stretches
// them; a painter turns them into pixels.
class PositionDiagram {
public:
    struct Line {
        bool Visible = false;
        int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
        int WidthPx = 1;
    };
    struct Cross { // two strokes in a square
        bool Visible = false;
        int32_t Left = 0, Top = 0, Size = 90;
    };
    struct Dot { // a rounded rectangle, red with a border
        bool Visible = false;
        int32_t Left = 0, Top = 0, Width = 75, Height = 75;
    };
    struct Label {
        bool Visible = false;
        QString Text;
        int32_t Left = 150, Top = 0, Width = 105, Height = 210;
    };
    struct Mark { // 3 by 3 pixels: a plus sign
        bool Visible = false;
        int32_t Left = 0, Top = 100, Size = 45;
    };

    static constexpr int16_t MaxStrings = 7;
    static constexpr int16_t MaxFrets = 6;

    // Everything that depends only on the zoom and the frame (strings,
    // frets): computed once and shared by every diagram drawn at them.
    struct Frame {
        int Zoom = 100;
        int16_t Strings = 0;
        int16_t Frets = 0;
        int LineWidthPx = 1;
        int NutWidthPx = 2; // the thick nut of a diagram that starts at fret 1
        std::array<Line, MaxStrings + 1> StringLines{}; // 1..7
        std::array<Line, MaxFrets + 1> FretLines{};     // 0..6, 0 is the nut
        std::array<int32_t, MaxStrings + 1> MarkTop{};  // dot and cross of each string
        std::array<int32_t, MaxFrets + 1> ColumnLeft{}; // a dot in fret columns 1..6
        int32_t MarkSize = 0;                           // a cross's side, a dot's step per string
        int32_t DotSize = 0;
        int32_t NumberLeft = 0, NumberHeight = 0, NumberCharWidth = 0;
        Mark Plus;
        int32_t Width = 0, Height = 0;
    };
    // The shared frame for a zoom and a frame size (0: not set yet).
    static const Frame &FrameFor(int iZoom, int16_t iStrings, int16_t iFrets);

    PositionDiagram();

    // 3 to 7 strings and 1 to 6 fret columns; other values raise an AppError.
    void SetStringSize(int16_t iSize);
    void SetFlatSize(int16_t iSize);
    int16_t StringSize() const { return m_frame->Strings; }
    int16_t FlatSize() const { return m_frame->Frets; }

    // Shows position iPositionId of the dictionary; nothing for id 0.
    void DrawPosition(const Chord &chord, int16_t iPositionId, int16_t iPositionSize,
                      bool bAdjustFlatStart, bool bVariationMark);
    // Every dot back to one string's height, as at construction.
    void ResetDots();
    // Scales every figure (percent); what is shown stays shown.
    void SetZoom(int iPercent);
    int Zoom() const { return m_frame->Zoom; }

    int16_t FlatStart() const { return m_flatStart; }
    int32_t Width() const { return m_frame->Width; }
    int32_t Height() const { return m_frame->Height; }

    // The figures as drawn now.
    Line String(int16_t i) const;
    Line Fret(int16_t k) const;
    Cross Mute(int16_t i) const;
    Dot Thumb(int16_t i) const;
    Label FretNumber() const;
    Mark Variation() const;

private:
    void DrawStringMark(int16_t i, int16_t iFlat, int16_t iMulti);

    const Frame *m_frame;
    std::array<bool, MaxStrings + 1> m_dotShown{};
    std::array<bool, MaxStrings + 1> m_muteShown{};
    // Fret column and strings covered of each dot.
    std::array<int16_t, MaxStrings + 1> m_dotColumn{};
    std::array<int16_t, MaxStrings + 1> m_dotMulti{};
    int16_t m_flatStart = 0;
    bool m_thickNut = false;
    bool m_numberShown = false;
    QString m_number;
    bool m_plusShown = false;
};
