#include "app/SheetPrinting.h"

#include "score/ChordScore.h"
#include "score/ScorePrinter.h"

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
              const QString &sPath, QString &sError) {
    QPdfWriter writer(sPath);
    SetDefaultPage(writer);
    writer.setResolution(1200);
    writer.setTitle(sTitle);
    writer.setCreator(QStringLiteral("Tamblin"));
    QPainter p;
    if (!p.begin(&writer)) {
        sError = QStringLiteral("PDF ファイル \"%1\" に書き込めません。"
                                "フォルダーがあるか、書き込みが許されているかを確かめてください。")
                     .arg(sPath);
        return false;
    }
    scoreprinter::Print(p, writer, score, bPageReturn, sTitle);
    p.end();
    return true;
}

void PrintWithDialog(QWidget *owner, const ChordScore &score, bool bPageReturn,
                     const QString &sTitle, const QString &sPdfPath) {
    QPrinter printer(QPrinter::HighResolution);
    SetDefaultPage(printer);
    printer.setDocName(sTitle);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setOutputFileName(sPdfPath);
    }
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter p(&printer);
    scoreprinter::Print(p, printer, score, bPageReturn, sTitle);
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
