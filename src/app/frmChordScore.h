// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainWindowSettings.h"
#include "app/ScoreView.h"
#include "app/SheetPrinting.h"
#include "chords/PitchModel.h"
#include "library/SetPlayer.h"
#include "settings/SongMemory.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class ChordScore;
class ChordStripView;
class FileHistory;
class LibraryPanel;
class QAction;
class QLabel;
class QMenu;
class QMimeData;
class ReadingControls;
class QScrollBar;
class QTimer;

// The main window: the score in a white viewport with two scroll bars, the
// menus, the keys, and the settings it restores at load and writes at close.
// Lengths are twips (15 a pixel); scroll bar values count 10 twips.
class frmChordScore : public QMainWindow {
    Q_OBJECT

public:
    // Loads the window's state from the settings file; a value that does not
    // convert raises the settings store's error.
    frmChordScore();
    ~frmChordScore() override;

    void Form_Resize();
    void ClickPopupMenu();
    // The score's rebuild brackets; they nest, counted.
    void chsChord_DrawStart();
    void chsChord_DrawEnd();

    // The window is busy while one of these lives: commands off, the score
    // not painted. Scopes nest; leaving one, by return or by an exception,
    // closes every bracket opened inside it (a rebuild that failed half-way
    // sends no end of its own).
    class BusyScope {
    public:
        explicit BusyScope(frmChordScore &window);
        ~BusyScope();
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

    private:
        frmChordScore &m_window;
        int m_depth;
    };
    // Loads sIniFile beside the program into a scratch dictionary first, so
    // a faulty file leaves the one in use as it was.
    void ReloadPositionIni(const QString &sIniFile);
    // Opens a sheet as a drop does (the command line, a second start); a file
    // that cannot be read is reported and the sheet on screen stays.
    void OpenChordFile(const QString &sPath);
    // Finds fingerings for a chord the dictionary lacks, appends them to the
    // position file in use and reloads it; a failure is shown in a message.
    void AddChordToDictionary(const QString &sChordName);

    // What tests and the dialogs look at.
    ChordScore *chsChord() const { return m_view->chsChord(); }
    QWidget *picView() const { return m_view->picView(); }
    QScrollBar *hsbScore() const { return m_view->hsbScore(); }
    QScrollBar *vsbScore() const { return m_view->vsbScore(); }
    QTimer *tmrCheckResize() const { return m_tmrCheckResize; }
    FileHistory *History() const { return m_history.get(); }
    const QString &PreOpenedDir() const { return m_preOpenedDir; }
    bool Busy() const { return m_busyDepth > 0; }
    // The capo set (the score's; its menu item shows it), -1 if none.
    int16_t CheckedCapo() const;
    bool PageReturn() const;
    int Zoom() const;
    // Zooms to a step, keeping the part of the sheet in view.
    void SetZoom(int iPercent);
    int16_t FirstVisibleCell() const { return m_view->FirstVisibleCell(); }
    // Zoom, auto-scroll and full screen, with their menu items.
    ReadingControls *Reading() const { return m_reading; }
    // Writes the sheet on screen as a PDF; a failure is shown in a message.
    bool ExportPdf(const QString &sPath);
    // Opens sSheet and writes it as a PDF, as the command line's --pdf:
    // at the sheet's own capo unless iCapo is 0 to 9, at its own
    // transposition unless bTranspose (then iTranspose); no remembered song
    // is used. False, with the message shown, when the sheet cannot be read
    // or the PDF written.
    bool ExportSheetPdf(const QString &sSheet, const QString &sPdf, int iCapo, bool bTranspose,
                        int iTranspose);
    // What the footer of a printed page names: the file, or the pasted text.
    QString PrintTitle() const;
    // The score as the print layout chosen puts it on paper.
    sheetprinting::Sheet PrintSheet() const;
    // Rates the capos for the sheet on screen and marks the easiest.
    void UpdateCapoAdvice();
    int16_t EasiestCapo() const { return m_easiestCapo; }
    // Each sheet as it was last played: capo, transposition, zoom, place,
    // fingerings.
    const SongMemory &Songs() const { return m_songs; }
    // Sets the capo (0 to 9) and shows it in the menu.
    void SetCapo(int16_t iCapo);
    // Moves the song by semitones (-11 to 11) apart from the capo.
    // Writes every setting as a close does, in one commit; a settings file
    // that cannot be written is said once a session (bTell: in a message
    // box, else on stderr). False when not written.
    bool SaveSettings(bool bTell);
    // For a signal or the end of the session: the settings as a close
    // writes them (once; not again after the close), then, for SaveAndQuit,
    // the event loops end.
    void SaveAtExit();
    void SaveAndQuit();
    // Shows the window as it was left: maximized or at its size.
    void ShowFirst();
    // 表示 > コード一覧, as the menu item sets it.
    void SetStripShown(bool bOn);
    void SetTranspose(int16_t iSteps);
    void SetSpelling(PitchModel::Spelling spelling);
    // What the right end of the menu bar says of the song.
    QString StatusText() const;
    // The sheet file on screen, empty for a pasted text.
    const QString &SheetPath() const { return m_sheetPath; }

