// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ChordScore.h"

#include "chords/Chord.h"

#include "platform/AppError.h"
#include "platform/SheetFile.h"
#include "platform/Twips.h"
#include "platform/WidgetHelpers.h"
#include "score/ChordView.h"
#include "score/ScoreAccessible.h"
#include "score/ScorePainter.h"
#include "score/Zoom.h"

#include <QAccessible>
#include <QCursor>
#include <QHash>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QSet>

#include <algorithm>

using twips::kTwipsPerPixel;
using twips::Px;

namespace {
// Sets a flag for a scope and puts back what it was, also on an exception.
struct FlagGuard {
    explicit FlagGuard(bool &flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = m_old; }
    bool &m_flag;
    bool m_old;
};
} // namespace

ChordScore::ChordScore(QWidget *parent) : QWidget(parent) {
    scoreaccessible::Install();
    widgethelpers::SetWhiteBackground(this);
    // The painter fills what it paints with white itself: no second fill.
    setAttribute(Qt::WA_OpaquePaintEvent);
    widgethelpers::AcceptDrops(this, [this](const QMimeData *d) { emit DropFile(d); });
    m_chvChord.push_back(std::make_unique<ChordView>()); // the template is never shown
    m_paste = new QAction(QStringLiteral("貼り付け"), this);
    connect(m_paste, &QAction::triggered, this, &ChordScore::Paste);
}

ChordScore::~ChordScore() = default;

ChordView *ChordScore::Cell(int16_t i) const {
    return i >= 1 && i <= ChordViewCount() ? m_chvChord[static_cast<size_t>(i)].get() : nullptr;
}

const ScoreLayout::Place *ChordScore::PlaceOf(int16_t i) const {
    const auto &places = m_layout.Places();
    return Cell(i) && static_cast<size_t>(i) <= places.size() ? &places[static_cast<size_t>(i - 1)]
                                                              : nullptr;
}

int32_t ChordScore::CellLeft(int16_t i) const {
    const ScoreLayout::Place *place = PlaceOf(i);
    return place ? place->Left : 0;
}

int32_t ChordScore::CellTop(int16_t i) const {
    const ScoreLayout::Place *place = PlaceOf(i);
    return place ? place->Top : 0;
}

int ChordScore::CellPixelTop(int16_t i) const {
    const ScoreLayout::Place *place = PlaceOf(i);
    return place ? Px(place->Bottom) - Px(Cell(i)->HeightTwips()) : 0;
}

QRect ChordScore::CellRect(int32_t i) const {
    const ChordView *cell = Cell(static_cast<int16_t>(i));
    if (!cell) {
        return {};
    }
    const ScoreLayout::Place *place = PlaceOf(static_cast<int16_t>(i));
    // A cell the layout left out (a row past a gap) stands at the origin.
    if (!place || place->Bottom == 0) {
        return {QPoint(), cell->size()};
    }
    return {QPoint(Px(place->Left), CellPixelTop(static_cast<int16_t>(i))), cell->size()};
}

int32_t ChordScore::IndexOf(const ChordView &cell) const {
    for (size_t i = 1; i < m_chvChord.size(); ++i) {
        if (m_chvChord[i].get() == &cell) {
            return static_cast<int32_t>(i);
        }
    }
    return 0;
}

QRect ChordScore::CellRect(const ChordView &cell) const {
    return CellRect(IndexOf(cell));
}

int32_t ChordScore::SeparatorX(int i) const {
    const std::vector<int32_t> &x = m_layout.SeparatorX();
    return i >= 1 && static_cast<size_t>(i) <= x.size() ? x[static_cast<size_t>(i - 1)] : 0;
}

void ChordScore::LoadChordScore(const QString &sFname) {
    // Reading fails before anything changes; the file is closed by then.
    sheetfile::Encoding encoding = sheetfile::Encoding::Cp932;
    const QString text = sheetfile::Read(sFname, &encoding);
    // A Unicode file counts columns as a monospace editor shows them.
    m_token.SetColumnRule(encoding == sheetfile::Encoding::Cp932 ? basString::ColumnRule::CodePage
                                                                 : basString::ColumnRule::Unicode);
    BuildChordViews(text);
}

