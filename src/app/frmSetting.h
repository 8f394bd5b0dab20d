// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <map>
#include <memory>

class Chord;
class ChordScore;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class frmChordScore;

// The settings dialog: fonts and colours of names and words, the fret-start
// rule, the tab width and the position file, on copies shown in a preview;
// OK hands them to the main window, Cancel drops them.
class frmSetting : public QDialog {
    Q_OBJECT

public:
    explicit frmSetting(frmChordScore *main);
    ~frmSetting() override;

    // Creates, places (200 twips right of and 750 below the main window's
    // corner) and runs the dialog modally.
    static void ShowModal(frmChordScore *main);

    ChordScore *chsChord() const { return m_chsChord; }
    QWidget *Picture1 = nullptr;
    QGroupBox *fraFont[2] = {};
    QPushButton *cmdFont[2] = {};
    QPushButton *cmdColor[4] = {};
    QCheckBox *chkAdjustFlatStart = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cboPositionIni = nullptr;
    QGroupBox *frmTabSize = nullptr;
    std::map<int, QRadioButton *> optTabSize; // 2, 4, 8
    QLabel *Label1 = nullptr;
    // The library's folders and page-turner mode.
    QGroupBox *fraLibrary = nullptr;
    QListWidget *lstLibraryFolders = nullptr;
    QPushButton *cmdAddFolder = nullptr;
    QPushButton *cmdRemoveFolder = nullptr;
    QGroupBox *fraPageTurner = nullptr;
    QCheckBox *chkPageTurner = nullptr;
    QCheckBox *chkPageTurnerFullScreen = nullptr;
    QLineEdit *txtNextKeys = nullptr;
    QLineEdit *txtBackKeys = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdOK = nullptr;

    static const QString SampleSheet;

private:
    void Form_Load();
    void FillPositionList();
    void chkAdjustFlatStart_Click();
    void cmdFont_Click(int index);
    void cmdColor_Click(int index);
    void cmdOK_Click();
    int32_t Color(int index) const;
    void SetColor(int index, int32_t lColor);

    frmChordScore *m_main;
    std::shared_ptr<Chord> m_chord;
    ChordScore *m_chsChord = nullptr;
};
