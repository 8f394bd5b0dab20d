// SPDX-License-Identifier: GPL-3.0-or-later
// The position loader on an arbitrary file, then every query on what loaded.
#include "chords/Chord.h"
#include "platform/AppError.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {
const QString &Path() {
    static QTemporaryDir dir;
    static const QString path = dir.filePath("POSITION.INI");
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    {
        QFile f(Path());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::abort();
        }
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    Chord c;
    try {
        c.LoadChordPosition(Path());
    } catch (const AppError &e) {
        if (e.Description().isEmpty()) {
            std::abort();
        }
    }
    const int16_t strings = c.StringSize();
    if (strings != -1 && (strings < 3 || strings > 7)) {
        std::abort();
    }
    // Aliases share their chord's chain: walking it once per name would make
    // a file of many aliases to one long chord quadratic in the harness alone.
    QSet<int16_t> walked;
    for (const auto &[name, first] : c.ChordDictionary()->Entries()) {
        if (c.SearchPosition(name) != first && !name.contains(QStringLiteral("maj"))) {
            std::abort();
        }
        if (walked.contains(first)) {
            continue;
        }
        walked.insert(first);
        int guard = 0;
        for (int16_t id = first; id != 0; id = c.NextPosition(id)) {
            if (++guard > 40000) {
                std::abort(); // a chain that loops
            }
            if (c.FlatMax(id) - c.FlatMin(id) + 1 > 6 ||
                c.FlatMax(id) - c.FlatMin(id) + 1 > c.FlatSize()) {
                std::abort();
            }
            for (int16_t s = 1; s <= strings; ++s) {
                const int16_t f = c.Flat(id, s);
                if (f < -1 || f > 20 || c.Multi(id, s) < 1 || c.Multi(id, s) > strings - s + 1) {
                    std::abort();
                }
            }
        }
    }
    (void)c.AliasDictionary().Count();
    return 0;
}