void ChordScore::SetText(const QString &sText) {
    m_token.SetColumnRule(basString::ColumnRule::CodePage);
    BuildChordViews(sText);
}

std::unique_ptr<ChordView> ChordScore::CreateCell() {
    CellHost *host = this; // a private base: converted here, where it is reachable
    return std::make_unique<ChordView>(host, *Properties());
}

void ChordScore::CellChanged(const ChordView &cell) {
    if (!m_batch) {
        update(CellRect(cell));
    }
}

void ChordScore::CellEvent(ChordView & /*cell*/, Event event) {
    switch (event) {
    case Event::DrawStart:
        emit DrawStart();
        break;
    case Event::DrawEnd:
        emit DrawEnd();
        break;
    case Event::Redraw:
        ArrangeScore();
        break;
    }
}

void ChordScore::DestroyCellsFrom(size_t first) {
    if (first >= m_chvChord.size()) {
        return;
    }
    if (m_retired.empty()) {
        QMetaObject::invokeMethod(
            this, [this] { m_retired.clear(); }, Qt::QueuedConnection);
    }
    for (size_t i = first; i < m_chvChord.size(); ++i) {
        m_retired.push_back(std::move(m_chvChord[i]));
    }
    m_chvChord.resize(first);
}

std::shared_ptr<Chord> ChordScore::SheetChord() {
    const auto &defines = m_token.Defines();
    const std::shared_ptr<Chord> &dictionary = Properties()->Chord();
    if (defines.empty() || !dictionary) {
        m_sheetChord.reset();
        return dictionary;
    }
    // Built again when the dictionary in use or the sheet changes.
    if (!m_sheetChord || m_sheetChordOf != dictionary->ChordDictionary() ||
        m_sheetChordText != m_token.Text()) {
        std::vector<std::pair<QString, QString>> pairs;
        pairs.reserve(defines.size());
        for (const chordpro::Define &d : defines) {
            pairs.emplace_back(d.Name, d.Position);
        }
        m_sheetChord = dictionary->WithFirst(pairs);
        m_sheetChordOf = dictionary->ChordDictionary();
        m_sheetChordText = m_token.Text();
    }
    return m_sheetChord;
}

void ChordScore::BuildChordViews(const QString &sText) {
    emit DrawStart();
    FlagGuard batch(m_batch);
    // A new sheet starts with no chosen fingerings; its own come after it.
    m_voicings.clear();
    ++m_generation;
    m_focus = 0;
    try {
        m_token.SetText(sText);
        TakeSheetPitch();
        const auto n = static_cast<size_t>(m_token.Size());
        while (m_chvChord.size() <= n) {
            m_chvChord.push_back(CreateCell());
        }
        DestroyCellsFrom(n + 1);
        const std::shared_ptr<Chord> chord = SheetChord();
        for (size_t i = 1; i <= n; ++i) {
            ChordView *cell = m_chvChord[i].get();
            const auto k = static_cast<int16_t>(i);
            cell->Load(chord, *Properties(), m_pitch.Chord(m_token.ChordName(k)), m_token.Word(k),
                       m_token.LineNo(k), m_token.IsMark(k));
        }
        ApplyVoicings();
        ArrangeScore();
    } catch (const AppError &) {
        m_token.SetText(QString());
        DestroyCellsFrom(1);
        ArrangeScore();
        throw;
    }
    // A screen reader reads the new sheet's cells.
    if (QAccessible::isActive()) {
        QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reorder);
    }
    emit DrawEnd();
}

void ChordScore::Refresh() {
    emit DrawStart();
    FlagGuard batch(m_batch);
    const std::shared_ptr<Chord> chord = SheetChord();
    for (int32_t i = 1; i <= ChordViewCount(); ++i) {
        ChordView *cell = Cell(i);
        cell->SetChord(chord);
        cell->SetChordName(m_pitch.Chord(m_token.ChordName(i)));
        cell->CopyDisplaySettings(*Properties(), ChordView::FontCopy::Shared);
        cell->Refresh();
    }
    ApplyVoicings();
    ArrangeScore();
    emit DrawEnd();
}

