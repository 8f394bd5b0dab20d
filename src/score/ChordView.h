// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Font.h"
#include "score/CellText.h"
#include "score/DisplayStyle.h"
#include "score/PositionDiagram.h"
#include "score/ScorePainter.h"

#include <QRect>

#include <cstdint>
#include <memory>

class Chord;
class ChordView;
class QPainter;

// What a cell asks of the score that holds it.
class CellHost {
public:
    enum class Event {
        DrawStart, // around a change of the cell's size
        DrawEnd,
        Redraw // lay the score out again
    };
    // Where the host put the cell, in its pixels.
    virtual QRect CellRect(const ChordView &cell) const = 0;
    // The host's pop-up menu for the cell, at the mouse.
    virtual void CellMenu(ChordView &cell) = 0;
    // The cell looks different: paint it again.
    virtual void CellChanged(const ChordView &cell) = 0;
    virtual void CellEvent(ChordView &cell, Event event) = 0;

protected:
    ~CellHost() = default;
};

// One chord cell: the fingering diagram, the chord name and the lyric word
// under it, stacked and left-aligned on white. The cell sizes itself to the
// parts that are shown; its host places it and paints it (through
// ScorePainter). A cell is not a widget: a score of thousands of cells is one
// widget. Lengths are twips; 15 twips are one pixel.
class ChordView {
public:
    explicit ChordView(CellHost *host = nullptr);
    // A cell of a score: it shares the template's fonts from the start.
    ChordView(CellHost *host, const ChordView &templ);
    ChordView(const ChordView &) = delete;
    ChordView &operator=(const ChordView &) = delete;
    ~ChordView() = default;

    // Where the host put the cell, in its pixels, as a widget's geometry;
    // the host's layout is the one record of it.
    QRect geometry() const;
    QPoint pos() const { return geometry().topLeft(); }
    int x() const { return pos().x(); }
    int y() const { return pos().y(); }
    QSize size() const;
    int width() const { return size().width(); }
    int height() const { return size().height(); }
    // Paints the cell with its top left at the painter's origin.
    void Paint(QPainter &p) const;
    // A press at a point of the cell, in its own pixels.
    void Press(const QPoint &at, Qt::MouseButton button);

    // Opens the host's pop-up menu for this cell at the mouse.
    void ClickPopupMenu();
    // What the menu offers for this cell: a fingering for every cell of its
    // chord (where there is a choice), fingerings for a chord the
    // dictionary lacks.
    bool CanUseForAll() const { return m_positionShown && m_positionSize > 1; }
    bool LacksFingerings() const { return !ChordName().isEmpty() && m_positionSize == 0; }
    // Prepares the cell for reuse; does not re-arrange.
    void Initialize();
    // Shows a token of a sheet, as Initialize, SetChord, CopyDisplaySettings
    // (shared fonts), SetChordName, SetWord, SetLineNo and SetState(1) in a
    // row would, but touching each part once: a reused cell whose parts stay
    // shown is not hidden and shown again, and unchanged text is not
    // measured again.
    // A mark of a chord line ("x2", "N.C.") is a word in the word colour of
    // a chord's lyric, never in that of plain text.
    void Load(std::shared_ptr<::Chord> cls, const ChordView &templ, const QString &sChordName,
              const QString &sWord, int32_t lLineNo, bool bMark = false);
    // Draws the current position again and re-applies both colours.
    void Refresh();
    // 1 diagram, name and word; 2 name and word; 3 word only; others change nothing.
    void SetState(int16_t iState);

