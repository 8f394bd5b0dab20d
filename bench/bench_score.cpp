// Chord cells: creating a sheet's worth of them, and painting one.
#include "chords/Chord.h"
#include "score/ChordView.h"
#include "score/Fonts.h"
#include "score/PositionView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

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
    QWidget host;
    for (auto _ : state) {
        std::vector<std::unique_ptr<ChordView>> cells;
        cells.reserve(300);
        for (int i = 0; i < 300; ++i) {
            auto v = std::make_unique<ChordView>(&host);
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
        v.render(&p);
    }
}

} // namespace

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
