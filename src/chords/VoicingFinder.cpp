// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/VoicingFinder.h"

#include <QStringList>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <map>
#include <optional>
#include <tuple>

int Voicing::MinFret() const {
    int m = 0;
    for (int s = 0; s < Strings; ++s) {
        if (Fret[s] > 0 && (m == 0 || Fret[s] < m)) {
            m = Fret[s];
        }
    }
    return m;
}

int Voicing::MaxFret() const {
    int m = 0;
    for (int s = 0; s < Strings; ++s) {
        m = std::max(m, int(Fret[s]));
    }
    return m;
}

QString Voicing::ToPositionLine() const {
    QStringList parts;
    for (int s = 0; s < Strings; ++s) {
        QString p = Fret[s] < 0 ? QStringLiteral("X") : QString::number(Fret[s]);
        for (const Barre &b : {Main, Partial}) {
            if (b.Fret > 0 && s + 1 == b.First) {
                p += QStringLiteral("*%1").arg(b.Last - b.First + 1);
            }
        }
        parts << p;
    }
    return parts.join(u'-');
}

VoicingFinder::VoicingFinder(std::vector<int> openPitches) : m_open(std::move(openPitches)) {}

// Fingers for the fretted notes: one each while a hand has enough; else the
// index finger across the lowest fret (nothing open or muted under it), and
// then, if still needed, one finger flat across a run of two to four strings
// at one higher fret, as in the A-shape barre or Cm9 x-3-1-3-3-3. The strings
// on the thin side of that run sound no lower fret, unless the index holds it.
bool VoicingFinder::Fit(Voicing &v) const {
    v.Main = v.Partial = {};
    int fretted = 0;
    int low = 0;
    int high = 0;
    for (int s = 0; s < v.Strings; ++s) {
        if (v.Fret[s] > 0) {
            ++fretted;
            low = low == 0 ? v.Fret[s] : std::min(low, int(v.Fret[s]));
            high = std::max(high, int(v.Fret[s]));
        }
    }
    if (fretted > 0 && high - low + 1 > MaxSpan) {
        return false;
    }
    v.Fingers = fretted;
    if (fretted <= MaxFingers) {
        return true;
    }
    int first = -1;
    int last = -1;
    int atLow = 0;
    for (int s = 0; s < v.Strings; ++s) {
        if (v.Fret[s] == low) {
            first = first < 0 ? s : first;
            last = s;
            ++atLow;
        }
    }
    bool main = atLow >= 2;
    for (int s = first; main && s <= last; ++s) {
        main = v.Fret[s] >= low;
    }
    if (main) {
        v.Main = {low, first + 1, last + 1};
        v.Fingers = fretted - atLow + 1;
        if (v.Fingers <= MaxFingers) {
            return true;
        }
    }
    // The longest run of equal frets above the lowest that a finger can lie across.
    Voicing::Barre best;
    for (int s = 0; s < v.Strings;) {
        const int f = v.Fret[s];
        int e = s;
        while (e + 1 < v.Strings && v.Fret[e + 1] == f) {
            ++e;
        }
        bool clear = f > low && e > s && e - s + 1 <= 4;
        for (int t = 0; clear && t < s; ++t) {
            const bool held = v.Main.Fret > 0 && v.Fret[t] == low && t + 1 >= v.Main.First;
            clear = v.Fret[t] < 0 || v.Fret[t] >= f || held;
        }
        if (clear && e - s > best.Last - best.First) {
            best = {f, s + 1, e + 1};
        }
        s = e + 1;
    }
    if (best.Fret == 0) {
        return false;
    }
    v.Partial = best;
    v.Fingers -= best.Last - best.First;
    return v.Fingers <= MaxFingers;
}

