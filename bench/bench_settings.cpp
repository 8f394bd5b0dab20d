// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file as the main window uses it: every value written when it
// closes (each write rewriting the file atomically), every value read when it opens.
#include "settings/PrivateProfile.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void WriteAllSettings(const PrivateProfile &p, const Font &name, const Font &word) {
    p.WriteString("Chord", "Filename", "POSITION.INI");
    p.WriteLong("Window", "Height", 9000);
    p.WriteLong("Window", "Width", 12000);
    p.WriteLong("Window", "Top", 1200);
    p.WriteLong("Window", "Left", 2400);
    p.WriteString("Setting", "PreOpenedDir", "/home/guitarist/楽譜/");
    p.WriteBoolean("Setting", "AdjustFlatStart", true);
    p.WriteInt("Setting", "TabSize", 4);
    p.WriteInt("Setting", "Capo", 2);
    p.WriteBoolean("Setting", "PageReturn", false);
    p.WriteFont("ChordNameFont", name);
    p.WriteFont("WordFont", word);
    p.WriteLong("ChordName", "EnableColor", 0);
    p.WriteLong("ChordName", "UnEnableColor", 12632256);
    p.WriteLong("Word", "EnableColor", 0);
    p.WriteLong("Word", "UnEnableColor", 12632256);
    for (int i = 1; i <= 9; ++i) {
        p.WriteString("History", QString::number(i),
                      QStringLiteral("/home/guitarist/楽譜/song%1.txt").arg(i));
    }
}

void ReadAllSettings(const PrivateProfile &p, Font &name, Font &word) {
    benchmark::DoNotOptimize(p.GetString("Chord", "Filename", "POSITION.INI"));
    benchmark::DoNotOptimize(p.GetLong("Window", "Height", 1));
    benchmark::DoNotOptimize(p.GetLong("Window", "Width", 1));
    benchmark::DoNotOptimize(p.GetLong("Window", "Top", 1));
    benchmark::DoNotOptimize(p.GetLong("Window", "Left", 1));
    benchmark::DoNotOptimize(p.GetString("Setting", "PreOpenedDir", ""));
    benchmark::DoNotOptimize(p.GetBoolean("Setting", "AdjustFlatStart", false));
    benchmark::DoNotOptimize(p.GetInt("Setting", "TabSize", 4));
    benchmark::DoNotOptimize(p.GetInt("Setting", "Capo", 0));
    benchmark::DoNotOptimize(p.GetBoolean("Setting", "PageReturn", false));
    p.SetFont("ChordNameFont", name);
    p.SetFont("WordFont", word);
    benchmark::DoNotOptimize(p.GetLong("ChordName", "EnableColor", 0));
    benchmark::DoNotOptimize(p.GetLong("ChordName", "UnEnableColor", 0));
    benchmark::DoNotOptimize(p.GetLong("Word", "EnableColor", 0));
    benchmark::DoNotOptimize(p.GetLong("Word", "UnEnableColor", 0));
    for (int i = 1; i <= 9; ++i) {
        benchmark::DoNotOptimize(p.GetString("History", QString::number(i), ""));
    }
}

void BM_CloseWrites(benchmark::State &state) {
    QTemporaryDir dir;
    PrivateProfile p;
    p.SetIniFilename(dir.filePath("tamblin.INI"));
    const Font name(QStringLiteral("Arial"), 9.75, true);
    const Font word(QStringLiteral("IPAPGothic"), 9, false);
    WriteAllSettings(p, name, word);
    for (auto _ : state) {
        WriteAllSettings(p, name, word);
    }
}

void BM_StartReads(benchmark::State &state) {
    QTemporaryDir dir;
    PrivateProfile p;
    p.SetIniFilename(dir.filePath("tamblin.INI"));
    Font name(QStringLiteral("Arial"), 9.75, true);
    Font word(QStringLiteral("IPAPGothic"), 9, false);
    WriteAllSettings(p, name, word);
    for (auto _ : state) {
        ReadAllSettings(p, name, word);
    }
}

} // namespace

BENCHMARK(BM_CloseWrites)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartReads)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
