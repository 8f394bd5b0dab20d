// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ChordView.h"

#include "chords/Chord.h"
#include "platform/Twips.h"
#include "score/CellText.h"
#include "score/Fonts.h"
#include "score/Zoom.h"

#include <QPainter>

using twips::kTwipsPerPixel;
using twips::Px;

ChordView::ChordView(CellHost *host) : m_host(host) {
    Setup();
    m_name.SetFont(scorefonts::DefaultChordNameFont());
    m_word.SetFont(scorefonts::DefaultWordFont());
}

// The template's frame is copied as it is: its strings, frets and zoom are
// those every cell takes at its load, so none is placed again.
ChordView::ChordView(CellHost *host, const ChordView &templ)
    : m_diagram(templ.m_diagram), m_host(host) {
    m_name.SetZoom(templ.Zoom());
    m_word.SetZoom(templ.Zoom());
    m_name.SetFont(templ.ChordNameFont());
    m_word.SetFont(templ.WordFont());
}

void ChordView::Setup() {
    // A guitar's frame. Nothing is measured here: a cell is measured when
    // its size is first asked for.
    m_diagram.SetStringSize(6);
    m_diagram.SetFlatSize(4);
}

QRect ChordView::geometry() const {
    return m_host ? m_host->CellRect(*this) : QRect(QPoint(), size());
}

QSize ChordView::size() const {
    return {Px(WidthTwips()), Px(HeightTwips())};
}

void ChordView::update() {
    if (m_host) {
        m_host->CellChanged(*this);
    }
}

void ChordView::Tell(CellHost::Event event) {
    if (m_host) {
        m_host->CellEvent(*this, event);
    }
}

const QString &ChordView::ChordName() const {
    return m_name.Text();
}
const QString &ChordView::Word() const {
    return m_word.Text();
}
const std::shared_ptr<Font> &ChordView::ChordNameFont() const {
    return m_name.GetFont();
}
const std::shared_ptr<Font> &ChordView::WordFont() const {
    return m_word.GetFont();
}
void ChordView::SetChordNameFont(std::shared_ptr<Font> fnt) {
    m_name.SetFont(std::move(fnt));
    update();
}
void ChordView::SetWordFont(std::shared_ptr<Font> fnt) {
    m_word.SetFont(std::move(fnt));
    update();
}

// The parts are painted by the cell; showing one is a flag and a repaint.
void ChordView::SetPositionVisible(bool show) {
    if (m_positionShown != show) {
        m_positionShown = show;
        update();
    }
}

void ChordView::SetChordNameVisible(bool show) {
    if (m_chordNameShown != show) {
        m_chordNameShown = show;
        update();
    }
}

void ChordView::SetWordVisible(bool show) {
    if (m_wordShown != show) {
        m_wordShown = show;
        update();
    }
}

void ChordView::Initialize() {
    m_diagram.ResetDots();
    SetPositionVisible(false);
    m_name.SetText(QString());
    SetChordNameVisible(false);
    m_word.SetText(QString());
    SetWordVisible(true);
    m_lineNo = 0;
    m_mark = false;
}

void ChordView::Load(std::shared_ptr<::Chord> cls, const ChordView &templ,
                     const QString &sChordName, const QString &sWord, int32_t lLineNo, bool bMark) {
    m_mark = bMark;
    m_diagram.ResetDots();
    TakeChord(std::move(cls));
    ApplyZoom(templ.Zoom());
    CopyDisplaySettings(templ, FontCopy::Shared);
    m_name.SetText(sChordName);
    m_word.SetText(sWord);
    m_lineNo = lLineNo;
    SearchCurrentPosition();
    DrawPosition();
    SetChordNameColor();
    SetWordColor();
    SetPositionVisible(!sChordName.isEmpty() && m_positionId != 0);
    SetChordNameVisible(!sChordName.isEmpty());
    SetWordVisible(true);
    ArrangeView();
}

void ChordView::Refresh() {
    DrawPosition();
    SetChordNameColor();
    SetWordColor();
}

void ChordView::SetState(int16_t iState) {
    switch (iState) {
    case 1:
        ShowPosition(true);
        ShowChordName(true);
        break;
    case 2:
        ShowPosition(false);
        ShowChordName(true);
        break;
    case 3:
        ShowPosition(false);
        ShowChordName(false);
        break;
    default:
        break;
    }
    ArrangeView();
}

void ChordView::SetChordName(const QString &sChordName) {
    m_name.SetText(sChordName);
    SearchCurrentPosition();
    DrawPosition();
    SetChordNameColor();
    SetWordColor();
    ShowPosition(m_positionShown);
    ShowChordName(m_chordNameShown);
    ArrangeView();
}

void ChordView::SetWord(const QString &sWord) {
    if (m_word.SetText(sWord)) {
        update();
    }
}

