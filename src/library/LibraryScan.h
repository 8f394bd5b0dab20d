// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/LibraryIndex.h"
#include "platform/Directory.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// Bringing the index up to the files under the library folders: what is
// new or changed is read, what is gone is dropped. A rename is both.
namespace libraryscan {

struct Plan {
    std::vector<directory::FoundFile> Read; // new or changed (size or time)
    QStringList Gone;                       // known, no longer on disk
};
Plan MakePlan(const std::vector<directory::FoundFile> &onDisk,
              const QHash<QString, LibraryIndex::Stamp> &known);

// The summary of one file: no sheet for a file too large, not text, or
// without chords.
sheetsummary::Summary ReadFile(const QString &sPath, qint64 iSize);

// Puts every file of the plan into the index and drops the gone ones, in
// transactions of a few hundred files: the whole scan, on the caller's
// thread (tests, the benchmark, the command line).
void Apply(LibraryIndex &index, const Plan &plan);

} // namespace libraryscan
