// SPDX-License-Identifier: GPL-3.0-or-later
// The ChordPro reader on arbitrary text: the sheet's rows, its capo and its
// {define} fingerings, and the position line made of each definition.
#include "parsing/ChordPro.h"
#include "platform/AppError.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)chordpro::IsChordPro(text);
    try {
        const chordpro::Sheet sheet = chordpro::Read(text);
        if (sheet.Capo < -1) {
            std::abort();
        }
        for (const chordpro::Define &d : sheet.Defines) {
            if (d.Name.isEmpty() || d.Position.isEmpty()) {
                std::abort();
            }
        }
    } catch (const AppError &e) {
        if (e.Description().isEmpty()) {
            std::abort();
        }
    }
    QString name;
    (void)chordpro::DefineToPosition(text.left(200), name);
    return 0;
}