void ChordView::TakeChord(std::shared_ptr<::Chord> cls) {
    m_chord = std::move(cls);
    if (m_chord) {
        // Building the same frame again changes nothing that the drawing
        // below does not set anew; cells get the same dictionary every load.
        if (m_chord->FlatSize() != m_diagram.FlatSize()) {
            SetFlatSize(m_chord->FlatSize());
        }
        // A dictionary without fingerings has no string count yet; no diagram
        // will be drawn from it, so the frame stays as it is.
        if (m_chord->StringSize() != -1 && m_chord->StringSize() != m_diagram.StringSize()) {
            SetStringSize(m_chord->StringSize());
        }
    }
}

void ChordView::SetChord(std::shared_ptr<::Chord> cls) {
    TakeChord(std::move(cls));
    if (m_chord && m_chord->SearchPosition(ChordName()) != 0) {
        SearchCurrentPosition();
    } else {
        m_positionId = 0;
        m_positionSize = 0;
    }
    DrawPosition();
    SetChordNameColor();
    ShowPosition(m_positionShown);
    ArrangeView();
}

void ChordView::SetPositionId(int16_t iPositionId) {
    m_positionId = iPositionId;
    m_positionSize = 1;
    DrawPosition();
    SetPositionVisible(true);
    SetChordNameVisible(false);
    SetWordVisible(false);
    ArrangeView();
}

void ChordView::ApplyZoom(int iPercent) {
    if (iPercent == m_diagram.Zoom()) {
        return;
    }
    m_diagram.SetZoom(iPercent);
    m_name.SetZoom(iPercent);
    m_word.SetZoom(iPercent);
    update();
}

void ChordView::SetZoom(int iPercent) {
    ApplyZoom(iPercent);
    ArrangeView();
}

void ChordView::SetStringSize(int16_t iSize) {
    m_diagram.SetStringSize(iSize);
    ArrangeView();
}

void ChordView::SetFlatSize(int16_t iSize) {
    m_diagram.SetFlatSize(iSize);
    ArrangeView();
}

void ChordView::SearchCurrentPosition() {
    m_positionId = m_chord ? m_chord->SearchPosition(ChordName()) : int16_t{0};
    m_positionSize = m_chord ? m_chord->PositionSize(m_positionId) : int16_t{0};
}

void ChordView::DrawPosition() {
    if (m_positionId == 0 || !m_chord) {
        return;
    }
    m_diagram.DrawPosition(*m_chord, m_positionId, m_positionSize, m_adjustFlatStart,
                           m_variationMark);
    update();
}

void ChordView::ShowPosition(bool show) {
    if (ChordName().isEmpty() || m_positionId == 0) {
        show = false;
    }
    SetPositionVisible(show);
}

void ChordView::ShowChordName(bool show) {
    if (ChordName().isEmpty()) {
        show = false;
    }
    SetChordNameVisible(show);
}

void ChordView::SetChordNameColor() {
    const bool known = !ChordName().isEmpty() && m_positionSize != 0;
    if (m_name.SetColor(
            DisplayStyle::ToColor(known ? m_enableChordNameColor : m_unEnableChordNameColor))) {
        update();
    }
}

void ChordView::SetWordColor() {
    const bool chordText = !ChordName().isEmpty() || m_mark;
    if (m_word.SetColor(
            DisplayStyle::ToColor(chordText ? m_enableWordColor : m_unEnableWordColor))) {
        update();
    }
}

void ChordView::ArrangeView() {
    update(); // where it was
    m_arranged = false;
    update();
}

const ChordView &ChordView::Arranged() const {
    if (m_arranged) {
        return *this;
    }
    m_arranged = true;
    int32_t width = 0;
    int32_t height = 0;
    if (m_positionShown) {
        if (m_diagram.Width() > 0) {
            width = m_diagram.Width();
        }
        height = m_diagram.Height();
    }
    int32_t nameWidth = 0;
    if (m_chordNameShown) {
        const QSize s = m_name.TextSize();
        nameWidth = s.width() * kTwipsPerPixel;
        m_chordNameTop = height;
        width = std::max(width, nameWidth);
        height += s.height() * kTwipsPerPixel;
    }
    if (m_wordShown) {
        const QSize s = m_word.TextSize();
        m_wordTop = height;
        width = std::max(width, s.width() * kTwipsPerPixel);
        height += s.height() * kTwipsPerPixel;
    }
    // A gap after a chord name that is the widest part.
    if (m_chordNameShown && nameWidth == width) {
        width += zoom::ScaleTwips(80, m_diagram.Zoom());
    }
    m_width = width;
    m_height = height;
    return *this;
}

DisplayStyle ChordView::Style() const {
    DisplayStyle style;
    style.AdjustFlatStart = m_adjustFlatStart;
    style.ChordNameFont = *ChordNameFont();
    style.WordFont = *WordFont();
    style.EnableChordNameColor = m_enableChordNameColor;
    style.UnEnableChordNameColor = m_unEnableChordNameColor;
    style.EnableWordColor = m_enableWordColor;
    style.UnEnableWordColor = m_unEnableWordColor;
    return style;
}