void ChordScore::State(int16_t iState) {
    emit DrawStart();
    FlagGuard batch(m_batch);
    for (int32_t i = 1; i <= ChordViewCount(); ++i) {
        Cell(i)->SetState(iState);
        Cell(i)->Refresh();
    }
    ArrangeScore();
    emit DrawEnd();
}

void ChordScore::SetFixHeight(int32_t lHeight) {
    if (lHeight == m_fixHeight) {
        return;
    }
    emit DrawStart();
    m_fixHeight = lHeight;
    SetSize(m_width, lHeight);
    ArrangeScore();
    emit DrawEnd();
}

void ChordScore::SetVoicings(Voicings voicings) {
    m_voicings = std::move(voicings);
    FlagGuard batch(m_batch);
    ApplyVoicings();
}

void ChordScore::ApplyVoicings() {
    if (m_voicings.empty()) {
        return;
    }
    QHash<QString, QString> byName;
    for (const auto &[name, line] : m_voicings) {
        byName.insert(name, line);
    }
    for (int32_t i = 1; i <= ChordViewCount(); ++i) {
        ChordView *cell = Cell(i);
        const auto it = byName.constFind(cell->ChordName());
        if (it != byName.constEnd() && cell->PositionSize() > 1) {
            cell->ChooseVoicing(*it);
        }
    }
    update();
}

void ChordScore::chvChord_UseForAll(ChordView *cell) {
    UseVoicingForAll(cell->ChordName(), cell->VoicingLine());
}

QString ChordScore::VoicingFor(const QString &sChordName) const {
    for (const auto &[name, line] : m_voicings) {
        if (name == sChordName) {
            return line;
        }
    }
    return {};
}

void ChordScore::UseVoicingForAll(const QString &name, const QString &line) {
    if (name.isEmpty() || line.isEmpty()) {
        return;
    }
    const auto it = std::find_if(m_voicings.begin(), m_voicings.end(),
                                 [&](const auto &v) { return v.first == name; });
    if (it != m_voicings.end()) {
        it->second = line;
    } else {
        m_voicings.emplace_back(name, line);
    }
    FlagGuard batch(m_batch);
    ApplyVoicings();
    emit VoicingsChanged();
}

capoadvisor::ChordCounts ChordScore::SheetChordNames() const {
    capoadvisor::ChordCounts counts;
    QHash<QString, size_t> at;
    // Sounding: at capo 0, in sharps, as the advisor moves them.
    PitchModel sounding;
    sounding.SetSheetCapo(m_pitch.SheetCapo());
    sounding.SetTranspose(m_pitch.Transpose());
    for (int32_t k = 1; k <= m_token.Size(); ++k) {
        if (m_token.ChordName(k).isEmpty()) {
            continue;
        }
        const QString name = sounding.Chord(m_token.ChordName(k));
        const auto it = at.constFind(name);
        if (it == at.constEnd()) {
            at.insert(name, counts.size());
            counts.emplace_back(name, 1);
        } else {
            ++counts[*it].second;
        }
    }
    return counts;
}

void ChordScore::SetZoom(int iPercent) {
    if (iPercent == Zoom()) {
        return;
    }
    emit DrawStart();
    FlagGuard batch(m_batch);
    Properties()->SetZoom(iPercent);
    for (int32_t i = 1; i <= ChordViewCount(); ++i) {
        Cell(i)->SetZoom(iPercent);
    }
    ArrangeScore();
    emit DrawEnd();
}

int ChordScore::Zoom() const {
    return Properties()->Zoom();
}

void ChordScore::SetCapo(int16_t iCapo) {
    m_pitch.SetCapo(iCapo);
    Refresh();
}

void ChordScore::SetTranspose(int16_t iSteps) {
    m_pitch.SetTranspose(static_cast<int16_t>(std::clamp<int>(iSteps, -11, 11)));
    Refresh();
}

void ChordScore::SetSpelling(PitchModel::Spelling spelling) {
    m_pitch.SetSpelling(spelling);
    Refresh();
}

