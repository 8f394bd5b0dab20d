// SPDX-License-Identifier: GPL-3.0-or-later
// Capo transposition on arbitrary names: never fails, never grows without
// bound, and capo 0 changes nothing.
#include "chords/Capo.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    Capo c;
    if (c.Chord(name) != name) {
        std::abort();
    }
    c.SetCapo(static_cast<int16_t>(static_cast<int8_t>(data[0])));
    const QString out = c.Chord(name);
    // Each of at most two roots gains at most one character ("C" to "B",
    // "Db" to "C", "D" to "C#").
    if (out.size() > name.size() + 2) {
        std::abort();
    }
    return 0;
}