namespace {

struct Candidate {
    Voicing v;
    VoicingFinder::Ranking rank;
};

// The few first fingerings of a standard guitar no rule of the ranking
// gives: shapes books print first though another is easier or fuller
// (FM7 x-x-3-2-1-0 over 1-3-2-2-1-1). Low string first, -1 muted.
const std::map<QString, std::array<int8_t, 6>> &BookShapes() {
    static const std::map<QString, std::array<int8_t, 6>> shapes = [] {
        const std::pair<const char *, std::array<int8_t, 6>> table[] = {
            {"FM7", {-1, -1, 3, 2, 1, 0}},   {"B7", {-1, 2, 1, 2, 0, 2}},
            {"Cm", {-1, 3, 5, 5, 4, 3}},     {"F/G", {3, -1, 3, 2, 1, 1}},
            {"E/G#", {4, -1, 2, 1, 0, 0}},   {"F6", {-1, -1, 3, 2, 3, 1}},
            {"G7sus4", {3, 3, 0, 0, 1, 1}},  {"Eb7", {-1, 6, 8, 6, 8, 6}},
            {"EbM7", {-1, 6, 8, 7, 8, 6}},   {"Bb6", {-1, 1, 3, 3, 3, 3}},
            {"G9", {3, -1, 0, 2, 0, 1}},     {"F#m7-5", {2, -1, 2, 2, 1, -1}},
            {"Am7-5", {-1, 0, 1, 0, 1, -1}}, {"Em7-5", {0, 1, 2, 0, 3, 0}},
            {"B7sus4", {-1, 2, 4, 2, 5, 2}}, {"A/C#", {-1, 4, 2, 2, 2, 0}},
            {"Bm7-5", {-1, 2, 3, 2, 3, -1}},
        };
        std::map<QString, std::array<int8_t, 6>> m;
        for (const auto &[name, lowFirst] : table) {
            std::array<int8_t, 6> frets{}; // string 1 (high e) first, as Voicing has them
            std::reverse_copy(lowFirst.begin(), lowFirst.end(), frets.begin());
            m.emplace(ChordSymbol::Read(QString::fromLatin1(name))->Key(), frets);
        }
        return m;
    }();
    return shapes;
}

} // namespace

VoicingFinder::Ranking VoicingFinder::Rank(const Voicing &v, const Sound &sound) {
    const int n = v.Strings;
    // Muted strings between sounding ones count four times, outer ones once.
    int muted = 0;
    int firstSounding = -1;
    int lastSounding = -1;
    int sounding = 0;
    int fretted = 0;
    for (int s = 0; s < n; ++s) {
        if (v.Fret[size_t(s)] >= 0) {
            firstSounding = firstSounding < 0 ? s : firstSounding;
            lastSounding = s;
            ++sounding;
            fretted += v.Fret[size_t(s)] > 0 ? 1 : 0;
        }
    }
    // The string just above a fretted bass is muted by the finger on it.
    for (int s = 0; s < n; ++s) {
        if (v.Fret[size_t(s)] < 0) {
            const bool damped = s == lastSounding - 1 && v.Fret[size_t(lastSounding)] > 0;
            muted += s > firstSounding && s < lastSounding && !damped ? 4 : 1;
        }
    }
    const int maxFret = v.MaxFret();
    const int minFret = v.MinFret();
    bool open = false;
    bool innerOpen = false;
    for (int s = 0; s < n; ++s) {
        if (v.Fret[size_t(s)] != 0) {
            continue;
        }
        open = true;
        bool before = false;
        bool after = false;
        for (int t = 0; t < n; ++t) {
            before = before || (t < s && v.Fret[size_t(t)] > 0);
            after = after || (t > s && v.Fret[size_t(t)] > 0);
        }
        innerOpen = innerOpen || (before && after);
    }
    const int barres = (v.Main.Fret > 0 ? 1 : 0) + (v.Partial.Fret > 0 ? 1 : 0);
    // The E- and A-shape barres: the index across every string from the root
    // up, which books print wherever the root falls; their pinky may reach a
    // fourth fret.
    const bool rootBarre = v.Main.Fret > 0 && v.Main.First == 1 &&
                           v.Main.Last == lastSounding + 1 && sound.RootLowest && !sound.Slash;
    const bool stretch = fretted > 0 && maxFret - minFret + 1 == MaxSpan && !rootBarre;
    // High on the neck costs an open shape more than a movable one.
    int score = (open ? 2 : 1) * std::max(0, maxFret - 3) + (open ? 0 : std::max(0, maxFret - 7)) +
                2 * muted + (sound.RootLowest ? 0 : 20) + sound.CloseBottom + v.Fingers +
                2 * barres - sounding + (stretch ? 3 : 0) - (rootBarre ? 2 : 0) -
                (sound.LikeParent ? 3 : 0);
    if (open && maxFret >= 4 && n >= 5) {
        score += 3;
    }
    // Open strings inside a shape up the neck, or among four fretted notes;
    // on four strings, any shape reaching the third fret.
    score += innerOpen && (minFret >= 3 || (n <= 4 && maxFret >= 3)) ? 2 : 0;
    // Four strings have none to spare.
    int silent = 0;
    for (int s = 0; s < n; ++s) {
        silent += v.Fret[size_t(s)] < 0 ? 1 : 0;
    }
    score += n <= 4 ? 4 * silent : 0;
    score += innerOpen && fretted >= 4 && !sound.Slash ? 1 : 0;
    // Four fingers and open strings: the hand is full and must arch.
    score += open && v.Fingers >= 4 && barres == 0 ? 1 : 0;
    return {score, maxFret, muted, v.Fingers};
}

