// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/LibraryScan.h"

#include "platform/AppError.h"
#include "platform/SheetFile.h"

#include <QSet>

#include <algorithm>

namespace libraryscan {

Plan MakePlan(const std::vector<directory::FoundFile> &onDisk,
              const QHash<QString, LibraryIndex::Stamp> &known) {
    Plan plan;
    QSet<QString> seen;
    seen.reserve(static_cast<qsizetype>(onDisk.size()));
    for (const directory::FoundFile &f : onDisk) {
        seen.insert(f.Path);
        const auto it = known.constFind(f.Path);
        if (it == known.constEnd() || it->Size != f.Size || it->Modified != f.Modified) {
            plan.Read.push_back(f);
        }
    }
    for (auto it = known.constBegin(); it != known.constEnd(); ++it) {
        if (!seen.contains(it.key())) {
            plan.Gone << it.key();
        }
    }
    return plan;
}

sheetsummary::Summary ReadFile(const QString &sPath, qint64 iSize) {
    if (iSize <= 0 || iSize > sheetfile::MaxBytes) {
        return {};
    }
    try {
        return sheetsummary::Summarize(sheetfile::Read(sPath));
    } catch (const AppError &) {
        return {}; // a binary file, or one that went away while read
    }
}

void Apply(LibraryIndex &index, const Plan &plan) {
    constexpr size_t kBatch = 400;
    for (size_t i = 0; i < plan.Read.size(); i += kBatch) {
        index.Begin();
        for (size_t j = i; j < std::min(plan.Read.size(), i + kBatch); ++j) {
            const directory::FoundFile &f = plan.Read[j];
            index.Put(f.Path, {f.Size, f.Modified}, ReadFile(f.Path, f.Size));
        }
        index.Commit();
    }
    index.Begin();
    for (const QString &gone : plan.Gone) {
        index.Remove(gone);
    }
    index.Commit();
}

} // namespace libraryscan
