// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet parser on arbitrary bytes read as CP932, with a random tab size
// and token limit.
#include "parsing/ChordToken.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 3) {
        return 0;
    }
    ChordToken ct;
    ct.SetTabSize(static_cast<int16_t>(static_cast<int8_t>(data[0])));
    ct.SetMax(static_cast<int16_t>(data[1] | (data[2] << 8)));
    const QString text =
        cp932::Decode(reinterpret_cast<const char *>(data + 3), static_cast<qsizetype>(size - 3));
    try {
        ct.SetText(text);
    } catch (const AppError &e) {
        if (e.Description().isEmpty()) {
            std::abort();
        }
    }
    // Whatever was parsed stays readable, rows in order.
    int32_t row = 0;
    for (int16_t i = 1; i <= ct.Size(); ++i) {
        if (ct.LineNo(i) < row || ct.LineNo(i) < 1) {
            std::abort();
        }
        row = ct.LineNo(i);
        (void)ct.ChordName(i).size();
        (void)ct.Word(i).size();
    }
    return 0;
}
