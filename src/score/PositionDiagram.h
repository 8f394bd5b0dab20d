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

    // Left edge of a dot in fret columns 1 to 6.
    int32_t ColumnLeft(int16_t c) const { return U(10) + U(8) * (c - 1); }
    int32_t StringY(int16_t i) const { return U(14) + U(6) * (i - 1); }
    int32_t FretX(int16_t k) const { return U(8) + U(8) * k; }
    // Top of the dot and the cross of string i.
    int32_t MarkTop(int16_t i) const { return U(12) + U(6) * (i - 1); }

    PositionDiagram();

    // 3 to 7 strings and 1 to 6 fret columns; other values raise an AppError.
    void SetStringSize(int16_t iSize);
    void SetFlatSize(int16_t iSize);
    int16_t StringSize() const { return m_stringSize; }
    int16_t FlatSize() const { return m_flatSize; }

    // Shows position iPositionId of the dictionary; nothing for id 0.
    void DrawPosition(const Chord &chord, int16_t iPositionId, int16_t iPositionSize,
                      bool bAdjustFlatStart, bool bVariationMark);
    // Every dot back to one string's height, as at construction.
    void ResetDots();
    // Scales every figure (percent); what is shown stays shown.
    void SetZoom(int iPercent);
    int Zoom() const { return m_zoom; }

    int16_t FlatStart() const { return m_flatStart; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }

    const Line &String(int16_t i) const { return m_strings[static_cast<size_t>(i)]; }
    const Line &Fret(int16_t k) const { return m_frets[static_cast<size_t>(k)]; }
    const Cross &Mute(int16_t i) const { return m_mutes[static_cast<size_t>(i)]; }
    const Dot &Thumb(int16_t i) const { return m_dots[static_cast<size_t>(i)]; }
    const Label &FretNumber() const { return m_fretNumber; }
    const Mark &Variation() const { return m_variation; }

private:
    // Twips of a length that is iPixels at 100%, whole pixels at any zoom.
    int32_t U(int iPixels) const;
    // Puts every figure where the frame and the zoom say.
    void Place();
    // Only what a drawn position changes: the dots, the nut, the fret number.
    void PlaceMarks();
    void PlaceDot(int16_t i);
    void DrawStringMark(int16_t i, int16_t iFlat, int16_t iMulti);

    std::array<Line, 8> m_strings{}; // 1..7
    std::array<Line, 7> m_frets{};   // 0..6, 0 is the nut
    std::array<Cross, 8> m_mutes{};  // 1..7
    std::array<Dot, 8> m_dots{};     // 1..7
    Label m_fretNumber;
    Mark m_variation;
    int16_t m_stringSize = 0;
    int16_t m_flatSize = 0;
    int16_t m_flatStart = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int m_zoom = 100;
    bool m_thickNut = false;
    // Fret column and strings covered of each dot, for placing it again.
    std::array<int16_t, 8> m_dotColumn{};
    std::array<int16_t, 8> m_dotMulti{};
};
