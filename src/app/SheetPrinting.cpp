// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SheetPrinting.h"

#include "platform/AtomicFile.h"
#include "score/ChordScore.h"
#include "score/ScorePrinter.h"

#include <QBuffer>
#include <QDateTime>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace sheetprinting {

void SetDefaultPage(QPagedPaintDevice &device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

int Paint(QPainter &p, QPagedPaintDevice &device, const Sheet &sheet) {
    return sheet.Songbook
               ? scoreprinter::PrintSongbook(p, device, sheet.Score, sheet.Heading, sheet.Title)
               : scoreprinter::Print(p, device, sheet.Score, sheet.PageReturn, sheet.Title);
}

namespace {

// A PDF written whole or not at all, beside the old one until complete;
// paint draws every page. False with a message naming the file.
bool WriteAtomically(const QString &sPath, const QString &sTitle, const QPageLayout *layout,
                     const std::function<void(QPainter &, QPdfWriter &)> &paint, QString &sError) {
    const auto fail = [&](const QString &why) {
        sError = QStringLiteral("PDF ファイル \"%1\" に書き込めません。%2。").arg(sPath, why);
        return false;
    };
    // Those an export killed before its end left; never one being written now.
    AtomicFile::RemoveStale(sPath, PartialPdfSuffix, QDateTime::currentDateTime().addSecs(-60));
    AtomicFile out(sPath, PartialPdfSuffix);
    if (!out.Open()) {
        return fail(out.ErrorString());
    }
    {
        QPdfWriter writer(&out.Device());
        if (layout) {
            writer.setPageLayout(*layout);
        } else {
            SetDefaultPage(writer);
        }
        writer.setResolution(1200);
        writer.setTitle(sTitle);
        writer.setCreator(QStringLiteral("Tamblin"));
        QPainter p;
        if (!p.begin(&writer)) {
            out.Cancel();
            return fail(QStringLiteral("PDF を作れません"));
        }
        paint(p, writer);
        if (!p.end()) {
            out.Cancel();
            return fail(QStringLiteral("PDF を作れません"));
        }
    }
    if (!out.Commit()) {
        return fail(out.ErrorString());
    }
    return true;
}

} // namespace

bool WritePdf(const Sheet &sheet, const QString &sPath, QString &sError,
              const QPageLayout *layout) {
    const QString title =
        sheet.Songbook && !sheet.Heading.Title.isEmpty() ? sheet.Heading.Title : sheet.Title;
    return WriteAtomically(
        sPath, title, layout, [&](QPainter &p, QPdfWriter &writer) { Paint(p, writer, sheet); },
        sError);
}

bool WriteSongbook(const QString &sTitle, const QStringList &titles,
                   const std::function<std::optional<Sheet>(int)> &load, const QString &sPath,
                   QString &sError) {
    const QFont font(QStringLiteral("IPAPGothic"));
    // First the pages each song takes, painted where nobody sees them.
    std::vector<scoreprinter::ContentsLine> lines;
    std::vector<bool> present;
    {
        QBuffer scratch;
        scratch.open(QIODevice::WriteOnly);
        QPdfWriter counter(&scratch);
        SetDefaultPage(counter);
        counter.setResolution(1200);
        QPainter p(&counter);
        std::vector<scoreprinter::ContentsLine> draft;
        for (const QString &title : titles) {
            draft.push_back({title, 1});
        }
        int page = 1 + scoreprinter::PrintContents(p, counter, sTitle, draft, font);
        for (int i = 0; i < titles.size(); ++i) {
            const std::optional<Sheet> sheet = load(i);
            present.push_back(sheet.has_value());
            // A song without a title of its own in the list goes by the sheet's.
            lines.push_back({titles[i].isEmpty() && sheet ? sheet->Heading.Title : titles[i],
                             sheet ? page : 0});
            if (sheet) {
                counter.newPage();
                page += Paint(p, counter, *sheet);
            }
        }
        p.end();
    }
    return WriteAtomically(
        sPath, sTitle, nullptr,
        [&](QPainter &p, QPdfWriter &writer) {
            scoreprinter::PrintContents(p, writer, sTitle, lines, font);
            for (int i = 0; i < titles.size(); ++i) {
                if (!present[static_cast<size_t>(i)]) {
                    continue;
                }
                const std::optional<Sheet> sheet = load(i);
                if (sheet) {
                    writer.newPage();
                    Paint(p, writer, *sheet);
                }
            }
        },
        sError);
}

bool PrintWithDialog(QWidget *owner, const Sheet &sheet, const QString &sPdfPath, QString &sError) {
    QPrinter printer(QPrinter::HighResolution);
    SetDefaultPage(printer);
    printer.setDocName(sheet.Title);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setOutputFileName(sPdfPath);
    }
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    if (dialog.exec() != QDialog::Accepted) {
        return true;
    }
    // A PDF chosen here is written as an export is: whole or not at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const QPageLayout layout = printer.pageLayout();
        return WritePdf(sheet, printer.outputFileName(), sError, &layout);
    }
    QPainter p(&printer);
    Paint(p, printer, sheet);
    return true;
}

void Preview(QWidget *owner, const Sheet &sheet) {
    QPrinter printer(QPrinter::HighResolution);
    SetDefaultPage(printer);
    printer.setDocName(sheet.Title);
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) {
        QPainter p(target);
        Paint(p, *target, sheet);
    });
    dialog.exec();
}

} // namespace sheetprinting
