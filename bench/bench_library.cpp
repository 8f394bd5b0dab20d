// SPDX-License-Identifier: GPL-3.0-or-later
// The library on a generated collection of sheets (CP932, UTF-8 and
// ChordPro, in nested folders): the first scan, a rescan with nothing
// changed, the catalog, and searches as typed (medians).
// `bench_library [N]` measures in a temporary folder; `bench_library
// --generate DIR [N]` only writes the sheets (for library.sh).
#include "library/LibraryIndex.h"
#include "library/LibraryScan.h"
#include "platform/CodePage932.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char *const kWords[] = {
    "さくら", "ふるさと", "夕焼け",  "小焼け",   "海",     "山",   "川",   "青い空",
    "風",     "花",       "夢",      "あなた",   "わたし", "遠い", "明日", "星",
    "月夜",   "故郷",     "春",      "夏",       "秋",     "冬",   "雪",   "雨上がり",
    "love",   "river",    "morning", "sunshine", "home",   "road", "night"};
const char *const kChords[] = {"C", "G", "Am", "F", "Dm", "Em", "G7", "E7", "D", "A", "Bm", "C7"};

QString Words(QRandomGenerator &r, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i) {
        out << QString::fromUtf8(kWords[r.bounded(int(std::size(kWords)))]);
    }
    return out.join(u' ');
}

void Generate(const QString &dir, int count) {
    QRandomGenerator r(42);
    for (int i = 0; i < count; ++i) {
        const QString folder =
            QStringLiteral("%1/歌手%2/アルバム%3").arg(dir).arg(i % 97).arg(i % 7);
        QDir().mkpath(folder);
        const QString title = Words(r, 2) + QStringLiteral(" %1").arg(i);
        const QString artist = QStringLiteral("歌手%1").arg(i % 97);
        QString text;
        const int kind = i % 3;
        if (kind == 2) {
            text = QStringLiteral("{title: %1}\n{artist: %2}\n").arg(title, artist);
            for (int l = 0; l < 16; ++l) {
                text += QStringLiteral("[%1]%2 [%3]%4\n")
                            .arg(QString::fromLatin1(kChords[r.bounded(12)]), Words(r, 3),
                                 QString::fromLatin1(kChords[r.bounded(12)]), Words(r, 2));
            }
        } else {
            text = QStringLiteral("%1\r\n歌：%2\r\n\r\n").arg(title, artist);
            for (int l = 0; l < 16; ++l) {
                text += QStringLiteral("%1        %2\r\n%3\r\n")
                            .arg(QString::fromLatin1(kChords[r.bounded(12)]),
                                 QString::fromLatin1(kChords[r.bounded(12)]), Words(r, 5));
            }
        }
        QFile f(QStringLiteral("%1/song%2.%3").arg(folder).arg(i).arg(kind == 2 ? "cho" : "txt"));
        if (!f.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
            std::exit(1);
        }
        f.write(kind == 0 ? cp932::Encode(text) : text.toUtf8());
    }
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == u"--generate") {
        Generate(args[2], args.size() > 3 ? args[3].toInt() : 10000);
        return 0;
    }
    const int count = args.size() > 1 ? args[1].toInt() : 10000;
    QTemporaryDir tmp;
    const QString lib = tmp.path() + QStringLiteral("/lib");
    QElapsedTimer t;
    t.start();
    Generate(lib, count);
    std::printf("generated %d sheets in %.1f s\n", count, t.elapsed() / 1000.0);

    LibraryIndex index(tmp.path() + QStringLiteral("/library.sqlite"));
    QString why;
    if (!index.Open(why)) {
        return 1;
    }
    t.restart();
    libraryscan::Apply(index, libraryscan::MakePlan(directory::Walk({lib}), index.Stamps()));
    std::printf("first scan: %.2f s\n", t.elapsed() / 1000.0);

    std::vector<double> rescans;
    for (int i = 0; i < 5; ++i) {
        t.restart();
        const libraryscan::Plan plan =
            libraryscan::MakePlan(directory::Walk({lib}), index.Stamps());
        rescans.push_back(t.nsecsElapsed() / 1e6);
        if (!plan.Read.empty()) {
            std::printf("rescan found %zu changed files\n", plan.Read.size());
        }
    }
    std::printf("rescan, nothing changed: %.0f ms (median of 5)\n", Median(rescans));

    std::vector<double> catalog;
    qsizetype songs = 0;
    for (int i = 0; i < 5; ++i) {
        t.restart();
        songs = index.Songs().size();
        catalog.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("catalog of %lld songs: %.1f ms (median of 5)\n", static_cast<long long>(songs),
                Median(catalog));

    // Each query as typed, letter by letter.
    const QStringList queries{QStringLiteral("夕焼け小"), QStringLiteral("雨上がり"),
                              QStringLiteral("sunshine"), QStringLiteral("歌手42"),
                              QStringLiteral("月"),       QStringLiteral("Am key:C")};
    for (const QString &q : queries) {
        std::vector<double> times;
        qsizetype found = 0;
        for (int round = 0; round < 3; ++round) {
            for (qsizetype n = 1; n <= q.size(); ++n) {
                t.restart();
                found = index.Search(LibraryQuery::Parse(q.left(n))).size();
                times.push_back(t.nsecsElapsed() / 1e6);
            }
        }
        std::printf("search \"%s\" as typed: median %.1f ms, max %.1f ms, %lld found\n",
                    qPrintable(q), Median(times), *std::max_element(times.begin(), times.end()),
                    static_cast<long long>(found));
    }
    return 0;
}
