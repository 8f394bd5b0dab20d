#include "score/ChordScore.h"

#include "chords/Chord.h"

#include "platform/AppError.h"
#include "platform/SheetFile.h"
#include "score/ChordView.h"
#include "score/ScoreSeparator.h"

#include <QClipboard>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

namespace {
int Px(int32_t twips) {
    return qRound(twips / 15.0);
}

// Clears a flag when the scope ends, also by an exception.
struct FlagGuard {
    explicit FlagGuard(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    bool &m_flag;
};
} // namespace

ChordScore::ChordScore(QWidget *parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAcceptDrops(true);
    auto *templ = new ChordView(this);
    templ->hide();
    m_chvChord.push_back(templ);
    m_placement.emplace_back();
    m_linSep.push_back(new ScoreSeparator(this));
    m_sepX.push_back(0);
}

ChordScore::~ChordScore() = default;

ChordView *ChordScore::Cell(int16_t i) const {
    return i >= 1 && i <= ChordViewCount() ? m_chvChord[static_cast<size_t>(i)] : nullptr;
}

QWidget *ChordScore::Separator(int i) const {
    return i >= 1 && i <= SeparatorCount() ? m_linSep[static_cast<size_t>(i)] : nullptr;
}

int32_t ChordScore::CellLeft(int16_t i) const {
    return Cell(i) ? m_placement[static_cast<size_t>(i)].Left : 0;
}

int32_t ChordScore::CellTop(int16_t i) const {
    return Cell(i) ? m_placement[static_cast<size_t>(i)].Top : 0;
}

int32_t ChordScore::SeparatorX(int i) const {
    return Separator(i) ? m_sepX[static_cast<size_t>(i)] : 0;
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

ChordView *ChordScore::CreateCell() {
    auto *cell = new ChordView(this);
    cell->hide();
    connect(cell, &ChordView::DrawStart, this, &ChordScore::DrawStart);
    connect(cell, &ChordView::DrawEnd, this, &ChordScore::DrawEnd);
    connect(cell, &ChordView::Redraw, this, &ChordScore::ArrangeScore);
    connect(cell, &ChordView::ChangeRow, this,
            [this, cell](int16_t iState) { chvChord_ChangeRow(cell, iState); });
    connect(cell, &ChordView::Paste, this, &ChordScore::Paste);
    connect(cell, &ChordView::DropFile, this, &ChordScore::DropFile);
    connect(cell, &ChordView::AddToDictionary, this, &ChordScore::AddToDictionary);
    return cell;
}

void ChordScore::DestroyCellsFrom(size_t first) {
    // Later, not now: the cell whose menu or drop started this may still be
    // on the call stack.
    for (size_t i = first; i < m_chvChord.size(); ++i) {
        ChordView *cell = m_chvChord[i];
        cell->disconnect(this);
        cell->hide();
        cell->deleteLater();
    }
    m_chvChord.resize(std::min(first, m_chvChord.size()));
    m_placement.resize(m_chvChord.size());
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
        for (const chordpro::Define &d : defines) {
            pairs.emplace_back(d.Name, d.Position);
        }
        m_sheetChord = dictionary->WithFirst(pairs);
        m_sheetChordOf = dictionary->ChordDictionary();
        m_sheetChordText = m_token.Text();
    }
    return m_sheetChord;
}

void ChordScore::CopySettings(ChordView *cell) const {
    const ChordView *t = Properties();
    cell->SetAdjustFlatStart(t->AdjustFlatStart());
    cell->SetChordNameFont(t->ChordNameFont());
    cell->SetEnableChordNameColor(t->EnableChordNameColor());
    cell->SetUnEnableChordNameColor(t->UnEnableChordNameColor());
    cell->SetWordFont(t->WordFont());
    cell->SetEnableWordColor(t->EnableWordColor());
    cell->SetUnEnableWordColor(t->UnEnableWordColor());
}

void ChordScore::BuildChordViews(const QString &sText) {
    emit DrawStart();
    try {
        m_token.SetText(sText);
        const auto n = static_cast<size_t>(m_token.Size());
        while (m_chvChord.size() <= n) {
            m_chvChord.push_back(CreateCell());
        }
        DestroyCellsFrom(n + 1);
        m_placement.assign(m_chvChord.size(), Placement{});
        for (size_t i = 1; i <= n; ++i) {
            ChordView *cell = m_chvChord[i];
            const auto k = static_cast<int16_t>(i);
            cell->Initialize();
            cell->SetChord(SheetChord());
            CopySettings(cell);
            cell->SetChordName(m_capo.Chord(m_token.ChordName(k)));
            cell->SetWord(m_token.Word(k));
            cell->SetLineNo(m_token.LineNo(k));
            cell->SetState(1);
            cell->show();
        }
        ArrangeScore();
    } catch (const AppError &) {
        m_token.SetText(QString());
        DestroyCellsFrom(1);
        ArrangeScore();
        throw;
    }
    emit DrawEnd();
}

void ChordScore::Refresh() {
    emit DrawStart();
    for (int32_t i = 1; i <= ChordViewCount(); ++i) {
        ChordView *cell = Cell(i);
        cell->SetChord(SheetChord());
        cell->SetChordName(m_capo.Chord(m_token.ChordName(i)));
        CopySettings(cell);
        cell->Refresh();
    }
    ArrangeScore();
    emit DrawEnd();
}

void ChordScore::State(int16_t iState) {
    emit DrawStart();
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

void ChordScore::SetCapo(int16_t iCapo) {
    m_capo.SetCapo(iCapo);
    Refresh();
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

void ChordScore::ArrangeScore() {
    if (m_arranging) {
        return;
    }
    FlagGuard guard(m_arranging);
    for (size_t s = 1; s < m_linSep.size(); ++s) {
        m_linSep[s]->hide();
    }
    // The first and last cell of every row in one pass; the same ranges as
    // FindLineRange row by row, without its scan per row.
    const int16_t n = ChordViewCount();
    std::vector<std::pair<int16_t, int16_t>> rows;
    for (int32_t i = 1; i <= n; ++i) {
        const int32_t line = Cell(i)->LineNo();
        if (line < 1 || line > n) {
            continue; // rows are numbered 1.. without gaps; no row beyond n exists
        }
        if (rows.size() < static_cast<size_t>(line)) {
            rows.resize(static_cast<size_t>(line), {0, 0});
        }
        auto &r = rows[static_cast<size_t>(line - 1)];
        if (r.first == 0) {
            r.first = i;
        }
        r.second = i;
    }

    int32_t pageX = 0;
    int32_t widest = 0;
    int32_t y = Margin;
    size_t s = 1;
    for (size_t line = 1; line <= rows.size(); ++line) {
        const auto [first, last] = rows[line - 1];
        if (first == 0) {
            break;
        }
        int32_t rowWidth = 0;
        int32_t rowHeight = 0;
        for (int32_t i = first; i <= last; ++i) {
            rowWidth += Cell(i)->WidthTwips();
            rowHeight = std::max(rowHeight, Cell(i)->HeightTwips());
        }
        if (m_fixHeight > 0 && m_height < Margin + rowHeight + y) {
            pageX += Margin + Margin + widest;
            if (s >= m_linSep.size()) {
                m_linSep.push_back(new ScoreSeparator(this));
                m_sepX.push_back(0);
            }
            m_sepX[s] = pageX;
            m_linSep[s]->setGeometry(Px(pageX), 0, 1, Px(m_height));
            m_linSep[s]->show();
            y = Margin;
            widest = 0;
            ++s;
        }
        const int32_t rowBottom = y + rowHeight;
        int32_t x = Margin + pageX;
        for (int32_t i = first; i <= last; ++i) {
            ChordView *cell = Cell(i);
            const int32_t top = rowBottom - cell->HeightTwips();
            m_placement[static_cast<size_t>(i)] = {x, top};
            // Bottoms meet on the same pixel row whatever the rounding.
            cell->move(Px(x), Px(rowBottom) - cell->height());
            x += cell->WidthTwips();
        }
        widest = std::max(widest, rowWidth);
        y += rowHeight;
    }
    if (widest > 0) {
        pageX += Margin + Margin + widest;
    }
    SetSize(pageX, m_fixHeight == 0 ? y + Margin : m_height);
}

void ChordScore::chvChord_ChangeRow(ChordView *cell, int16_t iState) {
    int16_t first = 0;
    int16_t last = 0;
    if (!FindLineRange(cell->LineNo(), first, last)) {
        return;
    }
    emit DrawStart();
    for (int32_t i = first; i <= last; ++i) {
        Cell(i)->SetState(iState);
    }
    ArrangeScore();
    emit DrawEnd();
}

void ChordScore::ShowPositionsOf(const QString &sChordName) {
    emit DrawStart();
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

QMenu *ChordScore::PopupMenu() {
    if (!m_popup) {
        m_popup = new QMenu(QStringLiteral("ポップアップ"), this);
        m_popupPaste = m_popup->addAction(QStringLiteral("貼り付け"));
    }
    return m_popup;
}

void ChordScore::ClickPopupMenu() {
    QMenu *menu = PopupMenu();
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    m_popupPaste->setEnabled(clip && clip->hasText());
    QPointer<ChordScore> self(this);
    QAction *chosen = menu->exec(QCursor::pos());
    if (self && chosen == m_popupPaste) {
        emit Paste();
    }
}

void ChordScore::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton) {
        ClickPopupMenu();
    }
    event->accept();
}

void ChordScore::dragEnterEvent(QDragEnterEvent *event) {
    event->acceptProposedAction();
}

void ChordScore::dragMoveEvent(QDragMoveEvent *event) {
    event->acceptProposedAction();
}

void ChordScore::dropEvent(QDropEvent *event) {
    event->acceptProposedAction();
    emit DropFile(event->mimeData());
}
