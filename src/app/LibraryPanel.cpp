// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LibraryPanel.h"

#include "library/LibraryWorker.h"
#include "platform/AppError.h"
#include "platform/Directory.h"
#include "platform/MessageBox.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

// The songs the search found, in the order the list is sorted by.
class LibraryModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetCatalog(const QList<LibrarySong> &songs) {
        m_catalog = songs;
        m_byId.clear();
        m_byPath.clear();
        m_keys.clear();
        m_keys.reserve(static_cast<size_t>(m_catalog.size()));
        // Sort keys made once: sorting compares bytes, not strings by locale.
        QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        for (int i = 0; i < m_catalog.size(); ++i) {
            const LibrarySong &s = m_catalog[i];
            m_byId.insert(s.Id, i);
            m_byPath.insert(s.Path, i);
            m_keys.push_back(
                {collator.sortKey(s.Title), collator.sortKey(s.Artist), collator.sortKey(s.Key)});
        }
    }
    // Every song of the catalog when ids is null.
    void Show(const QList<qint64> *ids) {
        beginResetModel();
        m_rows.clear();
        if (!ids) {
            m_rows.resize(m_catalog.size());
            std::iota(m_rows.begin(), m_rows.end(), 0);
        } else {
            for (qint64 id : *ids) {
                const auto it = m_byId.constFind(id);
                if (it != m_byId.constEnd()) {
                    m_rows.push_back(*it);
                }
            }
        }
        Sort();
        endResetModel();
    }
    // A song just opened: its date, without a new catalog.
    void SetOpened(const QString &sPath, qint64 iWhen) {
        const auto it = m_byPath.constFind(sPath);
        if (it == m_byPath.constEnd()) {
            return;
        }
        m_catalog[*it].Opened = iWhen;
        const auto row = std::find(m_rows.begin(), m_rows.end(), *it);
        if (row != m_rows.end()) {
            const int r = static_cast<int>(row - m_rows.begin());
            emit dataChanged(index(r, 3), index(r, 3));
        }
    }
    const LibrarySong &Song(int iRow) const { return m_catalog[m_rows[static_cast<size_t>(iRow)]]; }
    const LibrarySong *ByPath(const QString &sPath) const {
        const auto it = m_byPath.constFind(sPath);
        return it == m_byPath.constEnd() ? nullptr : &m_catalog[*it];
    }
    int CatalogSize() const { return static_cast<int>(m_catalog.size()); }

    int rowCount(const QModelIndex &parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const LibrarySong &s = Song(index.row());
        if (role == Qt::ToolTipRole) {
            return s.Path;
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        switch (index.column()) {
        case 0:
            return s.Title.isEmpty() ? QFileInfo(s.Path).fileName() : s.Title;
        case 1:
            return s.Artist;
        case 2:
            return s.Key;
        default:
            return s.Opened == 0 ? QString()
                                 : QDateTime::fromSecsSinceEpoch(s.Opened).toString(
                                       QStringLiteral("yyyy-MM-dd HH:mm"));
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        const char *names[] = {"曲名", "アーティスト", "キー", "最後に開いた"};
        return QString::fromUtf8(names[section]);
    }
    void sort(int column, Qt::SortOrder order) override {
        m_column = column;
        m_order = order;
        beginResetModel();
        Sort();
        endResetModel();
    }

private:
    void Sort() {
        const auto text = [this](int i) -> const QCollatorSortKey & {
            const Keys &k = m_keys[static_cast<size_t>(i)];
            return m_column == 1 ? k.Artist : m_column == 2 ? k.Key : k.Title;
        };
        std::stable_sort(m_rows.begin(), m_rows.end(), [&](int a, int b) {
            if (m_column == 3) {
                const qint64 x = m_catalog[a].Opened;
                const qint64 y = m_catalog[b].Opened;
                return m_order == Qt::AscendingOrder ? x < y : x > y;
            }
            const int c = text(a).compare(text(b));
            return m_order == Qt::AscendingOrder ? c < 0 : c > 0;
        });
    }

    struct Keys {
        QCollatorSortKey Title;
        QCollatorSortKey Artist;
        QCollatorSortKey Key;
    };
    QList<LibrarySong> m_catalog;
    std::vector<Keys> m_keys;
    QHash<qint64, int> m_byId;
    QHash<QString, int> m_byPath;
    std::vector<int> m_rows;
    int m_column = 0;
    Qt::SortOrder m_order = Qt::AscendingOrder;
};

LibraryPanel::LibraryPanel(QWidget *parent, Hooks hooks, const QString &sDatabase,
                           const QString &sSetlistFolder)
    : QDockWidget(QStringLiteral("ライブラリ"), parent), m_hooks(std::move(hooks)),
      m_setlistFolder(sSetlistFolder) {
    setObjectName(QStringLiteral("LibraryPanel"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    // Docked on either side, where its place and width are kept.
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(BuildSongsTab(), QStringLiteral("曲(&1)"));
    m_tabs->addTab(BuildSetlistTab(), QStringLiteral("セットリスト(&2)"));
    setWidget(m_tabs);

    // The index on its own thread: the window never waits for a scan.
    m_worker = new LibraryWorker(sDatabase);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &LibraryWorker::Catalog, this, &LibraryPanel::ShowCatalog);
    connect(m_worker, &LibraryWorker::Found, this, &LibraryPanel::ShowFound);
    connect(m_worker, &LibraryWorker::Progress, this, &LibraryPanel::ShowProgress);
    connect(m_worker, &LibraryWorker::Told, this,
            [this](const QString &message) { msgbox::ShowError(window(), message); });
    // Files added, changed or removed under the folders: a quick rescan,
    // once the burst of changes is over.
    m_watcher = new QFileSystemWatcher(this);
    m_rescanSoon = new QTimer(this);
    m_rescanSoon->setSingleShot(true);
    m_rescanSoon->setInterval(400);
    connect(m_rescanSoon, &QTimer::timeout, this, [this] {
        QMetaObject::invokeMethod(m_worker, &LibraryWorker::Rescan, Qt::QueuedConnection);
    });
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_rescanSoon,
            qOverload<>(&QTimer::start));
    connect(m_worker, &LibraryWorker::Watch, this, [this](const QStringList &folders) {
        const QStringList watched = m_watcher->directories();
        const QSet<QString> old(watched.begin(), watched.end());
        const QSet<QString> now(folders.begin(), folders.end());
        const QSet<QString> gone = old - now;
        const QSet<QString> added = now - old;
        if (!gone.isEmpty()) {
            m_watcher->removePaths(QStringList(gone.begin(), gone.end()));
        }
        if (!added.isEmpty()) {
            m_watcher->addPaths(QStringList(added.begin(), added.end()));
        }
    });
    // A sheet edited in place changes no folder: checked now and then.
    auto *now = new QTimer(this);
    now->setInterval(30000);
    connect(now, &QTimer::timeout, this, [this] {
        if (window()->isActiveWindow()) {
            m_rescanSoon->start();
        }
    });
    now->start();
    m_thread.setObjectName(QStringLiteral("library"));
    m_thread.start(QThread::LowPriority);
    ReloadSetlistNames(QString());
}

LibraryPanel::~LibraryPanel() {
    m_thread.quit();
    m_thread.wait();
}

QWidget *LibraryPanel::BuildSongsTab() {
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    m_search = new QLineEdit(page);
    m_search->setPlaceholderText(
        QStringLiteral("検索: 曲名・アーティスト・歌詞・コード  key:G  capo:2"));
    m_search->setClearButtonEnabled(true);
    m_search->setAccessibleName(QStringLiteral("ライブラリの検索"));
    m_search->installEventFilter(this);
    m_searchSoon = new QTimer(this);
    m_searchSoon->setSingleShot(true);
    m_searchSoon->setInterval(60);
    connect(m_searchSoon, &QTimer::timeout, this, &LibraryPanel::Search);
    connect(m_search, &QLineEdit::textChanged, m_searchSoon, qOverload<>(&QTimer::start));
    column->addWidget(m_search);

    m_model = new LibraryModel(this);
    m_list = new QTreeView(page);
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(0, Qt::AscendingOrder);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setAccessibleName(QStringLiteral("ライブラリの曲"));
    // Title and artist share the width; key and date take what they need.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    m_list->installEventFilter(this);
    connect(m_list, &QTreeView::doubleClicked, this,
            [this](const QModelIndex &index) { OpenRow(index.row()); });
    connect(m_list, &QTreeView::customContextMenuRequested, this, &LibraryPanel::SongMenu);
    column->addWidget(m_list, 1);

    auto *foot = new QHBoxLayout;
    m_count = new QLabel(page);
    m_progress = new QProgressBar(page);
    m_progress->setFormat(QStringLiteral("読み込み中 %v / %m"));
    m_progress->hide();
    foot->addWidget(m_count);
    foot->addWidget(m_progress, 1);
    column->addLayout(foot);
    return page;
}

QWidget *LibraryPanel::BuildSetlistTab() {
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    auto *top = new QHBoxLayout;
    m_setlistBox = new QComboBox(page);
    m_setlistBox->setAccessibleName(QStringLiteral("セットリスト"));
    connect(m_setlistBox, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling) {
            LoadSetlist();
        }
    });
    top->addWidget(m_setlistBox, 1);
    const auto button = [page](const QString &text, const QString &tip) {
        auto *b = new QToolButton(page);
        b->setText(text);
        b->setToolTip(tip);
        b->setAccessibleName(tip);
        return b;
    };
    QToolButton *add = button(QStringLiteral("新規"), QStringLiteral("新しいセットリスト"));
    QToolButton *rename = button(QStringLiteral("名前"), QStringLiteral("名前を変える"));
    QToolButton *remove = button(QStringLiteral("削除"), QStringLiteral("セットリストを削除"));
    connect(add, &QToolButton::clicked, this, [this] { NewSetlist(); });
    connect(rename, &QToolButton::clicked, this, &LibraryPanel::RenameSetlist);
    connect(remove, &QToolButton::clicked, this, &LibraryPanel::DeleteSetlist);
    top->addWidget(add);
    top->addWidget(rename);
    top->addWidget(remove);
    column->addLayout(top);

    m_setlistView = new QListWidget(page);
    m_setlistView->setDragDropMode(QAbstractItemView::InternalMove);
    m_setlistView->setDefaultDropAction(Qt::MoveAction);
    m_setlistView->setContextMenuPolicy(Qt::CustomContextMenu);
    m_setlistView->setAccessibleName(QStringLiteral("セットリストの曲"));
    m_setlistView->installEventFilter(this);
    connect(m_setlistView, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { PlaySetlist(m_setlistView->row(item)); });
    connect(m_setlistView, &QListWidget::customContextMenuRequested, this,
            &LibraryPanel::SetlistMenu);
    // A drag reorders the items; the file follows their new order.
    connect(m_setlistView->model(), &QAbstractItemModel::rowsMoved, this, [this] {
        if (m_filling) {
            return;
        }
        Setlist reordered = m_setlist;
        for (int to = 0; to < m_setlistView->count(); ++to) {
            const int from = m_setlistView->item(to)->data(Qt::UserRole).toInt();
            reordered.At(to) = m_setlist.At(from);
        }
        m_setlist = reordered;
        SaveSetlist();
        FillSetlistView();
    });
    column->addWidget(m_setlistView, 1);

    auto *bottom = new QHBoxLayout;
    QToolButton *up = button(QStringLiteral("↑"), QStringLiteral("上へ (Alt+↑)"));
    QToolButton *down = button(QStringLiteral("↓"), QStringLiteral("下へ (Alt+↓)"));
    QToolButton *drop =
        button(QStringLiteral("外す"), QStringLiteral("セットリストから外す (Delete)"));
    QToolButton *current = button(QStringLiteral("今の曲を追加"), QStringLiteral("今の曲を追加"));
    connect(up, &QToolButton::clicked, this, [this] { MoveEntry(-1); });
    connect(down, &QToolButton::clicked, this, [this] { MoveEntry(1); });
    connect(drop, &QToolButton::clicked, this, &LibraryPanel::RemoveEntry);
    connect(current, &QToolButton::clicked, this, [this] {
        const QString sheet = m_hooks.CurrentSheet();
        if (!sheet.isEmpty()) {
            AddToSetlist(SetlistName(), {sheet});
        }
    });
    for (QToolButton *b : {up, down, drop, current}) {
        bottom->addWidget(b);
    }
    bottom->addStretch(1);
    column->addLayout(bottom);
    auto *play = new QHBoxLayout;
    auto *start = new QPushButton(QStringLiteral("演奏する(&P)"), page);
    auto *book = new QPushButton(QStringLiteral("歌本 PDF(&B)..."), page);
    connect(start, &QPushButton::clicked, this,
            [this] { PlaySetlist(std::max(0, m_setlistView->currentRow())); });
    connect(book, &QPushButton::clicked, this, &LibraryPanel::SongbookOfSetlist);
    play->addWidget(start);
    play->addWidget(book);
    column->addLayout(play);
    return page;
}

