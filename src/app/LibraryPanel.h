// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/LibraryIndex.h"
#include "library/SetPlayer.h"
#include "library/Setlist.h"

#include <QDockWidget>
#include <QThread>

#include <functional>
#include <vector>

class LibraryModel;
class LibraryWorker;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QTabWidget;
class QTreeView;

// The library side panel (表示 > ライブラリ): the songs under the library
// folders with a search as you type, and the setlists. The index lives on a
// worker thread; the panel only shows what it answers.
class LibraryPanel : public QDockWidget {
    Q_OBJECT

public:
    struct Hooks {
        // Plays songs from index (the library's list, or a setlist's); a
        // set starts at the song's top, a song opened from the list where
        // it was left.
        std::function<void(const std::vector<SetPlayer::Song> &, int, bool)> Play;
        // The sheet on screen, empty for none.
        std::function<QString()> CurrentSheet;
        // The capo and transposition on screen.
        std::function<std::pair<int, int>()> CurrentKey;
        // Writes songs as one songbook PDF, asking where.
        std::function<void(const std::vector<SetPlayer::Song> &, const QString &)> Songbook;
    };
    LibraryPanel(QWidget *parent, Hooks hooks, const QString &sDatabase,
                 const QString &sSetlistFolder);
    ~LibraryPanel() override;

    void SetFolders(const QStringList &folders);
    const QStringList &Folders() const { return m_folders; }
    // The setlist chosen in the panel (its name), empty for none.
    QString SetlistName() const;
    void ChooseSetlist(const QString &sName);
    // The library's list as it stands: the search's songs in the list's order.
    std::vector<SetPlayer::Song> ListedSongs() const;
    // The chosen setlist's songs, resolved; missing ones marked.
    std::vector<SetPlayer::Song> SetlistSongs() const;
    // A setlist file's songs, resolved against its folder and the library's.
    std::vector<SetPlayer::Song> SongsOf(const Setlist &list, const QString &sFolder) const;
    // Records that a sheet was opened (the list's 最後に開いた).
    void SongOpened(const QString &sPath);
    // Marks the song being played in the setlist's list.
    void ShowPlaying(const QString &sPath);
    // Checks the folders again (a sheet edited in place changes no folder).
    void Rescan();
    void FocusSearch();
    // The search field and the list, for tests and the keys.
    QLineEdit *SearchField() const { return m_search; }
    QTreeView *SongList() const { return m_list; }
    QListWidget *SetlistView() const { return m_setlistView; }
    bool Scanning() const { return m_scanning; }

signals:
    // The list shows a new answer (after a search or a scan).
    void ListChanged();
    void SetlistChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *BuildSongsTab();
    QWidget *BuildSetlistTab();
    void Search();
    void ShowCatalog(const QList<LibrarySong> &songs);
    void ShowFound(quint64 iSerial, const QList<qint64> &ids);
    void ShowProgress(int iDone, int iTotal);
    void OpenRow(int iRow);
    std::vector<int> SelectedRows() const;
    void SongMenu(const QPoint &at);
    QString TitleOf(const QString &sPath) const;

    // Setlists.
    QString SetlistPath(const QString &sName) const;
    void LoadSetlist();
    void SaveSetlist();
    void FillSetlistView();
    void ReloadSetlistNames(const QString &sSelect);
    void NewSetlist(const std::vector<QString> &paths = {});
    void RenameSetlist();
    void DeleteSetlist();
    void AddToSetlist(const QString &sName, const std::vector<QString> &paths);
    void MoveEntry(int iSteps);
    void RemoveEntry();
    void PlaySetlist(int iFrom);
    void SetEntryKey(bool bRecord);
    void SetlistMenu(const QPoint &at);
    void SongbookOfSetlist();

    Hooks m_hooks;
    QString m_setlistFolder;
    QStringList m_folders;
    QThread m_thread;
    LibraryWorker *m_worker = nullptr;
    class QFileSystemWatcher *m_watcher = nullptr;
    class QTimer *m_rescanSoon = nullptr;
    class QTimer *m_searchSoon = nullptr;
    quint64 m_serial = 0;
    quint64 m_answered = 0;       // the last search answered
    bool m_openWhenFound = false; // Enter pressed before the answer came
    bool m_scanning = false;

    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_search = nullptr;
    QTreeView *m_list = nullptr;
    LibraryModel *m_model = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_count = nullptr;

    QComboBox *m_setlistBox = nullptr;
    QListWidget *m_setlistView = nullptr;
    Setlist m_setlist;
    bool m_filling = false;
};
