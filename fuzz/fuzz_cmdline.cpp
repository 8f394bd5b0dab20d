// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line reader on arbitrary arguments (NUL-separated): it
// answers with one action, a file only when it runs, a reason when it
// refuses.
#include "parsing/CommandLine.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray all(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> args = all.split('\0');
    const commandline::Parsed parsed = commandline::Parse(args);
    switch (parsed.action) {
    case commandline::Action::Refuse:
        if (parsed.message.isEmpty() || !parsed.file.isEmpty()) {
            std::abort();
        }
        break;
    case commandline::Action::Run:
        if (!parsed.message.isEmpty()) {
            std::abort();
        }
        break;
    case commandline::Action::Help:
    case commandline::Action::Version:
        if (!parsed.file.isEmpty()) {
            std::abort();
        }
        break;
    }
    return 0;
}