// --- the songs ---

void LibraryPanel::SetFolders(const QStringList &folders) {
    m_folders = folders;
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker, folders] { w->SetFolders(folders); }, Qt::QueuedConnection);
}

void LibraryPanel::Search() {
    m_searchSoon->stop();
    const QString text = m_search->text().trimmed();
    const quint64 serial = ++m_serial;
    if (text.isEmpty()) {
        m_answered = serial;
        m_model->Show(nullptr);
        m_count->setText(QStringLiteral("%1 曲").arg(m_model->rowCount({})));
        emit ListChanged();
        return;
    }
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker, serial, text] { w->Search(serial, text); }, Qt::QueuedConnection);
}

void LibraryPanel::ShowCatalog(const QList<LibrarySong> &songs) {
    const QString current = m_list->currentIndex().isValid()
                                ? m_model->Song(m_list->currentIndex().row()).Path
                                : QString();
    m_model->SetCatalog(songs);
    Search();
    // The song that was current stays current.
    for (int r = 0; r < m_model->rowCount({}) && !current.isEmpty(); ++r) {
        if (m_model->Song(r).Path == current) {
            m_list->setCurrentIndex(m_model->index(r, 0));
            break;
        }
    }
    FillSetlistView(); // titles may have come in
}

void LibraryPanel::ShowFound(quint64 iSerial, const QList<qint64> &ids) {
    if (iSerial != m_serial) {
        return; // an answer to a query typed over since
    }
    m_answered = iSerial;
    m_model->Show(&ids);
    m_count->setText(QStringLiteral("%1 / %2 曲").arg(ids.size()).arg(m_model->CatalogSize()));
    if (m_model->rowCount({}) > 0) {
        m_list->setCurrentIndex(m_model->index(0, 0));
    }
    emit ListChanged();
    if (m_openWhenFound) {
        m_openWhenFound = false;
        OpenRow(0);
    }
}