// A re-entrant tuning has no bass string: its lowest note is not weighed.
VoicingFinder::Sound VoicingFinder::SoundOf(const Voicing &v, const ChordSymbol &chord,
                                            bool bReentrant, const Voicing *parent) const {
    Sound sound;
    sound.Slash = chord.Bass() >= 0;
    if (parent != nullptr) {
        // A slash chord: every string above its bass as the parent has it (or
        // muted). Another: at most two strings changed, by a fret or two.
        int lowString = -1;
        for (int s = 0; s < v.Strings; ++s) {
            lowString = v.Fret[size_t(s)] >= 0 ? s : lowString;
        }
        int changed = 0;
        bool like = true;
        for (int s = 0; s < v.Strings && like; ++s) {
            const int mine = v.Fret[size_t(s)];
            const int theirs = parent->Fret[size_t(s)];
            if (chord.Bass() >= 0) {
                like = s >= lowString || mine < 0 || mine == theirs;
            } else if (mine != theirs) {
                like = mine >= 0 && theirs >= 0 && std::abs(mine - theirs) <= 2 && ++changed <= 2;
            }
        }
        sound.LikeParent = like;
    }
    if (bReentrant) {
        return sound;
    }
    int lowest = 1000;
    int second = 1000;
    for (int s = 0; s < v.Strings; ++s) {
        if (v.Fret[size_t(s)] < 0) {
            continue;
        }
        const int p = m_open[size_t(s)] + v.Fret[size_t(s)];
        if (p < lowest) {
            second = lowest;
            lowest = p;
        } else if (p > lowest && p < second) {
            second = p;
        }
    }
    sound.RootLowest = lowest % 12 == (chord.Bass() >= 0 ? chord.Bass() : chord.Root());
    // Root and fifth or third at the bottom. A slash chord's bass is what it
    // is; a sus chord asks for its fourth or second, but less is still better.
    const int gap = second - lowest;
    if (second < 1000 && chord.Bass() < 0 && sound.RootLowest &&
        (gap == 1 || gap == 2 || gap == 5)) {
        const bool third = (chord.Allowed() & 0x18) != 0;
        const bool tone = (chord.Required() & (1u << gap)) != 0;
        sound.CloseBottom = third || !tone ? 4 : 3;
    }
    return sound;
}