void ChordView::SetStyle(const DisplayStyle &style) {
    m_adjustFlatStart = style.AdjustFlatStart;
    // Into the cell's own font objects, which the cells of a score share.
    *ChordNameFont() = style.ChordNameFont;
    *WordFont() = style.WordFont;
    m_enableChordNameColor = style.EnableChordNameColor;
    m_unEnableChordNameColor = style.UnEnableChordNameColor;
    m_enableWordColor = style.EnableWordColor;
    m_unEnableWordColor = style.UnEnableWordColor;
}

void ChordView::CopyDisplaySettings(const ChordView &from, FontCopy fonts) {
    if (fonts == FontCopy::Values) {
        SetStyle(from.Style());
        return;
    }
    m_adjustFlatStart = from.m_adjustFlatStart;
    SetChordNameFont(from.ChordNameFont());
    SetWordFont(from.WordFont());
    m_enableChordNameColor = from.m_enableChordNameColor;
    m_unEnableChordNameColor = from.m_unEnableChordNameColor;
    m_enableWordColor = from.m_enableWordColor;
    m_unEnableWordColor = from.m_unEnableWordColor;
}

scorepainter::CellPicture ChordView::Picture() const {
    scorepainter::CellPicture picture;
    picture.Diagram = m_positionShown ? &m_diagram : nullptr;
    picture.Name = {m_chordNameShown, ChordName(),    m_name.CurrentFont(),
                    m_name.Color(),   ChordNameTop(), m_name.TextSize()};
    picture.Word = {m_wordShown,    Word(),    m_word.CurrentFont(),
                    m_word.Color(), WordTop(), m_word.TextSize()};
    picture.Width = WidthTwips();
    picture.Height = HeightTwips();
    return picture;
}

void ChordView::ClickPopupMenu() {
    if (m_host) {
        m_host->CellMenu(*this);
    }
}

bool ChordView::ChooseVoicing(const QString &sLine) {
    SearchCurrentPosition();
    bool found = false;
    for (int16_t id = m_positionId; id != 0 && m_chord; id = m_chord->NextPosition(id)) {
        if (m_chord->PositionLine(id) == sLine) {
            m_positionId = id;
            found = true;
            break;
        }
    }
    DrawPosition();
    return found;
}

QString ChordView::VoicingLine() const {
    return m_chord && m_positionId != 0 ? m_chord->PositionLine(m_positionId) : QString();
}

int16_t ChordView::PositionIndex() const {
    if (!m_chord || m_positionId == 0) {
        return 0;
    }
    int16_t id = m_chord->SearchPosition(ChordName());
    for (int16_t i = 1; id != 0 && i <= m_positionSize; ++i) {
        if (id == m_positionId) {
            return i;
        }
        id = m_chord->NextPosition(id);
    }
    return 0;
}

void ChordView::ClickPosition() {
    if (m_positionSize < 2 || !m_chord) {
        return;
    }
    m_positionId = m_chord->NextPosition(m_positionId);
    if (m_positionId == 0) {
        SearchCurrentPosition();
    }
    DrawPosition();
}

void ChordView::ClickChordName() {
    Tell(CellHost::Event::DrawStart);
    ShowPosition(!m_positionShown);
    ArrangeView();
    Tell(CellHost::Event::Redraw);
    Tell(CellHost::Event::DrawEnd);
}

void ChordView::ClickWord() {
    Tell(CellHost::Event::DrawStart);
    ShowPosition(false);
    ShowChordName(!m_chordNameShown);
    ArrangeView();
    Tell(CellHost::Event::Redraw);
    Tell(CellHost::Event::DrawEnd);
}

void ChordView::Paint(QPainter &p) const {
    scorepainter::PaintCell(p, Picture());
}

QRect ChordView::DiagramRect() const {
    return m_positionShown ? QRect(0, 0, Px(m_diagram.Width()), Px(m_diagram.Height())) : QRect();
}

QRect ChordView::ChordNameRect() const {
    return m_chordNameShown ? QRect(QPoint(0, Px(ChordNameTop())), m_name.TextSize()) : QRect();
}

QRect ChordView::WordRect() const {
    return m_wordShown ? QRect(QPoint(0, Px(WordTop())), m_word.TextSize()) : QRect();
}

// A press on a part acts for that part; anywhere else in the cell only the
// right button does (the pop-up menu).
void ChordView::Press(const QPoint &at, Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        ClickPopupMenu();
    } else if (DiagramRect().contains(at)) {
        ClickPosition();
    } else if (ChordNameRect().contains(at)) {
        if (m_positionSize > 0) {
            ClickChordName();
        }
    } else if (WordRect().contains(at)) {
        if (!ChordName().isEmpty()) {
            ClickWord();
        }
    }
}