void LibraryPanel::ShowProgress(int iDone, int iTotal) {
    m_scanning = iTotal > 0;
    m_progress->setVisible(m_scanning);
    if (m_scanning) {
        m_progress->setRange(0, iTotal);
        m_progress->setValue(iDone);
    }
}

std::vector<SetPlayer::Song> LibraryPanel::ListedSongs() const {
    std::vector<SetPlayer::Song> songs;
    songs.reserve(static_cast<size_t>(m_model->rowCount({})));
    for (int r = 0; r < m_model->rowCount({}); ++r) {
        const LibrarySong &s = m_model->Song(r);
        songs.push_back({s.Path, s.Title, -1, false, 0, false});
    }
    return songs;
}

void LibraryPanel::OpenRow(int iRow) {
    if (iRow >= 0 && iRow < m_model->rowCount({})) {
        m_hooks.Play(ListedSongs(), iRow, false);
    }
}

std::vector<int> LibraryPanel::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex &i : m_list->selectionModel()->selectedRows()) {
        rows.push_back(i.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void LibraryPanel::SongOpened(const QString &sPath) {
    // Kept for any sheet: one outside the library now may be in it later.
    m_model->SetOpened(sPath, QDateTime::currentSecsSinceEpoch());
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker, sPath] { w->MarkOpened(sPath); }, Qt::QueuedConnection);
}

