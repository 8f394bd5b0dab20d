// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a large position file, looking chords up, transposing names.
#include "chords/Capo.h"
#include "chords/Chord.h"
#include "chords/DictionaryBuilder.h"
#include "chords/VoicingFinder.h"
#include "parsing/ChordSymbol.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// 2,000 chords of three fingerings each: 6,000 positions.
const QString &PositionFile() {
    static QTemporaryDir dir;
    static const QString path = [] {
        QString p = dir.filePath("bench.ini");
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly)) {
            qFatal("cannot write %s", qPrintable(p));
        }
        f.write("# generated\r\n");
        for (int i = 0; i < 2000; ++i) {
            f.write(QStringLiteral("[C%1]\r\n0-1-0-2-3-X\r\n3*5-5-5-5-3-X\r\n8*6-8-9-10-10-8\r\n")
                        .arg(i)
                        .toLatin1());
        }
        return p;
    }();
    return path;
}

void BM_LoadChordPosition(benchmark::State &state) {
    Chord c;
    for (auto _ : state) {
        c.LoadChordPosition(PositionFile());
        benchmark::DoNotOptimize(c.StringSize());
    }
    if (c.PositionSize(c.SearchPosition("C1999")) != 3) {
        state.SkipWithError("file not loaded");
    }
}

void BM_SearchPosition(benchmark::State &state) {
    Chord c;
    c.LoadChordPosition(PositionFile());
    QStringList names;
    for (int i = 0; i < 1000; ++i) {
        names << QStringLiteral("C%1").arg(i * 2) << QStringLiteral("Cmaj%1").arg(i);
    }
    for (auto _ : state) {
        for (const QString &n : names) {
            benchmark::DoNotOptimize(c.SearchPosition(n));
        }
    }
    state.counters["per_lookup_ns"] = benchmark::Counter(
        static_cast<double>(names.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_CapoChord(benchmark::State &state) {
    const QStringList roots{"C", "C#", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};
    const QStringList suffixes{"", "m", "7", "M7", "m7-5", "/E", "onG", "sus4"};
    QStringList names;
    for (int i = 0; names.size() < 1000; ++i) {
        names << roots[i % roots.size()] + suffixes[(i / 3) % suffixes.size()];
    }
    Capo capo;
    for (auto _ : state) {
        for (int16_t k = 0; k <= 9; ++k) {
            capo.SetCapo(k);
            for (const QString &n : names) {
                benchmark::DoNotOptimize(capo.Chord(n));
            }
        }
    }
    state.counters["per_name_ns"] = benchmark::Counter(
        static_cast<double>(names.size() * 10),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LoadShippedPositionIni(benchmark::State &state) {
    Chord c;
    for (auto _ : state) {
        c.LoadChordPosition(QStringLiteral(TAMBLIN_BIN_DIR "/POSITION.INI"));
        benchmark::DoNotOptimize(c.StringSize());
    }
}

// 1,000 names of mixed types and roots, slash chords among them.
QStringList MixedNames() {
    const QStringList names = dictionarybuilder::StandardNames(true);
    QStringList out;
    for (qsizetype i = 0; out.size() < 1000; i += 7) {
        out << names[i % names.size()];
    }
    return out;
}

void BM_FindVoicings(benchmark::State &state) {
    const VoicingFinder finder(VoicingFinder::StandardGuitar());
    std::vector<ChordSymbol> chords;
    for (const QString &n : MixedNames()) {
        chords.push_back(*ChordSymbol::Read(n));
    }
    for (auto _ : state) {
        for (const ChordSymbol &c : chords) {
            benchmark::DoNotOptimize(finder.Find(c).size());
        }
    }
    state.counters["per_chord_us"] = benchmark::Counter(
        static_cast<double>(chords.size()) * 1e-6,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_GenerateGuitarDictionary(benchmark::State &state) {
    const VoicingFinder finder(VoicingFinder::StandardGuitar());
    const QStringList names = dictionarybuilder::StandardNames(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(dictionarybuilder::Build(finder, names, QString(), true).size());
    }
}

} // namespace

BENCHMARK(BM_LoadShippedPositionIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindVoicings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateGuitarDictionary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadChordPosition)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchPosition)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CapoChord)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
