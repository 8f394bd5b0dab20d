#include "app/SheetPrinting.h"

#include "platform/AtomicFile.h"
#include "score/ChordScore.h"
#include "score/ScorePrinter.h"

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

bool WritePdf(const ChordScore &score, bool bPageReturn, const QString &sTitle,
              const QString &sPath, QString &sError, const QPageLayout *layout) {
    const auto fail = [&](const QString &why) {
        sError = QStringLiteral("PDF ファイル \"%1\" に書き込めません。%2。").arg(sPath, why);
        return false;
    };
    // Those an export killed before its end left; never one being written now.
    AtomicFile::RemoveStale(sPath, PartialPdfSuffix, QDateTime::currentDateTime().addSecs(-60));
    // Written beside the old PDF and put in its place only when whole.
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
        scoreprinter::Print(p, writer, score, bPageReturn, sTitle);
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

bool PrintWithDialog(QWidget *owner, const ChordScore &score, bool bPageReturn,
                     const QString &sTitle, const QString &sPdfPath, QString &sError) {
    QPrinter printer(QPrinter::HighResolution);
    SetDefaultPage(printer);
    printer.setDocName(sTitle);
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
        return WritePdf(score, bPageReturn, sTitle, printer.outputFileName(), sError, &layout);
    }
    QPainter p(&printer);
    scoreprinter::Print(p, printer, score, bPageReturn, sTitle);
    return true;
}

void Preview(QWidget *owner, const ChordScore &score, bool bPageReturn, const QString &sTitle) {
    QPrinter printer(QPrinter::HighResolution);
    SetDefaultPage(printer);
    printer.setDocName(sTitle);
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) {
        QPainter p(target);
        scoreprinter::Print(p, *target, score, bPageReturn, sTitle);
    });
    dialog.exec();
}

} // namespace sheetprinting