void LibraryPanel::ShowPlaying(const QString &sPath) {
    for (int i = 0; i < m_setlistView->count(); ++i) {
        if (m_setlistView->item(i)->toolTip() == sPath) {
            m_setlistView->setCurrentRow(i);
            return;
        }
    }
}

void LibraryPanel::Rescan() {
    m_rescanSoon->start();
}

void LibraryPanel::FocusSearch() {
    m_tabs->setCurrentIndex(0);
    m_search->setFocus(Qt::ShortcutFocusReason);
    m_search->selectAll();
}

QString LibraryPanel::TitleOf(const QString &sPath) const {
    const LibrarySong *s = m_model->ByPath(sPath);
    return s && !s->Title.isEmpty() ? s->Title : QFileInfo(sPath).completeBaseName();
}

void LibraryPanel::SongMenu(const QPoint &at) {
    const QModelIndex index = m_list->indexAt(at);
    if (!index.isValid()) {
        return;
    }
    std::vector<QString> paths;
    for (int r : SelectedRows()) {
        paths.push_back(m_model->Song(r).Path);
    }
    if (paths.empty()) {
        paths.push_back(m_model->Song(index.row()).Path);
    }
    QMenu menu(this);
    menu.addAction(QStringLiteral("開く(&O)"), this, [this, index] { OpenRow(index.row()); });
    QMenu *add = menu.addMenu(QStringLiteral("セットリストに追加(&A)"));
    for (const QString &name : Setlist::Names(m_setlistFolder)) {
        add->addAction(name, this, [this, name, paths] { AddToSetlist(name, paths); });
    }
    add->addSeparator();
    add->addAction(QStringLiteral("新しいセットリスト(&N)..."), this,
                   [this, paths] { NewSetlist(paths); });
    menu.addAction(QStringLiteral("フォルダーを開く(&F)"), this, [this, index] {
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(QFileInfo(m_model->Song(index.row()).Path).absolutePath()));
    });
    menu.addSeparator();
    menu.addAction(QStringLiteral("選んだ曲を歌本 PDF に(&B)..."), this, [this, paths] {
        std::vector<SetPlayer::Song> songs;
        songs.reserve(paths.size());
        for (const QString &p : paths) {
            songs.push_back({p, TitleOf(p), -1, false, 0, false});
        }
        m_hooks.Songbook(songs, QStringLiteral("歌本"));
    });
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

