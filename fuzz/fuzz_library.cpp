// SPDX-License-Identifier: GPL-3.0-or-later
// What the library reads from any text: a sheet's summary, a setlist (whose
// text must come back unchanged), and a search query.
#include "library/LibraryIndex.h"
#include "library/Setlist.h"
#include "library/SheetSummary.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const sheetsummary::Summary s = sheetsummary::Summarize(text);
    if (s.IsSheet != !s.Chords.isEmpty() || s.KeyPitch < -1 || s.KeyPitch > 11) {
        std::abort();
    }
    // A setlist read and written again keeps every line it understood.
    const Setlist list = Setlist::Parse(text);
    if (Setlist::Parse(list.Text()).Text() != list.Text()) {
        std::abort();
    }
    const LibraryQuery q = LibraryQuery::Parse(text.left(200));
    if (q.Capo < -1 || q.Capo > 9) {
        std::abort();
    }
    return 0;
}
