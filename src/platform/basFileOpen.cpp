// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/basFileOpen.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

namespace basFileOpen {

namespace {

// Qt's detail view gives every column the same width, which cuts names and
// sizes at this dialog's size. The type column says little under a text
// filter; it goes, and the name takes what size and date leave.
void FitColumns(QFileDialog &dialog) {
    auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!view) {
        return;
    }
    QHeaderView *header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->hideSection(2);
}

} // namespace

QStringList NameFilters(const QString &sFilter) {
    const QStringList parts = sFilter.split(QChar(0));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        // "*.*" means every file, as it did where these patterns come from.
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return out;
}

QString ShowOpenFileDialog(QWidget *owner, const QString &sStartFolder, const QString &sFilter,
                           const QString &sTitle, int32_t lFlags) {
    QFileDialog dialog(owner, sTitle, sStartFolder);
    // Qt's own dialog: the desktop's native one would not keep the placement.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // Show "テキストファイル (*.txt)", not the patterns added for matching.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setFileMode((lFlags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                    : QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Name patterns match without regard to case: *.TXT finds song.txt.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    const QStringList filters = NameFilters(sFilter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }
    dialog.setModal(true);
    FitColumns(dialog);
    if (owner) {
        const QPoint at = owner->window()->pos() + QPoint(5, 40);
        dialog.move(at);
        // Window managers may place a dialog on show; put it back once shown.
        QPointer<QFileDialog> d(&dialog);
        QTimer::singleShot(0, &dialog, [d, at] {
            if (d) {
                d->move(at);
            }
        });
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

QString ShowSaveFileDialog(QWidget *owner, const QString &sDefaultPath, const QString &sFilter,
                           const QString &sTitle, const QString &sSuffix) {
    QFileDialog dialog(owner, sTitle);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(sSuffix);
    const QStringList filters = NameFilters(sFilter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    dialog.selectFile(sDefaultPath);
    dialog.setModal(true);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace basFileOpen
