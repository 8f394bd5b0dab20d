// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing a sheet into tokens: time per sheet and per token as the sheet grows.
#include "parsing/ChordToken.h"

#include <benchmark/benchmark.h>

namespace {

// A sheet of chord lines over lyrics, four chords a row, the way songs look:
// exactly `tokens` tokens.
QString MakeSheet(int tokens) {
    const QString chords = QStringLiteral("C       Am\tF       G7");
    const QString lyric = QStringLiteral("ゆうやけ こやけの あかとんぼ　おわれて");
    QString sheet;
    int n = 0;
    while (n + 4 <= tokens) {
        sheet += chords + QStringLiteral("\r\n") + lyric + QStringLiteral("\r\n");
        n += 4;
    }
    while (n < tokens) {
        sheet += QStringLiteral("\r\n");
        ++n;
    }
    return sheet;
}

void BM_SetText(benchmark::State &state) {
    const int tokens = static_cast<int>(state.range(0));
    const QString sheet = MakeSheet(tokens);
    ChordToken ct;
    ct.SetMax(static_cast<int16_t>(std::min(tokens, 32767)));
    for (auto _ : state) {
        ct.SetText(sheet);
        benchmark::DoNotOptimize(ct.Size());
    }
    if (ct.Size() != tokens) {
        state.SkipWithError("sheet does not yield the expected token count");
    }
    state.counters["per_token_ns"] = benchmark::Counter(
        static_cast<double>(tokens),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_SetText)->Arg(300)->Arg(3000)->Arg(30000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