    // The library: its folders, its panel (made when first shown or when
    // folders are set), the list being played.
    const QStringList &LibraryFolders() const { return m_libraryFolders; }
    void SetLibraryFolders(const QStringList &folders);
    LibraryPanel *Library() const { return m_library; }
    void ShowLibrary(bool bOn);
    const SetPlayer &Player() const { return m_player; }
    // Plays songs from iIndex: each opens with the entry's capo and
    // transposition, else as remembered; the first at its top when
    // bFromTop, the next ones always (the place left is most often the end).
    void Play(const std::vector<SetPlayer::Song> &songs, int iIndex, bool bFromTop);
    // 次の曲 (1) and 前の曲 (-1): in the list being played, else in the
    // library's list. False at the end of it.
    bool StepSong(int iSteps);
    // Page-turner mode: the keys a pedal sends turn pages and, at the end
    // of a song, go to the next.
    struct PageTurnerSettings {
        bool On = false;
        bool InFullScreen = false; // on whenever the window is full screen
        QString NextKeys = QStringLiteral("PgDown, Right, Down");
        QString BackKeys = QStringLiteral("PgUp, Left, Up");
    };
    const PageTurnerSettings &PageTurner() const { return m_pageTurner; }
    void SetPageTurner(const PageTurnerSettings &settings);
    bool PageTurnerActive() const;
    // Opens each song and writes them all as one PDF after a table of
    // contents; false with the message shown when it could not be written.
    bool ExportSongbook(const std::vector<SetPlayer::Song> &songs, const QString &sPdf,
                        const QString &sTitle);
    // The command line's --songbook: a setlist file's songs.
    bool ExportSetlistSongbook(const QString &sSetlist, const QString &sPdf);

    QAction *mnuFile_Open = nullptr;
    QAction *mnuFile_Print = nullptr;
    QAction *mnuFile_Preview = nullptr;
    QAction *mnuFile_Pdf = nullptr;
    std::vector<QAction *> mnuFile_File; // 1..9, 0 unused
    QAction *mnuFile_Dummy2 = nullptr;
    QAction *mnuFile_Dummy3 = nullptr;
    QAction *mnuFile_Exit = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuEdit_Paste = nullptr;
    std::vector<QAction *> mnuVisible_State; // 1..3, 0 unused
    QMenu *mnuVisible_Capo = nullptr;
    std::vector<QAction *> mnuVisible_CapoFlat; // 0..9
    QAction *mnuVisible_CapoEasiest = nullptr; // "★ カポ 3 (かんたん)"; hidden without a sheet
    QMenu *mnuVisible_Transpose = nullptr;
    QAction *mnuVisible_TransposeUp = nullptr;    // Ctrl+]
    QAction *mnuVisible_TransposeDown = nullptr;  // Ctrl+[
    QAction *mnuVisible_TransposeReset = nullptr; // 原曲キー
    std::vector<QAction *> mnuVisible_Spelling;   // ♯, ♭, 調に合わせる
    QAction *mnuVisible_Missing = nullptr;
    QAction *mnuVisible_Page = nullptr;
    QAction *mnuVisible_Strip = nullptr;
    QAction *mnuVisible_Library = nullptr;  // F9
    QAction *mnuVisible_NextSong = nullptr; // Ctrl+Tab
    QAction *mnuVisible_PrevSong = nullptr; // Ctrl+Shift+Tab
    QAction *mnuVisible_PageTurner = nullptr;
    // 0 as on screen, 1 as a songbook.
    std::vector<QAction *> mnuFile_Layout;
    QAction *mnuHelp_Setting = nullptr;
    QAction *mnuHelp_Version = nullptr;
    // The score's paste item, which every pop-up menu shows.
    QAction *mnuPopup_Paste = nullptr;