    const QString &ChordName() const;
    void SetChordName(const QString &sChordName);
    const QString &Word() const;
    // Changes the text only; the size follows at the next arranging write.
    void SetWord(const QString &sWord);
    int32_t LineNo() const { return m_lineNo; }
    void SetLineNo(int32_t lLineNo) { m_lineNo = lLineNo; }
    // The shared dictionary; never modified here.
    const std::shared_ptr<::Chord> &Chord() const { return m_chord; }
    void SetChord(std::shared_ptr<::Chord> cls);
    bool AdjustFlatStart() const { return m_adjustFlatStart; }
    void SetAdjustFlatStart(bool bVal) { m_adjustFlatStart = bVal; }
    // The parts' own font objects, shared by reference.
    const std::shared_ptr<Font> &ChordNameFont() const;
    void SetChordNameFont(std::shared_ptr<Font> fnt);
    const std::shared_ptr<Font> &WordFont() const;
    void SetWordFont(std::shared_ptr<Font> fnt);
    // Colours are 0x00BBGGRR, applied at the next Refresh or name write.
    int32_t EnableChordNameColor() const { return m_enableChordNameColor; }
    void SetEnableChordNameColor(int32_t lColor) { m_enableChordNameColor = lColor; }
    int32_t UnEnableChordNameColor() const { return m_unEnableChordNameColor; }
    void SetUnEnableChordNameColor(int32_t lColor) { m_unEnableChordNameColor = lColor; }
    int32_t EnableWordColor() const { return m_enableWordColor; }
    void SetEnableWordColor(int32_t lColor) { m_enableWordColor = lColor; }
    int32_t UnEnableWordColor() const { return m_unEnableWordColor; }
    void SetUnEnableWordColor(int32_t lColor) { m_unEnableWordColor = lColor; }
    // The seven display settings as one value; setting copies the fonts
    // into the cell's own font objects.
    DisplayStyle Style() const;
    void SetStyle(const DisplayStyle &style);
    // Those of another cell. Shared: the same font objects (cells of a
    // score follow their template); Values: as SetStyle(from.Style()).
    enum class FontCopy { Shared, Values };
    void CopyDisplaySettings(const ChordView &from, FontCopy fonts);
    // Shows the chord's fingering written as sLine ("x-3-2-0-1-0") if it
    // has one; false, and the first fingering, if not.
    bool ChooseVoicing(const QString &sLine);
    // The fingering shown, as ChooseVoicing takes it; empty for none.
    QString VoicingLine() const;
    // Shows one position by itself, without name or word.
    void SetPositionId(int16_t iPositionId);
    int16_t PositionId() const { return m_positionId; }
    int16_t PositionSize() const { return m_positionSize; }
    // Which of the chord's fingerings is shown, from 1; 0 when none is.
    int16_t PositionIndex() const;
    bool VariationMark() const { return m_variationMark; }
    void SetVariationMark(bool bVal) { m_variationMark = bVal; }
    // 3 to 7 strings, 1 to 6 fret columns; others raise an AppError.
    void SetStringSize(int16_t iSize);
    void SetFlatSize(int16_t iSize);
    // Scales the diagram, the text and the gaps (percent). Cells loaded
    // from a template take its zoom.
    void SetZoom(int iPercent);
    int Zoom() const { return m_diagram.Zoom(); }

    // Where each part is in the cell, in pixels; empty while it is hidden.
    QRect DiagramRect() const;
    QRect ChordNameRect() const;
    QRect WordRect() const;
    const QColor &ChordNameColor() const { return m_name.Color(); }
    const QColor &WordColor() const { return m_word.Color(); }
    // The parts' shown flags, which the layout reads.
    bool PositionShown() const { return m_positionShown; }
    bool ChordNameShown() const { return m_chordNameShown; }
    bool WordShown() const { return m_wordShown; }
    const PositionDiagram &Diagram() const { return m_diagram; }
    int16_t FlatStart() const { return m_diagram.FlatStart(); }

    // The cell's size as the layout computed it.
    int32_t WidthTwips() const { return Arranged().m_width; }
    int32_t HeightTwips() const { return Arranged().m_height; }
    // Top of each part inside the cell.
    int32_t ChordNameTop() const { return Arranged().m_chordNameTop; }
    int32_t WordTop() const { return Arranged().m_wordTop; }

    // What the cell shows now, for painting it elsewhere.
    scorepainter::CellPicture Picture() const;

    // Colours of the 0x00BBGGRR form.
    static QColor ToColor(int32_t lColor) { return DisplayStyle::ToColor(lColor); }
    static int32_t FromColor(const QColor &color) { return DisplayStyle::FromColor(color); }

private:
    void Setup();
    void Tell(CellHost::Event event);
    // Asks the host to paint the cell again.
    void update();
    void SetPositionVisible(bool show);
    void SetChordNameVisible(bool show);
    void SetWordVisible(bool show);
    // The dictionary, and the diagram's frame (strings, frets) it asks for.
    void TakeChord(std::shared_ptr<::Chord> cls);
    void ApplyZoom(int iPercent);
    void SearchCurrentPosition();
    void DrawPosition();
    void ShowPosition(bool show);
    void ShowChordName(bool show);
    void SetChordNameColor();
    void SetWordColor();
    // The parts changed: the size is measured again when next asked for.
    void ArrangeView();
    const ChordView &Arranged() const;

    void ClickPosition();
    void ClickChordName();
    void ClickWord();

    PositionDiagram m_diagram;
    CellText m_name;
    CellText m_word;
    bool m_positionShown = true;
    bool m_chordNameShown = true;
    bool m_wordShown = true;

    int32_t m_lineNo = 0;
    bool m_mark = false;
    std::shared_ptr<::Chord> m_chord;
    int16_t m_positionId = 0;
    int16_t m_positionSize = 0;
    int32_t m_enableChordNameColor = 0;
    int32_t m_unEnableChordNameColor = 0xC0C0C0;
    int32_t m_enableWordColor = 0;
    int32_t m_unEnableWordColor = 0xC0C0C0;
    bool m_adjustFlatStart = false;
    bool m_variationMark = true;

    // Measured on demand: a cell nobody looks at (the template, a window with
    // no sheet yet) loads no font.
    mutable bool m_arranged = false;
    mutable int32_t m_width = 0;
    mutable int32_t m_height = 0;
    mutable int32_t m_chordNameTop = 0;
    mutable int32_t m_wordTop = 0;

    CellHost *m_host = nullptr;
};
