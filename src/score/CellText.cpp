// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/CellText.h"

#include <QFontMetrics>
#include <QHash>

#include <algorithm>

#include <deque>

namespace celltext {

// The cells of a score share a few fonts and many texts ("C", "Am", ...):
// one QFont per font and zoom (so its engine is looked up once), its line
// height, and the widths of the texts measured in it. The UI thread only.
struct Measured {
    Font Source;
    int Zoom = 100;
    QFont Made;
    int Height = 0;
    QHash<QString, int> Widths;
    // Advances of single characters, for text that shaping cannot change.
    // Keyed by the character and, for a shared sign, the script around it.
    QHash<uint32_t, qreal> Advances;
    // Words whose summed advances agreed with their shaped width; one that
    // disagrees turns the sums off for this font.
    int Agreed = 0;
    bool SumsTrusted = true;
};

namespace {

// Words of kana and kanji, and the spaces and long vowel marks between
// them: each character is shaped in the font its script picks (a shared
// sign in that of its Japanese neighbours), and nothing kerns or joins them,
// so the word is as wide as its characters summed. Shaping a whole word
// costs some microseconds, which thousands of words of a long sheet (at its
// first open, at the first step to a new zoom level) add up to a pause.
bool IsJapanese(QChar c) {
    const QChar::Script script = c.script();
    return script == QChar::Script_Hiragana || script == QChar::Script_Katakana ||
           script == QChar::Script_Han;
}

bool IsJapaneseSign(QChar c) {
    return c == u' ' || c == u'\u3000' || c == u'\u30FC';
}

bool SumsItsCharacters(const QString &text) {
    return std::any_of(text.cbegin(), text.cend(), IsJapanese) &&
           std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return IsJapanese(c) || IsJapaneseSign(c); });
}

// The advance of c in a word whose Japanese neighbour is `context`: a
// shared sign takes the font of the script it stands in.
qreal Advance(const QFont &font, QChar c, QChar context) {
    const QFontMetricsF metrics(font);
    if (IsJapanese(c)) {
        return metrics.horizontalAdvance(c);
    }
    return metrics.horizontalAdvance(QString(context) + c) - metrics.horizontalAdvance(context);
}

// Checked against shaping for this many words of a font before the sums
// are trusted alone.
constexpr int kWordsChecked = 64;

int Shaped(const Measured &m, const QString &text) {
    return QFontMetrics(m.Made).horizontalAdvance(text);
}

int MeasureWidth(Measured &m, const QString &text) {
    if (!m.SumsTrusted || !SumsItsCharacters(text)) {
        return Shaped(m, text);
    }
    // A sign takes the script before it, or at the start the first after it.
    QChar context = *std::find_if(text.cbegin(), text.cend(), IsJapanese);
    qreal sum = 0;
    for (QChar c : text) {
        if (IsJapanese(c)) {
            context = c;
        }
        const uint32_t key =
            IsJapanese(c) ? c.unicode() : c.unicode() | (uint32_t{context.script()} << 16);
        auto it = m.Advances.constFind(key);
        if (it == m.Advances.constEnd()) {
            it = m.Advances.insert(key, Advance(m.Made, c, context));
        }
        sum += *it;
    }
    const int summed = qRound(sum);
    if (m.Agreed >= kWordsChecked) {
        return summed;
    }
    const int shaped = Shaped(m, text);
    if (shaped == summed) {
        ++m.Agreed;
    } else {
        m.SumsTrusted = false;
    }
    return shaped;
}

// A deque: an entry stays where it is until it is dropped, so cells keep a
// pointer to theirs and look it up again only after a drop.
std::deque<Measured> &Entries() {
    static thread_local std::deque<Measured> fonts;
    return fonts;
}
thread_local uint64_t tDrops = 0;

Measured &MeasuredFont(const Font &font, int iZoom) {
    std::deque<Measured> &fonts = Entries();
    for (Measured &m : fonts) {
        if (m.Zoom == iZoom && m.Source == font) {
            return m;
        }
    }
    // A handful in use at a time: the score's two, the settings preview's.
    if (fonts.size() >= 8) {
        fonts.pop_front();
        ++tDrops;
    }
    Measured m;
    m.Source = font;
    m.Zoom = iZoom;
    m.Made = font.ToQFont();
    if (iZoom != 100) {
        m.Made.setPointSizeF(m.Made.pointSizeF() * iZoom / 100.0);
    }
    m.Height = QFontMetrics(m.Made).height();
    fonts.push_back(std::move(m));
    return fonts.back();
}

} // namespace
} // namespace celltext

using celltext::Measured;

CellText::CellText() : m_font(std::make_shared<Font>()) {}

bool CellText::SetText(const QString &sText) {
    if (sText == m_text) {
        return false;
    }
    m_text = sText;
    m_measured = false;
    return true;
}

void CellText::SetFont(std::shared_ptr<Font> fnt) {
    m_font = fnt ? std::move(fnt) : std::make_shared<Font>();
}

bool CellText::SetColor(const QColor &color) {
    if (color == m_color) {
        return false;
    }
    m_color = color;
    return true;
}

void CellText::SetZoom(int iPercent) {
    if (iPercent != m_zoom) {
        m_zoom = iPercent;
        m_made = false;
    }
}

const QFont &CellText::CurrentFont() const {
    if (!m_made || m_entryDrops != celltext::tDrops || !(m_madeFrom == *m_font)) {
        m_madeFrom = *m_font;
        m_entry = &celltext::MeasuredFont(m_madeFrom, m_zoom);
        m_entryDrops = celltext::tDrops;
        m_qfont = m_entry->Made;
        m_made = true;
        m_measured = false;
    }
    return m_qfont;
}

QSize CellText::TextSize() const {
    CurrentFont();
    if (!m_measured) {
        Measured &m = *m_entry;
        auto it = m.Widths.constFind(m_text);
        if (it == m.Widths.constEnd()) {
            // Bounded: the words of the longest sheet, each once.
            if (m.Widths.size() >= 40000) {
                m.Widths.clear();
            }
            it = m.Widths.insert(m_text, celltext::MeasureWidth(m, m_text));
        }
        m_textSize = {*it, m.Height};
        m_measured = true;
    }
    return m_textSize;
}