    // Long songs: the window takes sheets of up to this many cells (the
    // score's own default stays lower).
    static constexpr int16_t MaxCells = 5000;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenu();
    void BuildVisibleMenu();
    void BuildCapoMenu(QMenu *visible);
    void BuildKeyMenus(QMenu *visible);
    void UpdateStatus();
    // The capo menu's check and the status as the score's capo stands.
    void ShowCapo();
    // What is remembered of the sheet on screen, before another replaces it
    // and at close.
    void RememberSong();
    // The capo and transposition a sheet starts at: remembered, else its own.
    void StartSheet(PitchModel &pitch, int &zoom) const;
    void BuildHelpMenu();
    void Form_Load();
    // The values the settings file keeps, as they stand now.
    MainWindowSettings CurrentSettings() const;

    // Builds the score anew (build reads a file or a text), from the top;
    // then takes the capo a ChordPro sheet asks for. Errors are shown.
    void ShowSheet(const std::function<void()> &build, const QString &sPath = QString());
    void PasteText();
    void OpenDroppedFile(const QMimeData *Data);
    void BeginDraw();
    void EndDraw();
    void EnableCommands(bool bEnabled);

    // Key preview: true when the key was one of the window's own.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode);
    void LayoutView();
    // The chord strip shown or hidden, and brought up to the score.
    void ShowStrip(bool bOn);
    void FollowStrip();
    void tmrCheckResize_Timer();

    void mnuFile_Open_Click();
    void mnuFile_File_Click(int16_t i);
    void mnuEdit_Open();
    void mnuVisible_Page_Click();

    ScoreView *m_view = nullptr;
    ChordStripView *m_strip = nullptr;
    // Starts the timer that writes the settings a little later.
    void SaveSoon();
    static constexpr int kSaveSoonMs = 2000;
    QTimer *m_saveSoon = nullptr;
    bool m_closed = false; // the settings were written at the close
    bool m_saveFailureTold = false;
    bool m_startMaximized = false;
    // Tab, Shift+Tab, Enter, Shift+F10 and the menu key on the score's cells.
    bool CellKey(int key, Qt::KeyboardModifiers modifiers);
    ChordScore *m_chsChord = nullptr; // the view's
    QTimer *m_tmrCheckResize = nullptr;
    std::unique_ptr<FileHistory> m_history;
    QString m_preOpenedDir;
    int m_busyDepth = 0;
    bool m_loaded = false;
    ReadingControls *m_reading = nullptr;
    SongMemory m_songs;
    QString m_sheetPath;
    QString m_pendingPath;  // the sheet being opened, for its start state
    bool m_useSongs = true; // false while exporting for the command line
    QLabel *m_status = nullptr;
    int16_t m_easiestCapo = -1;

    // The page a page-turner key asks for; false for other keys.
    bool PageTurnerKey(int key, Qt::KeyboardModifiers modifiers);
    // The left edges of the page columns in 改ページ (pixels), empty otherwise.
    std::vector<int> PageColumnStarts() const;
    void PlayCurrent(bool bFromTop = true);
    void MakeLibrary();
    void AskSongbook(const std::vector<SetPlayer::Song> &songs, const QString &sName);
    QStringList m_libraryFolders;
    QString m_setlistName;
    LibraryPanel *m_library = nullptr;
    SetPlayer m_player;
    PageTurnerSettings m_pageTurner;
    int m_libraryArea = 2;
    int m_libraryWidth = 320;
    bool m_libraryShown = false;
    bool m_printing = false; // songs are being loaded for a songbook
    bool m_playing = false;  // a song of a set is being opened
};
