// SPDX-License-Identifier: GPL-3.0-or-later
// Chord cells: creating a sheet's worth of them, and painting one.
#include "chords/Chord.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"
#include "score/Fonts.h"

#include "platform/CodePage932.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::shared_ptr<Chord> Dictionary() {
    static const std::shared_ptr<Chord> chord = [] {
        auto c = std::make_shared<Chord>();
        c->LoadChordPosition(QStringLiteral(TAMBLIN_BIN_DIR "/POSITION.INI"));
        return c;
    }();
    return chord;
}

void BM_Create300Cells(benchmark::State &state) {
    const auto chord = Dictionary();
    const auto nameFont = scorefonts::DefaultChordNameFont();
    const auto wordFont = scorefonts::DefaultWordFont();
    const QStringList names{"C", "Am", "F", "G7", "Em7", "Dm", "Bb", "", "E7", "F#m7-5"};
    for (auto _ : state) {
        std::vector<std::unique_ptr<ChordView>> cells;
        cells.reserve(300);
        for (int i = 0; i < 300; ++i) {
            auto v = std::make_unique<ChordView>();
            v->Initialize();
            v->SetChord(chord);
            v->SetChordNameFont(nameFont);
            v->SetWordFont(wordFont);
            v->SetChordName(names[i % names.size()]);
            v->SetWord(QStringLiteral("ゆうやけ "));
            v->SetLineNo(i / 4 + 1);
            v->SetState(1);
            cells.push_back(std::move(v));
        }
        benchmark::DoNotOptimize(cells.back()->WidthTwips());
    }
}

void BM_PaintCell(benchmark::State &state) {
    ChordView v;
    v.SetChord(Dictionary());
    v.SetChordName(QStringLiteral("F"));
    v.SetWord(QStringLiteral("はるの"));
    v.SetState(1);
    QImage img(v.size() * 2, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(state.range(0));
    for (auto _ : state) {
        QPainter p(&img);
        v.Paint(p);
    }
}

// A sheet of four chords over a lyric a row: exactly `tokens` tokens.
QString MakeSheet(int tokens) {
    QString sheet;
    for (int n = 0; n + 4 <= tokens; n += 4) {
        sheet += QStringLiteral("C       Am      F       G7\r\n"
                                "ゆうやけ こやけの あかとんぼ　おわれて\r\n");
    }
    return sheet;
}

// From text to a laid-out score, cells reused as the host does on reload.
void BM_ScoreSetText(benchmark::State &state) {
    const int tokens = static_cast<int>(state.range(0));
    const QString sheet = MakeSheet(tokens);
    ChordScore score;
    score.Properties()->SetChord(Dictionary());
    score.SetMax(static_cast<int16_t>(tokens));
    for (auto _ : state) {
        score.SetText(sheet);
        // The program returns to its event loop after each load.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (score.ChordViewCount() != tokens) {
        state.SkipWithError("unexpected token count");
    }
    state.counters["per_token_us"] = benchmark::Counter(
        tokens / 1e6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Reading a 300-token sheet file and laying it out: CP932, its UTF-8 twin,
// and the same song in ChordPro.
void BM_LoadSheetFile(benchmark::State &state) {
    static QTemporaryDir dir;
    const QString sheet = MakeSheet(300);
    QByteArray bytes;
    if (state.range(0) == 0) {
        bytes = cp932::Encode(sheet);
    } else if (state.range(0) == 1) {
        bytes = sheet.toUtf8();
    } else {
        // Each chord line and its lyric as one line of inline chords.
        QStringList lines = sheet.split(QStringLiteral("\r\n"));
        QStringList pro;
        for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
            QString line;
            const QStringList chords = lines[i].split(u' ', Qt::SkipEmptyParts);
            const QString lyric = lines[i + 1];
            const qsizetype step =
                std::max<qsizetype>(1, lyric.size() / std::max<qsizetype>(1, chords.size()));
            for (qsizetype k = 0; k < chords.size(); ++k) {
                line += u'[' + chords[k] + u']' + lyric.mid(k * step, step);
            }
            pro << line;
        }
        bytes = pro.join(QStringLiteral("\r\n")).toUtf8();
    }
    const QString path = dir.filePath(QStringLiteral("sheet%1.txt").arg(state.range(0)));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the sheet");
        return;
    }
    f.write(bytes);
    f.close();
    ChordScore score;
    score.Properties()->SetChord(Dictionary());
    for (auto _ : state) {
        score.LoadChordScore(path);
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["cells"] = score.ChordViewCount();
}

// The first load: every cell created.
void BM_ScoreFirstLoad(benchmark::State &state) {
    const QString sheet = MakeSheet(300);
    for (auto _ : state) {
        ChordScore score;
        score.Properties()->SetChord(Dictionary());
        score.SetText(sheet);
        benchmark::DoNotOptimize(score.WidthTwips());
    }
}

void BM_ScoreSetCapo(benchmark::State &state) {
    ChordScore score;
    score.Properties()->SetChord(Dictionary());
    score.SetText(MakeSheet(300));
    int16_t capo = 0;
    for (auto _ : state) {
        capo = static_cast<int16_t>((capo + 1) % 10);
        score.SetCapo(capo);
    }
}

} // namespace

BENCHMARK(BM_ScoreSetText)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScoreFirstLoad)->Unit(benchmark::kMillisecond);
// 0: CP932, 1: its UTF-8 twin, 2: ChordPro in UTF-8.
BENCHMARK(BM_LoadSheetFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScoreSetCapo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Create300Cells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintCell)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    scorefonts::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