void ChordScore::TakeSheetPitch() {
    m_pitch.SetSheetCapo(std::max<int16_t>(0, m_token.SheetCapo()));
    m_pitch.SetTranspose(m_token.SheetTranspose());
    // Each name once, in the order the sheet first has it.
    QStringList names;
    QSet<QString> seen;
    for (int32_t k = 1; k <= m_token.Size(); ++k) {
        const QString name = m_token.ChordName(k);
        if (!name.isEmpty() && !seen.contains(name)) {
            seen.insert(name);
            names << name;
        }
    }
    bool flats = false;
    std::optional<Key> key = PitchModel::KeyOfChords(names, &flats);
    if (const std::optional<Key> said = Key::Read(m_token.SheetKey())) {
        key = said;
    }
    m_pitch.SetWrittenKey(key, flats);
    if (m_startState) {
        int zoom = Zoom();
        m_startState(m_pitch, zoom);
        // Only the template: every cell is loaded from it next.
        Properties()->SetZoom(zoom);
    }
}

bool ChordScore::FindLineRange(int32_t lLine, int16_t &iFirst, int16_t &iLast) const {
    iFirst = 0;
    iLast = 0;
    for (int32_t i = 1; i <= ChordViewCount(); ++i) {
        if (Cell(i)->LineNo() == lLine) {
            if (iFirst == 0) {
                iFirst = i;
            }
            iLast = i;
        }
    }
    return iFirst != 0 || iLast != 0;
}

void ChordScore::SetSize(int32_t width, int32_t height) {
    m_width = width;
    m_height = height;
    resize(Px(width), Px(height));
}

std::vector<ScoreLayout::Box> ChordScore::LayoutBoxes() const {
    std::vector<ScoreLayout::Box> boxes(static_cast<size_t>(ChordViewCount()));
    for (int32_t i = 1; i <= ChordViewCount(); ++i) {
        const ChordView *cell = Cell(i);
        boxes[static_cast<size_t>(i - 1)] = {cell->WidthTwips(), cell->HeightTwips(),
                                             cell->LineNo()};
    }
    return boxes;
}

void ChordScore::ArrangeScore() {
    if (m_arranging) {
        return;
    }
    FlagGuard guard(m_arranging);
    m_layout = ScoreLayout::Arrange(LayoutBoxes(), m_fixHeight,
                                    zoom::ScaleTwips(Margin, Properties()->Zoom()));
    SetSize(m_layout.Width(), m_layout.Height());
    update();
}

void ChordScore::chvChord_ChangeRow(ChordView *cell, int16_t iState) {
    int16_t first = 0;
    int16_t last = 0;
    if (!FindLineRange(cell->LineNo(), first, last)) {
        return;
    }
    emit DrawStart();
    FlagGuard batch(m_batch);
    for (int32_t i = first; i <= last; ++i) {
        Cell(i)->SetState(iState);
    }
    ArrangeScore();
    emit DrawEnd();
}

void ChordScore::ShowPositionsOf(const QString &sChordName) {
    emit DrawStart();
    FlagGuard batch(m_batch);
    for (int32_t i = 1; i <= ChordViewCount(); ++i) {
        ChordView *cell = Cell(static_cast<int16_t>(i));
        if (cell->ChordName() == sChordName && cell->ChordNameShown()) {
            cell->SetState(1);
        }
    }
    ArrangeScore();
    emit DrawEnd();
}

QStringList ChordScore::MissingChords() const {
    QStringList names;
    for (int32_t i = 1; i <= ChordViewCount(); ++i) {
        const ChordView *cell = Cell(static_cast<int16_t>(i));
        if (!cell->ChordName().isEmpty() && cell->PositionSize() == 0 &&
            !names.contains(cell->ChordName())) {
            names << cell->ChordName();
        }
    }
    return names;
}

void ChordScore::ClickPopupMenu() {
    OpenMenu(nullptr);
}

void ChordScore::CellMenu(ChordView &cell) {
    OpenMenu(&cell);
}

