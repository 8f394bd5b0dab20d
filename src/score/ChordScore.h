// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chords/Capo.h"
#include "chords/CapoAdvisor.h"
#include "chords/Chord.h"
#include "chords/PitchModel.h"
#include "parsing/ChordToken.h"
#include "score/ChordView.h"
#include "score/ScoreLayout.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMimeData;

// A whole chord sheet: one cell per token, laid out in rows (bottom-aligned)
// in one column or, with a fixed height, in page columns side by side with
// dotted lines between them. Sizes itself to its content and paints its
// cells; lengths in twips.
class ChordScore : public QWidget, private CellHost {
    Q_OBJECT

public:
    explicit ChordScore(QWidget *parent = nullptr);
    ~ChordScore() override;

    // Reads the sheet file whole (CP932; lone LF line ends become CR LF) and
    // builds it. A file that cannot be read raises before anything changes.
    void LoadChordScore(const QString &sFname);
    // Re-applies the template and the capo to every cell.
    void Refresh();
    // Display state 1, 2 or 3 for every cell.
    void State(int16_t iState);
    // 0: one column; above 0: page return at this height.
    void SetFixHeight(int32_t lHeight);
    int32_t FixHeight() const { return m_fixHeight; }
    // The score's pop-up menu at the mouse (paste); a cell's adds its own items.
    void ClickPopupMenu();
    // The one paste item of every pop-up menu; enabled as the menu opens,
    // exactly when the clipboard holds text. Raises Paste.
    QAction *PasteAction() const { return m_paste; }
    // Shows the diagram of every cell of that chord whose name is shown: for
    // a chord just added to the dictionary, whose cells had none to show.
    void ShowPositionsOf(const QString &sChordName);
    // The capo a ChordPro sheet asks for, -1 if none.
    int16_t SheetCapo() const { return m_token.SheetCapo(); }
    // The sheet's text as it was read.
    const QString &Text() const { return m_token.Text(); }
    // Chord names of the cells that have no fingering, each once, in order.
    QStringList MissingChords() const;
    void SetText(const QString &sText);
    int16_t TabSize() const { return m_token.TabSize(); }
    void SetTabSize(int16_t iTab) { m_token.SetTabSize(iTab); }
    int16_t Max() const { return m_token.Max(); }
    void SetMax(int16_t iMax) { m_token.SetMax(iMax); }
    int16_t ChordViewCount() const { return static_cast<int16_t>(m_chvChord.size() - 1); }
    // The template cell: the host sets the dictionary, fonts, colours and
    // fret-start rule on it, then calls Refresh or loads a text.
    ChordView *Properties() const { return m_chvChord[0].get(); }
    // The topmost cell under a point of the score, 0 for none.
    int16_t CellAt(const QPoint &at) const;
    void SetCapo(int16_t iCapo);
    // The view's own state, which menus only show: the capo set, and
    // whether the sheet is laid out in pages (the height is the window's).
    int16_t CurrentCapo() const { return m_pitch.Capo(); }
    // Semitones the song is moved, -11 to 11 (the capo is apart from it).
    void SetTranspose(int16_t iSteps);
    int16_t Transpose() const { return m_pitch.Transpose(); }
    void SetSpelling(PitchModel::Spelling spelling);
    // The pitch model the cells are shown by: the sheet's capo and key, the
    // transposition, the capo, the spelling.
    const PitchModel &Pitch() const { return m_pitch; }
    // How a sheet just read starts, before its cells are made: the host may
    // set the capo and transposition (a remembered song) on the model, which
    // holds the sheet's own capo, transposition and key by then, and the
    // zoom the cells are made at.
    using StartState = std::function<void(PitchModel &pitch, int &zoom)>;
    void SetStartState(StartState start) { m_startState = std::move(start); }
    // The sheet's title ({title}, else its first line).
    const QString &Title() const { return m_token.Title(); }
    bool PageReturn() const { return m_pageReturn; }
    void SetPageReturn(bool bOn) { m_pageReturn = bOn; }
    // Fingerings chosen for whole chords: chord name as shown, position
    // line. Cells of those chords show them, now and after every rebuild;
    // a line the dictionary lacks leaves the first fingering.
    using Voicings = std::vector<std::pair<QString, QString>>;
    void SetVoicings(Voicings voicings);
    const Voicings &ChosenVoicings() const { return m_voicings; }
    // The fingering line chosen for a whole chord, empty for none.
    QString VoicingFor(const QString &sChordName) const;
    // Every cell of the chord shows that fingering from now on, as the
    // pop-up menu's "use for the whole song" does.
    void UseVoicingForAll(const QString &sChordName, const QString &sLine);
    // The sheet's chord names as they sound (written, moved by the sheet's
    // capo and the transposition), each once with its cell count.
    capoadvisor::ChordCounts SheetChordNames() const;
    // The dictionary the cells use (with a ChordPro sheet's own fingerings).
    std::shared_ptr<Chord> SheetDictionary() { return SheetChord(); }
    // Percent, one of zoom::kSteps; the whole score scales.
    void SetZoom(int iPercent);
    int Zoom() const;

