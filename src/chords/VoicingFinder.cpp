#include "chords/VoicingFinder.h"

#include <QStringList>

#include <algorithm>
#include <bit>
#include <cstdlib>
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
        if (BarreFret > 0 && s + 1 == BarreFirst) {
            p += QStringLiteral("*%1").arg(BarreLast - BarreFirst + 1);
        }
        parts << p;
    }
    return parts.join(u'-');
}

VoicingFinder::VoicingFinder(std::vector<int> openPitches) : m_open(std::move(openPitches)) {}

// Fingers for the fretted notes: one each, or, when that is more than a hand
// has, a barre of the index finger across the lowest fret (no open or muted
// string under it) and one for each note above it.
bool VoicingFinder::Fit(Voicing &v) const {
    v.BarreFret = v.BarreFirst = v.BarreLast = 0;
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
    if (fretted <= MaxFingers) {
        v.Fingers = fretted;
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
    if (atLow < 2) {
        return false;
    }
    for (int s = first; s <= last; ++s) {
        if (v.Fret[s] < low) {
            return false;
        }
    }
    const int fingers = 1 + fretted - atLow;
    if (fingers > MaxFingers) {
        return false;
    }
    v.Fingers = fingers;
    v.BarreFret = low;
    v.BarreFirst = first + 1;
    v.BarreLast = last + 1;
    return true;
}

namespace {

struct Candidate {
    Voicing v;
    VoicingFinder::Ranking rank;
};

} // namespace

VoicingFinder::Ranking VoicingFinder::Rank(const Voicing &v, bool bRootLowest) {
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
    for (int s = 0; s < n; ++s) {
        if (v.Fret[size_t(s)] < 0) {
            muted += s > firstSounding && s < lastSounding ? 4 : 1;
        }
    }
    const int maxFret = v.MaxFret();
    const int minFret = v.MinFret();
    // Open strings: among high frets, or between fretted strings of a shape
    // at fret 3 or above, they make it awkward.
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
    const RankWeights &w = Weights();
    int score = w.PerFretAbove3 * std::max(0, maxFret - 3) + w.PerMutedString * muted +
                (bRootLowest ? 0 : w.RootNotLowest) + w.PerFinger * v.Fingers +
                (v.BarreFret > 0 ? w.Barre : 0) - w.PerSoundingString * sounding;
    if (open && maxFret >= 4 && n >= 5) {
        score += w.OpenAmongHighFrets;
    }
    if (innerOpen && maxFret >= 3) {
        score += w.OpenBetweenFretted;
    }
    if (fretted > 0 && maxFret - minFret + 1 == MaxSpan) {
        score += w.FullStretch;
    }
    return {score, maxFret, muted, v.Fingers};
}

std::vector<Voicing> VoicingFinder::Find(const ChordSymbol &chord) const {
    const int n = StringCount();
    std::vector<Candidate> found;
    if (n < 3 || n > 7) {
        return {};
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
                const bool rootLowest = reentrant || lowestPc == (bass >= 0 ? bass : chord.Root());
                found.push_back({v, Rank(v, rootLowest)});
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