void ChordScore::OpenMenu(ChordView *cell, std::optional<QPoint> at) {
    auto *menu = new QMenu(QStringLiteral("ポップアップ"), this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *rows[3] = {};
    QAction *useForAll = nullptr;
    QAction *add = nullptr;
    if (cell) {
        rows[0] = menu->addAction(QStringLiteral("行 - 押え方"));
        rows[1] = menu->addAction(QStringLiteral("行 - コード名"));
        rows[2] = menu->addAction(QStringLiteral("行 - 歌詞"));
        menu->addSeparator();
        useForAll = menu->addAction(QStringLiteral("この押さえ方を曲全体に使う"));
        useForAll->setEnabled(cell->CanUseForAll());
        menu->addSeparator();
    }
    m_paste->setEnabled(widgethelpers::ClipboardHasText());
    menu->addAction(m_paste); // triggers Paste by itself
    if (cell) {
        menu->addSeparator();
        add = menu->addAction(QStringLiteral("押さえ方を作って辞書に追加"));
        add->setEnabled(cell->LacksFingerings());
    }
    // The chosen item is acted on after the menu has closed, and only while
    // its cell still stands: a paste from elsewhere may have rebuilt the score.
    const int32_t index = cell ? IndexOf(*cell) : 0;
    const uint32_t generation = m_generation;
    QPointer<ChordScore> self(this);
    QAction *chosen = menu->exec(at ? *at : QCursor::pos());
    if (!self || !cell || !chosen || generation != m_generation || Cell(index) != cell) {
        return;
    }
    for (int16_t state = 1; state <= 3; ++state) {
        if (chosen == rows[state - 1]) {
            chvChord_ChangeRow(cell, state);
            return;
        }
    }
    if (chosen == useForAll) {
        chvChord_UseForAll(cell);
    } else if (chosen == add) {
        emit AddToDictionary(cell->ChordName());
    }
}

int16_t ChordScore::CellAt(const QPoint &at) const {
    // The last cell is the topmost where cells overlap, as the layout may
    // leave them when a page is too short for a cell.
    for (int32_t i = ChordViewCount(); i >= 1; --i) {
        if (CellRect(i).contains(at)) {
            return static_cast<int16_t>(i);
        }
    }
    return 0;
}

void ChordScore::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    scorepainter::PaintScore(p, *this, event->rect());
    if (m_focus > 0) {
        // The keyboard's cell: a frame in the highlight colour around it.
        const QRect r = CellRect(m_focus).adjusted(-2, -2, 1, 1);
        p.setPen(QPen(palette().color(QPalette::Highlight), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
}

bool ChordScore::MoveFocus(int iStep) {
    const int32_t count = ChordViewCount();
    int32_t at = m_focus;
    for (int32_t n = 0; n < count; ++n) {
        // From the first (or the last) cell when none has the focus yet.
        at = at == 0 ? (iStep > 0 ? 1 : count) : (at - 1 + iStep + count) % count + 1;
        if (!Cell(static_cast<int16_t>(at))->ChordName().isEmpty()) {
            SetFocusCell(static_cast<int16_t>(at));
            return true;
        }
    }
    return false;
}

void ChordScore::SetFocusCell(int16_t i) {
    const auto frame = [this](int16_t k) { return CellRect(k).adjusted(-3, -3, 3, 3); };
    if (m_focus > 0) {
        update(frame(m_focus));
    }
    m_focus = i >= 1 && i <= ChordViewCount() ? i : int16_t{0};
    if (m_focus > 0) {
        update(frame(m_focus));
    }
}

void ChordScore::PressFocus() {
    if (ChordView *cell = m_focus > 0 ? Cell(m_focus) : nullptr; cell && cell->PositionShown()) {
        cell->Press(cell->DiagramRect().center(), Qt::LeftButton);
    }
}

void ChordScore::FocusMenu() {
    if (m_focus > 0) {
        const QRect r = CellRect(m_focus);
        OpenMenu(Cell(m_focus), mapToGlobal(QPoint(r.left(), r.bottom())));
    } else {
        OpenMenu(nullptr, mapToGlobal(QPoint(0, 0)));
    }
}

void ChordScore::mousePressEvent(QMouseEvent *event) {
    const QPoint at = event->position().toPoint();
    event->accept();
    if (const int16_t i = CellAt(at)) {
        Cell(i)->Press(at - CellRect(i).topLeft(), event->button());
        return;
    }
    if (event->button() == Qt::RightButton) {
        ClickPopupMenu();
    }
}