    // The keyboard's cell, framed: Tab and Shift+Tab move it through the
    // cells that have a chord (false when there is none); Enter presses its
    // diagram as a click does; Shift+F10 or the menu key open its menu. 0
    // for none; a rebuild clears it.
    int16_t FocusCell() const { return m_focus; }
    void SetFocusCell(int16_t i);
    bool MoveFocus(int iStep);
    void PressFocus();
    void FocusMenu();

    // Cells 1 to ChordViewCount, and the page separators of the layout.
    ChordView *Cell(int16_t i) const;
    int SeparatorCount() const { return static_cast<int>(m_layout.SeparatorX().size()); }
    // Where the layout put everything; cell k at k - 1.
    const ScoreLayout &Layout() const { return m_layout; }
    // Size in twips as the layout left it.
    int32_t WidthTwips() const { return m_width; }
    int32_t HeightTwips() const { return m_height; }
    // Where the layout put cell i, in twips.
    int32_t CellLeft(int16_t i) const;
    int32_t CellTop(int16_t i) const;
    // The pixel row cell i starts on: its row's bottom pixel less its own
    // height, so that the bottoms of a row meet whatever the rounding.
    int CellPixelTop(int16_t i) const;
    // Cell i's rectangle in the score's pixels, for painting, hit-testing
    // and the accessibility tree; at the origin while the layout has not
    // placed it.
    QRect CellRect(int32_t i) const;
    int32_t SeparatorX(int i) const;
    // What each cell asks of a layout, for the screen and the printer alike.
    std::vector<ScoreLayout::Box> LayoutBoxes() const;

    // First and last cell of sheet row lLine; false when the row has none.
    bool FindLineRange(int32_t lLine, int16_t &iFirst, int16_t &iLast) const;

    static constexpr int32_t Margin = ScoreLayout::Margin;

signals:
    void DrawStart();
    void DrawEnd();
    void Paste();
    void DropFile(const QMimeData *Data);
    void AddToDictionary(const QString &sChordName);
    // The user chose a fingering for a whole chord (ChosenVoicings changed).
    void VoicingsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QRect CellRect(const ChordView &cell) const override;
    void CellMenu(ChordView &cell) override;
    void CellChanged(const ChordView &cell) override;
    // Cell number of a cell of this score, 0 for none.
    int32_t IndexOf(const ChordView &cell) const;
    // The pop-up menu, for a cell or (null) for the score itself, at a
    // point of the screen (the mouse by default).
    void OpenMenu(ChordView *cell, std::optional<QPoint> at = std::nullopt);
    void CellEvent(ChordView &cell, Event event) override;
    // Where the last layout put cell i; null for a cell it has not seen.
    const ScoreLayout::Place *PlaceOf(int16_t i) const;
    void BuildChordViews(const QString &sText);
    void ArrangeScore();
    std::unique_ptr<ChordView> CreateCell();
    void DestroyCellsFrom(size_t first);
    void chvChord_ChangeRow(ChordView *cell, int16_t iState);
    void chvChord_UseForAll(ChordView *cell);
    void ApplyVoicings();
    // The sheet's capo, transposition and key into the pitch model, then
    // the host's start state.
    void TakeSheetPitch();
    void SetSize(int32_t width, int32_t height);

    std::vector<std::unique_ptr<ChordView>> m_chvChord; // 0 is the template
    // Cells dropped by a rebuild, deleted once the event loop runs again:
    // the cell whose menu started the rebuild may still be on the stack.
    std::vector<std::unique_ptr<ChordView>> m_retired;
    // Counts rebuilds, so that a menu knows whether its cell still stands.
    uint32_t m_generation = 0;
    bool m_pageReturn = false;
    ScoreLayout m_layout; // cell k at k - 1
    ChordToken m_token;
    PitchModel m_pitch;
    StartState m_startState;
    bool m_arranging = false;
    // Set while many cells change at once: one repaint of all at the end.
    bool m_batch = false;
    int32_t m_fixHeight = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    // The dictionary the cells use: the template's, or a copy with the
    // fingerings a ChordPro sheet defines first.
    std::shared_ptr<Chord> SheetChord();
    std::shared_ptr<Chord> m_sheetChord;
    std::shared_ptr<Chord::NameDictionary> m_sheetChordOf;
    QString m_sheetChordText;

    Voicings m_voicings;
    int16_t m_focus = 0;

    QAction *m_paste = nullptr;
};