std::vector<Voicing> VoicingFinder::Find(const ChordSymbol &chord) const {
    const int n = StringCount();
    std::vector<Candidate> found;
    if (n < 3 || n > 7) {
        return {};
    }
    std::optional<Voicing> parent;
    if (const auto p = chord.Parent()) {
        // Many slash chords share a parent: found once.
        const QString key = p->Key();
        const auto known = m_parents.find(key);
        if (known != m_parents.end()) {
            parent = known->second;
        } else {
            if (const std::vector<Voicing> first = Find(*p); !first.empty()) {
                parent = first.front();
            }
            m_parents.emplace(key, parent);
        }
    }
    const uint16_t required = chord.RequiredPitches();
    const uint16_t allowed = chord.AllowedPitches();
    const int bass = chord.Bass() >= 0 ? chord.Bass() : -1;
    const auto pcOf = [this](int s, int fret) { return (m_open[size_t(s)] + fret) % 12; };
    bool reentrant = false;
    for (int s = 1; s < n; ++s) {
        reentrant = reentrant || m_open[size_t(s)] >= m_open[size_t(s - 1)];
    }

    // Each window of four frets from its lowest fretted fret; open and muted
    // strings in every window; a window with nothing fretted only once.
    for (int base = 1; base <= MaxFret; ++base) {
        std::array<std::vector<int8_t>, 8> options;
        for (int s = 0; s < n; ++s) {
            options[size_t(s)].push_back(-1);
            if (allowed & (1u << pcOf(s, 0))) {
                options[size_t(s)].push_back(0);
            }
            for (int f = base; f < base + MaxSpan && f <= MaxFret; ++f) {
                if (allowed & (1u << pcOf(s, f))) {
                    options[size_t(s)].push_back(int8_t(f));
                }
            }
        }
        Voicing v;
        v.Strings = n;
        std::array<size_t, 8> pick{};
        // Odometer over the options of every string.
        for (;;) {
            int fretted = 0;
            int low = 0;
            uint16_t heard = 0;
            int lowestPitch = 1000;
            int lowestPc = -1;
            for (int s = 0; s < n; ++s) {
                const int f = options[size_t(s)][pick[size_t(s)]];
                v.Fret[size_t(s)] = int8_t(f);
                if (f < 0) {
                    continue;
                }
                const int pitch = m_open[size_t(s)] + f;
                heard |= uint16_t(1u << (pitch % 12));
                if (pitch < lowestPitch) {
                    lowestPitch = pitch;
                    lowestPc = pitch % 12;
                }
                if (f > 0) {
                    ++fretted;
                    low = low == 0 ? f : std::min(low, f);
                }
            }
            const bool inWindow = fretted > 0 ? low == base : base == 1;
            if (inWindow && (heard & required) == required && (bass < 0 || lowestPc == bass) &&
                Fit(v)) {
                found.push_back(
                    {v, Rank(v, SoundOf(v, chord, reentrant, parent ? &*parent : nullptr))});
            }
            int s = 0;
            while (s < n && ++pick[size_t(s)] == options[size_t(s)].size()) {
                pick[size_t(s)] = 0;
                ++s;
            }
            if (s == n) {
                break;
            }
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Candidate &a, const Candidate &b) { return a.rank < b.rank; });
    if (m_open == StandardGuitar()) {
        if (const auto book = BookShapes().find(chord.Key()); book != BookShapes().end()) {
            const std::array<int8_t, 6> &frets = book->second;
            const auto it = std::find_if(found.begin(), found.end(), [&frets](const Candidate &c) {
                return std::equal(frets.begin(), frets.end(), c.v.Fret.begin());
            });
            std::rotate(found.begin(), it, it == found.end() ? it : it + 1);
        }
    }
    std::vector<Voicing> out;
    out.reserve(found.size());
    for (const Candidate &c : found) {
        out.push_back(c.v);
    }
    return out;
}

std::vector<Voicing> VoicingFinder::Pick(const ChordSymbol &chord, size_t count) const {
    const std::vector<Voicing> all = Find(chord);
    std::vector<Voicing> picked;
    if (all.empty()) {
        return picked;
    }
    picked.push_back(all.front());
    // The others: full-sounding ones elsewhere on the neck, not variants of
    // one already chosen.
    const int bass = chord.Bass() >= 0 ? chord.Bass() : chord.Root();
    for (const Voicing &v : all) {
        if (picked.size() >= count) {
            break;
        }
        int sounding = 0;
        int first = -1;
        int last = -1;
        int lowestPitch = 1000;
        for (int s = 0; s < v.Strings; ++s) {
            if (v.Fret[size_t(s)] >= 0) {
                ++sounding;
                first = first < 0 ? s : first;
                last = s;
                lowestPitch = std::min(lowestPitch, m_open[size_t(s)] + v.Fret[size_t(s)]);
            }
        }
        const bool full = last - first + 1 == sounding && sounding >= std::min(4, v.Strings) &&
                          lowestPitch % 12 == bass;
        const bool apart = std::all_of(picked.begin(), picked.end(), [&v](const Voicing &p) {
            return std::abs(p.MinFret() - v.MinFret()) >= 2;
        });
        if (full && apart) {
            picked.push_back(v);
        }
    }
    return picked;
}

bool VoicingFinder::Playable(const Voicing &v) const {
    if (v.Strings != StringCount()) {
        return false;
    }
    Voicing copy = v;
    return Fit(copy);
}