bool LibraryPanel::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress) {
        return QDockWidget::eventFilter(watched, event);
    }
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == m_search) {
        if (key->key() == Qt::Key_Down && m_model->rowCount({}) > 0) {
            m_list->setFocus(Qt::TabFocusReason);
            if (!m_list->currentIndex().isValid()) {
                m_list->setCurrentIndex(m_model->index(0, 0));
            }
            return true;
        }
        if (enter) {
            // The first song of what was typed: opened when its answer comes.
            if (m_searchSoon->isActive()) {
                Search();
            }
            if (m_answered != m_serial) {
                m_openWhenFound = true;
            } else {
                const QModelIndex current = m_list->currentIndex();
                OpenRow(current.isValid() ? current.row() : 0);
            }
            return true;
        }
    } else if (watched == m_list && enter) {
        OpenRow(m_list->currentIndex().row());
        return true;
    } else if (watched == m_setlistView) {
        const bool alt = key->modifiers() & Qt::AltModifier;
        if (enter) {
            PlaySetlist(std::max(0, m_setlistView->currentRow()));
            return true;
        }
        if (alt && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            MoveEntry(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            RemoveEntry();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

// --- setlists ---

QString LibraryPanel::SetlistPath(const QString &sName) const {
    return m_setlistFolder + u'/' + sName + QString::fromLatin1(Setlist::Suffix);
}

QString LibraryPanel::SetlistName() const {
    return m_setlistBox->currentText();
}

void LibraryPanel::ChooseSetlist(const QString &sName) {
    ReloadSetlistNames(sName);
}

void LibraryPanel::ReloadSetlistNames(const QString &sSelect) {
    m_filling = true;
    m_setlistBox->clear();
    m_setlistBox->addItems(Setlist::Names(m_setlistFolder));
    const int at = m_setlistBox->findText(sSelect);
    m_setlistBox->setCurrentIndex(at >= 0 ? at : 0);
    m_filling = false;
    LoadSetlist();
}

void LibraryPanel::LoadSetlist() {
    m_setlist = Setlist();
    const QString name = SetlistName();
    if (!name.isEmpty()) {
        try {
            m_setlist = Setlist::Load(SetlistPath(name));
        } catch (const AppError &e) {
            msgbox::ShowError(window(), e.Description());
        }
    }
    FillSetlistView();
    emit SetlistChanged();
}

void LibraryPanel::SaveSetlist() {
    const QString why = m_setlist.Save(SetlistPath(SetlistName()));
    if (!why.isEmpty()) {
        msgbox::ShowError(window(), QStringLiteral("セットリスト \"%1\" に書き込めません。%2。")
                                        .arg(SetlistPath(SetlistName()), why));
    }
}

std::vector<SetPlayer::Song> LibraryPanel::SongsOf(const Setlist &list,
                                                   const QString &sFolder) const {
    std::vector<SetPlayer::Song> songs;
    for (int i = 0; i < list.Count(); ++i) {
        const Setlist::Entry &e = list.At(i);
        const QString path = Setlist::Resolve(e.Path, sFolder, m_folders, directory::Exists);
        songs.push_back(
            {path, TitleOf(path), e.Capo, e.HasTranspose, e.Transpose, !directory::Exists(path)});
    }
    return songs;
}

std::vector<SetPlayer::Song> LibraryPanel::SetlistSongs() const {
    return SongsOf(m_setlist, m_setlistFolder);
}

void LibraryPanel::FillSetlistView() {
    const int current = m_setlistView->currentRow();
    m_filling = true;
    m_setlistView->clear();
    const std::vector<SetPlayer::Song> songs = SetlistSongs();
    for (size_t i = 0; i < songs.size(); ++i) {
        const SetPlayer::Song &s = songs[i];
        QString text = QStringLiteral("%1. %2").arg(i + 1).arg(s.Title);
        QStringList options;
        if (s.Capo >= 0) {
            options << QStringLiteral("カポ %1").arg(s.Capo);
        }
        if (s.HasTranspose) {
            options << QStringLiteral("移調 %1").arg(s.Transpose);
        }
        if (!options.isEmpty()) {
            text += QStringLiteral("  [") + options.join(QStringLiteral(", ")) + u']';
        }
        if (s.Missing) {
            text = QStringLiteral("%1. ⚠ %2 (見つかりません)")
                       .arg(i + 1)
                       .arg(m_setlist.At(int(i)).Path);
        }
        auto *item = new QListWidgetItem(text, m_setlistView);
        item->setData(Qt::UserRole, static_cast<int>(i));
        item->setToolTip(s.Path);
        if (s.Missing) {
            item->setForeground(Qt::darkRed);
        }
    }
    if (m_setlistView->count() > 0) {
        m_setlistView->setCurrentRow(std::clamp(current, 0, m_setlistView->count() - 1));
    }
    m_filling = false;
}

void LibraryPanel::NewSetlist(const std::vector<QString> &paths) {
    bool ok = false;
    const QString name =
        QInputDialog::getText(window(), QStringLiteral("新しいセットリスト"),
                              QStringLiteral("名前:"), QLineEdit::Normal, QString(), &ok)
            .trimmed();
    if (!ok || name.isEmpty()) {
        return;
    }
    if (name.contains(u'/') || name.startsWith(u'.')) {
        msgbox::ShowError(window(), QStringLiteral("セットリストの名前に \"/\" や先頭の \".\" "
                                                   "は使えません。"));
        return;
    }
    if (directory::Exists(SetlistPath(name))) {
        msgbox::ShowError(window(),
                          QStringLiteral("セットリスト \"%1\" はもうあります。").arg(name));
        return;
    }
    const QString why = Setlist().Save(SetlistPath(name));
    if (!why.isEmpty()) {
        msgbox::ShowError(window(), QStringLiteral("セットリスト \"%1\" に書き込めません。%2。")
                                        .arg(SetlistPath(name), why));
        return;
    }
    ReloadSetlistNames(name);
    if (!paths.empty()) {
        AddToSetlist(name, paths);
    }
    m_tabs->setCurrentIndex(1);
}

void LibraryPanel::RenameSetlist() {
    const QString old = SetlistName();
    if (old.isEmpty()) {
        return;
    }
    bool ok = false;
    const QString name = QInputDialog::getText(window(), QStringLiteral("名前を変える"),
                                               QStringLiteral("名前:"), QLineEdit::Normal, old, &ok)
                             .trimmed();
    if (!ok || name.isEmpty() || name == old) {
        return;
    }
    if (name.contains(u'/') || name.startsWith(u'.') ||
        !directory::RenameFile(SetlistPath(old), SetlistPath(name))) {
        msgbox::ShowError(
            window(),
            QStringLiteral("セットリスト \"%1\" を \"%2\" にできません。").arg(old, name));
        return;
    }
    ReloadSetlistNames(name);
}

void LibraryPanel::DeleteSetlist() {
    const QString name = SetlistName();
    if (name.isEmpty() ||
        !msgbox::Ask(window(), QStringLiteral("セットリスト \"%1\" を削除しますか? 曲のファイルは"
                                              "そのままです。")
                                   .arg(name))) {
        return;
    }
    if (!directory::RemoveFile(SetlistPath(name))) {
        msgbox::ShowError(
            window(),
            QStringLiteral("セットリスト \"%1\" を削除できません。").arg(SetlistPath(name)));
    }
    ReloadSetlistNames(QString());
}

void LibraryPanel::AddToSetlist(const QString &sName, const std::vector<QString> &paths) {
    if (sName.isEmpty()) {
        NewSetlist(paths);
        return;
    }
    if (sName != SetlistName()) {
        ReloadSetlistNames(sName);
    }
    for (const QString &p : paths) {
        m_setlist.Append({Setlist::WrittenPath(p, m_folders), -1, false, 0, {}});
    }
    SaveSetlist();
    FillSetlistView();
    m_setlistView->setCurrentRow(m_setlistView->count() - 1);
    emit SetlistChanged();
}

void LibraryPanel::MoveEntry(int iSteps) {
    const int from = m_setlistView->currentRow();
    const int to = from + iSteps;
    if (from < 0 || to < 0 || to >= m_setlist.Count()) {
        return;
    }
    m_setlist.Move(from, to);
    SaveSetlist();
    FillSetlistView();
    m_setlistView->setCurrentRow(to);
    emit SetlistChanged();
}

void LibraryPanel::RemoveEntry() {
    const int row = m_setlistView->currentRow();
    if (row < 0) {
        return;
    }
    m_setlist.Remove(row);
    SaveSetlist();
    FillSetlistView();
    emit SetlistChanged();
}

void LibraryPanel::SetEntryKey(bool bRecord) {
    const int row = m_setlistView->currentRow();
    if (row < 0) {
        return;
    }
    Setlist::Entry &e = m_setlist.At(row);
    if (bRecord) {
        const auto [capo, transpose] = m_hooks.CurrentKey();
        e.Capo = capo;
        e.HasTranspose = transpose != 0;
        e.Transpose = transpose;
    } else {
        e.Capo = -1;
        e.HasTranspose = false;
        e.Transpose = 0;
    }
    SaveSetlist();
    FillSetlistView();
}

void LibraryPanel::PlaySetlist(int iFrom) {
    const std::vector<SetPlayer::Song> songs = SetlistSongs();
    if (!songs.empty()) {
        m_hooks.Play(songs, std::clamp(iFrom, 0, static_cast<int>(songs.size()) - 1), true);
    }
}

void LibraryPanel::SetlistMenu(const QPoint &at) {
    if (m_setlistView->currentRow() < 0) {
        return;
    }
    QMenu menu(this);
    menu.addAction(QStringLiteral("ここから演奏する(&P)"), this,
                   [this] { PlaySetlist(m_setlistView->currentRow()); });
    menu.addAction(QStringLiteral("今のカポと移調をこの曲に記録(&R)"), this,
                   [this] { SetEntryKey(true); });
    menu.addAction(QStringLiteral("カポと移調を曲のままに(&C)"), this,
                   [this] { SetEntryKey(false); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("上へ(&U)"), this, [this] { MoveEntry(-1); });
    menu.addAction(QStringLiteral("下へ(&D)"), this, [this] { MoveEntry(1); });
    menu.addAction(QStringLiteral("外す(&X)"), this, &LibraryPanel::RemoveEntry);
    menu.exec(m_setlistView->viewport()->mapToGlobal(at));
}

void LibraryPanel::SongbookOfSetlist() {
    if (!SetlistName().isEmpty() && m_setlist.Count() > 0) {
        m_hooks.Songbook(SetlistSongs(), SetlistName());
    }
}
