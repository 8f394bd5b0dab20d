// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMissingChords.h"

#include "app/frmChordScore.h"
#include "score/ChordScore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmMissingChords::frmMissingChords(frmChordScore *main)
    : QDialog(main, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                        Qt::CustomizeWindowHint),
      m_main(main) {
    setWindowTitle(QStringLiteral("辞書にないコード"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("押さえ方が辞書にないコード (カポ適用後):"), this));
    lstChords = new QListWidget(this);
    layout->addWidget(lstChords);
    auto *buttons = new QHBoxLayout;
    cmdAdd = new QPushButton(QStringLiteral("押さえ方を作って辞書に追加(&A)"), this);
    cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    buttons->addWidget(cmdAdd);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);
    connect(cmdAdd, &QPushButton::clicked, this, &frmMissingChords::cmdAdd_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(lstChords, &QListWidget::itemDoubleClicked, this, &frmMissingChords::cmdAdd_Click);
    resize(360, 300);
    FillList();
}

void frmMissingChords::ShowModal(frmChordScore *main) {
    frmMissingChords dialog(main);
    dialog.exec();
}

void frmMissingChords::FillList() {
    lstChords->clear();
    const QStringList names = m_main->chsChord()->MissingChords();
    lstChords->addItems(names);
    if (names.isEmpty()) {
        lstChords->addItem(QStringLiteral("(ありません: どのコードにも押さえ方があります)"));
        lstChords->setEnabled(false);
    } else {
        lstChords->setCurrentRow(0);
    }
    cmdAdd->setEnabled(!names.isEmpty());
}

void frmMissingChords::cmdAdd_Click() {
    const QListWidgetItem *item = lstChords->currentItem();
    if (!item || !lstChords->isEnabled()) {
        return;
    }
    m_main->AddChordToDictionary(item->text());
    FillList();
}
