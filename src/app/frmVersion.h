// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class frmChordScore;

// The About box: name, version, legal notice, credits, the web page and one
// line of run-time information.
class frmVersion : public QDialog {
    Q_OBJECT

public:
    explicit frmVersion(QWidget *parent);

    // Centred over the main window, with the number of chord cells, modal.
    static void ShowModal(frmChordScore *main);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblCopyRight = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *lblUrl = nullptr;
    QPlainTextEdit *txtInfo = nullptr;
    QPushButton *cmdOK = nullptr;

    static const QString Url;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void lblUrl_Click();
};
