// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class frmChordScore;
class QListWidget;
class QPushButton;

// The chord names of the open sheet, after the capo, that the dictionary has
// no fingering for; each can be added to the dictionary from here.
class frmMissingChords : public QDialog {
    Q_OBJECT

public:
    explicit frmMissingChords(frmChordScore *main);
    static void ShowModal(frmChordScore *main);

    QListWidget *lstChords = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void FillList();
    void cmdAdd_Click();

    frmChordScore *m_main;
};
