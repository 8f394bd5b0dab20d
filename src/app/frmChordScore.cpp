// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmChordScore.h"

#include "app/AppIcon.h"
#include "app/ChordStripView.h"
#include "app/LibraryPanel.h"
#include "app/MainWindowSettings.h"
#include "app/ReadingControls.h"
#include "app/SheetPrinting.h"
#include "app/SongStatus.h"
#include "app/WindowPlacement.h"
#include "app/basMain.h"
#include "app/frmMissingChords.h"
#include "app/frmSetting.h"
#include "app/frmVersion.h"
#include "chords/CapoAdvisor.h"
#include "chords/Chord.h"
#include "chords/DictionaryEdit.h"
#include "library/Setlist.h"
#include "library/SheetSummary.h"
#include "parsing/basPath.h"
#include "platform/AppError.h"
#include "platform/AppInfo.h"
#include "platform/AppPaths.h"
#include "platform/Directory.h"
#include "platform/MessageBox.h"
#include "platform/ProfileFile.h"
#include "platform/SheetFile.h"
#include "platform/TextFile.h"
#include "platform/WidgetHelpers.h"
#include "platform/basFileOpen.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"
#include "score/Zoom.h"
#include "settings/FileHistory.h"
#include "settings/PrivateProfile.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cstdio>

namespace {

// The sheet's name with .pdf, in the sheet's folder; for a pasted text,
// "sheet.pdf" in the folder last opened from.
QString PdfPathFor(const QString &sSheet, const QString &sFolder) {
    if (sSheet.isEmpty()) {
        return basPath::AddBackslash(sFolder) + QStringLiteral("sheet.pdf");
    }
    QString name = basPath::GetFileName(sSheet);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0) {
        name.truncate(dot);
    }
    return basPath::AddBackslash(basPath::GetDirectory(sSheet)) + name + QStringLiteral(".pdf");
}

} // namespace

frmChordScore::frmChordScore() {
    setWindowTitle(QStringLiteral("Tamblin"));
    setWindowIcon(appicon::Icon());
    // The chord strip above the score, hidden unless asked for.
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_strip = new ChordStripView(central, [this](const QString &name, const QString &line) {
        m_chsChord->UseVoicingForAll(name, line);
    });
    m_strip->hide();
    m_view = new ScoreView(
        central, [this] { ClickPopupMenu(); }, [this](const QMimeData *d) { OpenDroppedFile(d); });
    column->addWidget(m_strip);
    column->addWidget(m_view, 1);
    setCentralWidget(central);
    m_chsChord = m_view->chsChord();
    m_chsChord->SetMax(MaxCells);
    m_tmrCheckResize = new QTimer(this);
    m_tmrCheckResize->setInterval(2000);

    connect(m_chsChord, &ChordScore::DrawStart, this, &frmChordScore::chsChord_DrawStart);
    connect(m_chsChord, &ChordScore::DrawEnd, this, &frmChordScore::chsChord_DrawEnd);
    connect(m_chsChord, &ChordScore::Paste, this, &frmChordScore::PasteText);
    connect(m_chsChord, &ChordScore::DropFile, this, &frmChordScore::OpenDroppedFile);
    connect(m_chsChord, &ChordScore::AddToDictionary, this, &frmChordScore::AddChordToDictionary);
    // Chosen fingerings and recent files reach the settings file within
    // seconds, so that a crash loses little.
    m_saveSoon = new QTimer(this);
    m_saveSoon->setSingleShot(true);
    m_saveSoon->setInterval(kSaveSoonMs);
    connect(m_saveSoon, &QTimer::timeout, this, [this] { SaveSettings(false); });
    connect(m_chsChord, &ChordScore::VoicingsChanged, this, [this] {
        FollowStrip();
        SaveSoon();
        if (!m_sheetPath.isEmpty()) {
            m_songs.SetVoicings(m_sheetPath, m_chsChord->ChosenVoicings());
        }
    });
    m_chsChord->SetStartState([this](PitchModel &pitch, int &zoom) { StartSheet(pitch, zoom); });
    connect(m_tmrCheckResize, &QTimer::timeout, this, &frmChordScore::tmrCheckResize_Timer);

    m_reading = new ReadingControls(this, m_view);

    BuildMenus();
    Form_Load();
    // Esc leaves full screen whenever the window is active, wherever its
    // focus is.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] {
        if (isFullScreen()) {
            m_reading->ToggleFullScreen();
        }
    });
    // Keys are seen here before any child control gets them.
    qApp->installEventFilter(this);
    m_tmrCheckResize->start();
    EnableCommands(true);
    m_loaded = true;
}

frmChordScore::~frmChordScore() {
    qApp->removeEventFilter(this);
}

void frmChordScore::BuildMenus() {
    BuildFileMenu();
    BuildEditMenu();
    BuildVisibleMenu();
    BuildHelpMenu();
    // One paste item for every pop-up menu: the score's, which raises its Paste.
    mnuPopup_Paste = m_chsChord->PasteAction();

    // Keys stay on while the menu bar is hidden in full screen.
    const std::function<void(QMenu *)> keep = [&](QMenu *menu) {
        for (QAction *a : menu->actions()) {
            if (a->menu()) {
                keep(a->menu());
            } else if (!a->shortcuts().isEmpty()) {
                addAction(a);
            }
        }
    };
    for (QAction *a : menuBar()->actions()) {
        if (a->menu()) {
            keep(a->menu());
        }
    }
}

void frmChordScore::BuildFileMenu() {
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile_Open =
        file->addAction(QStringLiteral("開く(&O)..."), this, &frmChordScore::mnuFile_Open_Click);
    mnuFile_Open->setShortcut(QKeySequence::Open);
    file->addSeparator();
    mnuFile_Print = file->addAction(QStringLiteral("印刷(&P)..."), this, [this] {
        QString error;
        if (!sheetprinting::PrintWithDialog(this, PrintSheet(),
                                            PdfPathFor(m_sheetPath, m_preOpenedDir), error)) {
            msgbox::ShowError(this, error);
        }
    });
    mnuFile_Print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFile_Preview = file->addAction(QStringLiteral("印刷プレビュー(&V)..."), this,
                                      [this] { sheetprinting::Preview(this, PrintSheet()); });
    mnuFile_Pdf = file->addAction(QStringLiteral("PDF に書き出す(&E)..."), this, [this] {
        const QString path = basFileOpen::ShowSaveFileDialog(
            this, PdfPathFor(m_sheetPath, m_preOpenedDir),
            QStringLiteral("PDF (*.pdf)") + QChar(0) + QStringLiteral("*.pdf;*.PDF"),
            QStringLiteral("PDF に書き出す"), QStringLiteral("pdf"));
        if (!path.isEmpty()) {
            ExportPdf(path);
        }
    });
    // How the three above put the song on paper.
    QMenu *layout = file->addMenu(QStringLiteral("印刷レイアウト(&L)"));
    auto *layouts = new QActionGroup(this);
    const char *names[] = {"画面どおり(&S)", "歌本(&B)"};
    for (int i = 0; i < 2; ++i) {
        QAction *a = layout->addAction(QString::fromUtf8(names[i]));
        a->setCheckable(true);
        layouts->addAction(a);
        mnuFile_Layout.push_back(a);
    }
    mnuFile_Layout[0]->setChecked(true);
    mnuFile_Dummy2 = file->addSeparator();
    mnuFile_File.assign(10, nullptr);
    for (int16_t i = 1; i <= 9; ++i) {
        mnuFile_File[static_cast<size_t>(i)] =
            file->addAction(QString::number(i), this, [this, i] { mnuFile_File_Click(i); });
    }
    mnuFile_Dummy3 = file->addSeparator();
    // Through the close, which writes the settings.
    mnuFile_Exit = file->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);
    mnuFile_Exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void frmChordScore::BuildEditMenu() {
    mnuEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    connect(mnuEdit, &QMenu::aboutToShow, this, &frmChordScore::mnuEdit_Open);
    mnuEdit_Paste =
        mnuEdit->addAction(QStringLiteral("貼り付け(&P)"), this, &frmChordScore::PasteText);
    mnuEdit_Paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
}

void frmChordScore::BuildVisibleMenu() {
    QMenu *visible = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    mnuVisible_State.assign(4, nullptr);
    const char *states[] = {"", "押え方", "コード名", "歌詞"};
    const Qt::Key keys[] = {Qt::Key_unknown, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8};
    for (int16_t i = 1; i <= 3; ++i) {
        QAction *a = visible->addAction(QString::fromUtf8(states[i]), this,
                                        [this, i] { m_chsChord->State(i); });
        a->setShortcut(QKeySequence(keys[i]));
        mnuVisible_State[static_cast<size_t>(i)] = a;
    }
    visible->addSeparator();
    BuildCapoMenu(visible);
    BuildKeyMenus(visible);
    visible->addSeparator();
    mnuVisible_Missing = visible->addAction(QStringLiteral("辞書にないコード(&M)..."), this,
                                            [this] { frmMissingChords::ShowModal(this); });
    mnuVisible_Strip = visible->addAction(QStringLiteral("コード一覧(&L)"));
    mnuVisible_Strip->setCheckable(true);
    connect(mnuVisible_Strip, &QAction::toggled, this, &frmChordScore::ShowStrip);
    visible->addSeparator();
    mnuVisible_Library = visible->addAction(QStringLiteral("ライブラリ(&L)"));
    mnuVisible_Library->setCheckable(true);
    mnuVisible_Library->setShortcut(QKeySequence(Qt::Key_F9));
    connect(mnuVisible_Library, &QAction::triggered, this, &frmChordScore::ShowLibrary);
    mnuVisible_NextSong =
        visible->addAction(QStringLiteral("次の曲(&X)"), this, [this] { StepSong(1); });
    mnuVisible_NextSong->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
    mnuVisible_PrevSong =
        visible->addAction(QStringLiteral("前の曲(&P)"), this, [this] { StepSong(-1); });
    // Shift turns Tab into Backtab; both spellings of the chord are taken.
    mnuVisible_PrevSong->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)});
    mnuVisible_PageTurner = visible->addAction(QStringLiteral("ページめくりモード(&G)"));
    mnuVisible_PageTurner->setCheckable(true);
    connect(mnuVisible_PageTurner, &QAction::triggered, this, [this](bool on) {
        PageTurnerSettings s = m_pageTurner;
        s.On = on;
        SetPageTurner(s);
    });
    visible->addSeparator();
    mnuVisible_Page = visible->addAction(QStringLiteral("改ページ(&R)"));
    mnuVisible_Page->setCheckable(true);
    // A checkable action has inverted its check mark already.
    connect(mnuVisible_Page, &QAction::triggered, this, &frmChordScore::mnuVisible_Page_Click);
    m_reading->BuildMenus(visible);
}

void frmChordScore::BuildCapoMenu(QMenu *visible) {
    mnuVisible_Capo = visible->addMenu(QStringLiteral("カポ(&C)"));
    QAction *none = mnuVisible_Capo->addAction(QStringLiteral("なし(&0)"));
    none->setCheckable(true);
    connect(none, &QAction::triggered, this, [this] { SetCapo(0); });
    mnuVisible_CapoFlat.assign(1, none);
    for (int16_t i = 1; i <= 9; ++i) {
        QAction *a = mnuVisible_Capo->addAction(QStringLiteral("&%1").arg(i));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i] { SetCapo(i); });
        mnuVisible_CapoFlat.push_back(a);
    }
    mnuVisible_Capo->addSeparator();
    mnuVisible_CapoEasiest = mnuVisible_Capo->addAction(QString(), this, [this] {
        if (m_easiestCapo >= 0) {
            SetCapo(m_easiestCapo);
        }
    });
    mnuVisible_CapoEasiest->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mnuVisible_CapoEasiest->setVisible(false);
}

void frmChordScore::BuildKeyMenus(QMenu *visible) {
    mnuVisible_Transpose = visible->addMenu(QStringLiteral("移調(&T)"));
    mnuVisible_TransposeUp =
        mnuVisible_Transpose->addAction(QStringLiteral("半音上げる(&U)"), this, [this] {
            SetTranspose(static_cast<int16_t>(std::min(11, m_chsChord->Transpose() + 1)));
        });
    mnuVisible_TransposeUp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketRight));
    mnuVisible_TransposeDown =
        mnuVisible_Transpose->addAction(QStringLiteral("半音下げる(&D)"), this, [this] {
            SetTranspose(static_cast<int16_t>(std::max(-11, m_chsChord->Transpose() - 1)));
        });
    mnuVisible_TransposeDown->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
    mnuVisible_TransposeReset = mnuVisible_Transpose->addAction(QStringLiteral("原曲キー(&O)"),
                                                                this, [this] { SetTranspose(0); });
    QMenu *spelling = visible->addMenu(QStringLiteral("表記(&N)"));
    auto *group = new QActionGroup(this);
    const char *names[] = {"♯(&S)", "♭(&F)", "調に合わせる(&K)"};
    for (int i = 0; i < 3; ++i) {
        QAction *a = spelling->addAction(QString::fromUtf8(names[i]), this,
                                         [this, i] { SetSpelling(PitchModel::Spelling(i)); });
        a->setCheckable(true);
        a->setActionGroup(group);
        mnuVisible_Spelling.push_back(a);
    }
    mnuVisible_Spelling[0]->setChecked(true);
    // The song's key and capo at the right end of the menu bar: the score's
    // area keeps its size.
    m_status = new QLabel(menuBar());
    m_status->setContentsMargins(8, 0, 8, 0);
    menuBar()->setCornerWidget(m_status, Qt::TopRightCorner);
}

void frmChordScore::BuildHelpMenu() {
    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelp_Setting = help->addAction(QStringLiteral("設定(&S)..."), this,
                                      [this] { frmSetting::ShowModal(this); });
    help->addSeparator();
    mnuHelp_Version = help->addAction(QStringLiteral("バージョン情報(&A)..."), this,
                                      [this] { frmVersion::ShowModal(this); });
}

void frmChordScore::Form_Load() {
    m_history = std::make_unique<FileHistory>();
    m_history->SetHistorySize(9);
    for (int16_t i = 1; i <= 9; ++i) {
        m_history->SetMenu(i, mnuFile_File[static_cast<size_t>(i)]);
    }
    m_history->SetDummy(mnuFile_Dummy3);
    m_history->SetProfile(&basMain::oProfile(), "History");
    m_songs.Load(basMain::oProfile());

    ChordView *t = m_chsChord->Properties();
    t->SetChord(basMain::oChord());
    MainWindowSettings s = CurrentSettings();
    // The first Open dialog: beside a portable program, else the user's home
    // (never /usr/bin).
    s.PreOpenedDir = apppaths::Writable(appinfo::ProgramDirectory()) ? appinfo::ProgramDirectory()
                                                                     : QDir::homePath();
    const QScreen *primary = QGuiApplication::primaryScreen();
    s.Load(basMain::oProfile(), primary->geometry().size(), *m_history);

    // A hand-edited size or position must not make a window bigger than the
    // screen, or one nobody can reach.
    const QRect placed = windowplacement::Restore(s.Left, s.Top, s.Width, s.Height,
                                                  primary->availableVirtualGeometry(),
                                                  primary->availableGeometry().size());
    resize(placed.size());
    move(placed.topLeft());
    m_preOpenedDir = s.PreOpenedDir;
    t->SetStyle(s.Display());
    m_reading->SetZoom(s.Zoom);
    m_reading->AutoScroller().SetSpeed(s.AutoScrollSpeed);
    m_reading->mnuVisible_HideMenuBar->setChecked(s.FullScreenHidesMenuBar);
    m_chsChord->SetTabSize(s.TabSize);
    SetCapo(s.Capo);
    m_chsChord->SetPageReturn(s.PageReturn);
    mnuVisible_Page->setChecked(s.PageReturn);
    SetSpelling(static_cast<PitchModel::Spelling>(s.Spelling));
    mnuVisible_Strip->setChecked(s.ChordStrip);
    mnuFile_Layout[s.PrintLayout == 1 ? 1 : 0]->setChecked(true);
    m_startMaximized = s.Maximized;
    m_libraryFolders = s.LibraryFolders;
    m_setlistName = s.Setlist;
    m_libraryArea = s.LibraryArea;
    m_libraryWidth = s.LibraryWidth;
    m_libraryShown = s.LibraryShown;
    SetPageTurner(
        {s.PageTurner, s.PageTurnerInFullScreen, s.PageTurnerNextKeys, s.PageTurnerBackKeys});
    // A library in use is scanned from the start, shown or not; a hidden
    // panel is made once the window is up.
    if (m_libraryShown && !basMain::Exporting()) {
        MakeLibrary();
    } else if (!m_libraryFolders.isEmpty() && !basMain::Exporting()) {
        QTimer::singleShot(300, this, &frmChordScore::MakeLibrary);
    }
}

MainWindowSettings frmChordScore::CurrentSettings() const {
    MainWindowSettings s;
    s.SavePlacement =
        !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    s.Maximized = (windowState() & Qt::WindowMaximized) != 0;
    s.Height = windowplacement::ToTwips(height());
    s.Width = windowplacement::ToTwips(width());
    s.Top = windowplacement::ToTwips(pos().y());
    s.Left = windowplacement::ToTwips(pos().x());
    s.PreOpenedDir = m_preOpenedDir;
    s.SetDisplay(m_chsChord->Properties()->Style());
    s.TabSize = m_chsChord->TabSize();
    s.Capo = CheckedCapo();
    s.PageReturn = PageReturn();
    s.Zoom = static_cast<int16_t>(Zoom());
    s.AutoScrollSpeed = static_cast<int16_t>(m_reading->AutoScroller().Speed());
    s.FullScreenHidesMenuBar = m_reading->mnuVisible_HideMenuBar->isChecked();
    s.Spelling = static_cast<int16_t>(m_chsChord->Pitch().GetSpelling());
    s.ChordStrip = mnuVisible_Strip->isChecked();
    s.PrintLayout = mnuFile_Layout[1]->isChecked() ? 1 : 0;
    s.ChordFilename = basPath::GetFileName(basMain::oChord()->Filename());
    s.LibraryFolders = m_libraryFolders;
    s.Setlist = m_library ? m_library->SetlistName() : m_setlistName;
    s.LibraryShown = m_library ? !m_library->isHidden() : m_libraryShown;
    if (m_library) {
        s.LibraryArea = dockWidgetArea(m_library) == Qt::LeftDockWidgetArea ? 1 : 2;
        s.LibraryWidth = static_cast<int16_t>(std::clamp(m_library->width(), 120, 2000));
    } else {
        s.LibraryArea = static_cast<int16_t>(m_libraryArea);
        s.LibraryWidth = static_cast<int16_t>(m_libraryWidth);
    }
    s.PageTurner = m_pageTurner.On;
    s.PageTurnerInFullScreen = m_pageTurner.InFullScreen;
    s.PageTurnerNextKeys = m_pageTurner.NextKeys;
    s.PageTurnerBackKeys = m_pageTurner.BackKeys;
    return s;
}

void frmChordScore::closeEvent(QCloseEvent *event) {
    if (Busy()) {
        event->ignore();
        return;
    }
    SaveSettings(true);
    m_closed = true;
    m_tmrCheckResize->stop();
    m_reading->StopAutoScroll();
    event->accept();
}

bool frmChordScore::SaveSettings(bool bTell) {
    m_saveSoon->stop();
    const QString path = basMain::oProfile().IniFilename();
    QString why;
    {
        // One commit: a kill during it leaves the old file or the new one.
        profile::WriteBatch batch(path);
        RememberSong();
        CurrentSettings().Save(basMain::oProfile(), *m_history);
        m_songs.Save(basMain::oProfile());
        why = batch.Commit();
    }
    if (why.isEmpty()) {
        return true;
    }
    // Said once a session; the settings stay in the window meanwhile.
    const QString message =
        QStringLiteral("設定ファイル \"%1\" に書き込めません。%2。").arg(path, why);
    if (!m_saveFailureTold) {
        m_saveFailureTold = true;
        if (bTell) {
            msgbox::ShowError(this, message);
        } else {
            std::fprintf(stderr, "tamblin: %s\n", qPrintable(message));
        }
    }
    return false;
}

void frmChordScore::SaveSoon() {
    // Only a window in use: not one that exports a PDF, nor one closed.
    if (m_useSongs && isVisible() && !m_closed) {
        m_saveSoon->start();
    }
}

void frmChordScore::SaveAtExit() {
    if (!m_closed) {
        SaveSettings(false);
        m_closed = true;
    }
}

void frmChordScore::SaveAndQuit() {
    SaveAtExit();
    QCoreApplication::exit(0);
}

int16_t frmChordScore::CheckedCapo() const {
    const int16_t capo = m_chsChord->CurrentCapo();
    return capo >= 0 && static_cast<size_t>(capo) < mnuVisible_CapoFlat.size() ? capo : int16_t{-1};
}

bool frmChordScore::PageReturn() const {
    return m_chsChord->PageReturn();
}

int frmChordScore::Zoom() const {
    return m_reading->Zoom();
}

void frmChordScore::SetZoom(int iPercent) {
    m_reading->SetZoom(iPercent);
}

sheetprinting::Sheet frmChordScore::PrintSheet() const {
    QString info = songstatus::Text(QString(), m_chsChord->Pitch());
    if (m_chsChord->Pitch().Capo() == 0) {
        info += (info.isEmpty() ? QString() : QStringLiteral("　")) + QStringLiteral("カポなし");
    }
    const QString title = m_chsChord->Title().trimmed();
    return {*m_chsChord,
            PageReturn(),
            PrintTitle(),
            mnuFile_Layout[1]->isChecked(),
            {title.isEmpty() ? PrintTitle() : title, info}};
}

QString frmChordScore::PrintTitle() const {
    return m_sheetPath.isEmpty() ? QStringLiteral("貼り付けたテキスト")
                                 : basPath::GetFileName(m_sheetPath);
}

bool frmChordScore::ExportPdf(const QString &sPath) {
    QString error;
    if (!sheetprinting::WritePdf(PrintSheet(), sPath, error)) {
        msgbox::ShowError(this, error);
        return false;
    }
    return true;
}

void frmChordScore::UpdateCapoAdvice() {
    const capoadvisor::ChordCounts names = m_chsChord->SheetChordNames();
    const std::shared_ptr<Chord> chord = m_chsChord->SheetDictionary();
    m_easiestCapo = -1;
    for (int16_t i = 0; i < static_cast<int16_t>(mnuVisible_CapoFlat.size()); ++i) {
        mnuVisible_CapoFlat[static_cast<size_t>(i)]->setText(i == 0 ? QStringLiteral("なし(&0)")
                                                                    : QStringLiteral("&%1").arg(i));
    }
    if (names.empty() || !chord) {
        mnuVisible_CapoEasiest->setVisible(false);
        return;
    }
    m_easiestCapo = capoadvisor::Rate(*chord, names).Easiest;
    const QString label = m_easiestCapo == 0
                              ? QStringLiteral("★ カポなし (かんたん)")
                              : QStringLiteral("★ カポ %1 (かんたん)").arg(m_easiestCapo);
    mnuVisible_CapoEasiest->setText(label);
    mnuVisible_CapoEasiest->setVisible(true);
    QAction *best = mnuVisible_CapoFlat[static_cast<size_t>(m_easiestCapo)];
    best->setText(best->text() + QStringLiteral("  ★"));
}

void frmChordScore::SetCapo(int16_t iCapo) {
    m_chsChord->SetCapo(iCapo);
    ShowCapo();
    // The capo is part of the song as played: kept within seconds too.
    SaveSoon();
}

void frmChordScore::ShowCapo() {
    const int16_t capo = m_chsChord->CurrentCapo();
    for (size_t i = 0; i < mnuVisible_CapoFlat.size(); ++i) {
        mnuVisible_CapoFlat[i]->setChecked(static_cast<int>(i) == capo);
    }
    UpdateStatus();
}

void frmChordScore::SetTranspose(int16_t iSteps) {
    m_chsChord->SetTranspose(iSteps);
    UpdateStatus();
    UpdateCapoAdvice();
    SaveSoon();
}

void frmChordScore::SetSpelling(PitchModel::Spelling spelling) {
    m_chsChord->SetSpelling(spelling);
    for (size_t i = 0; i < mnuVisible_Spelling.size(); ++i) {
        mnuVisible_Spelling[i]->setChecked(static_cast<int>(i) == static_cast<int>(spelling));
    }
}

QString frmChordScore::StatusText() const {
    if (m_chsChord->ChordViewCount() == 0) {
        return {};
    }
    QString text = songstatus::Text(m_chsChord->Title(), m_chsChord->Pitch());
    // Where the song stands in the set being played.
    const SetPlayer::Song *song = m_player.CurrentSong();
    if (song && song->Path == m_sheetPath) {
        text += QStringLiteral("　") + m_player.Position();
    }
    return text;
}

void frmChordScore::UpdateStatus() {
    if (m_status) {
        // Never over the menus: what does not fit beside them (the bar's
        // natural width less this corner) is elided.
        const int used = menuBar()->sizeHint().width() - m_status->sizeHint().width();
        const int room = std::max(0, menuBar()->width() - used - 16);
        m_status->setText(m_status->fontMetrics().elidedText(StatusText(), Qt::ElideRight, room));
        m_status->adjustSize();
        // The menu bar lays its corner out only when one is set.
        menuBar()->setCornerWidget(m_status, Qt::TopRightCorner);
    }
}

void frmChordScore::ReloadPositionIni(const QString &sIniFile) {
    const QString path = apppaths::FindDataFile(sIniFile);
    try {
        BusyScope busy(*this);
        Chord scratch;
        scratch.LoadChordPosition(path);
        basMain::oChord()->LoadChordPosition(path);
        m_chsChord->Refresh();
        UpdateCapoAdvice();
    } catch (const AppError &e) {
        msgbox::ShowError(this, e.Description());
    }
}

void frmChordScore::AddChordToDictionary(const QString &sChordName) {
    Chord *chord = basMain::oChord().get();
    try {
        // An installed, read-only file: the user's own copy takes the chord.
        if (!apppaths::Writable(chord->Filename())) {
            chord->LoadChordPosition(apppaths::CopyToUserData(chord->Filename()));
        }
        dictionaryedit::AddToFile(*chord, sChordName);
    } catch (const AppError &e) {
        msgbox::ShowError(this, e.Description());
        return;
    }
    // Read back as any edit of the file would be; the score shows the new chord.
    ReloadPositionIni(basPath::GetFileName(chord->Filename()));
    m_chsChord->ShowPositionsOf(sChordName);
}

// --- commands ---

void frmChordScore::mnuFile_Open_Click() {
    const QString filter = QStringLiteral("テキストファイル (*.txt)") + QChar(0) +
                           QStringLiteral("*.TXT") + QChar(0) +
                           QStringLiteral("ChordPro (*.cho;*.chopro;*.chordpro;*.pro)") + QChar(0) +
                           QStringLiteral("*.CHO;*.CHOPRO;*.CHORDPRO;*.PRO") + QChar(0) +
                           QStringLiteral("すべてのファイル") + QChar(0) + QStringLiteral("*.*");
    const QString path = basFileOpen::ShowOpenFileDialog(
        this, m_preOpenedDir, filter, QStringLiteral("ファイルを開く"),
        basFileOpen::OFN_HIDEREADONLY | basFileOpen::OFN_PATHMUSTEXIST |
            basFileOpen::OFN_FILEMUSTEXIST);
    if (path.isEmpty()) {
        return;
    }
    OpenChordFile(path);
    m_preOpenedDir = basPath::GetDirectory(path);
}

void frmChordScore::mnuFile_File_Click(int16_t i) {
    OpenChordFile(mnuFile_File[static_cast<size_t>(i)]->data().toString());
}

void frmChordScore::OpenChordFile(const QString &sPath) {
    const QString full = textfile::FullPath(sPath);
    ShowSheet(
        [&] {
            m_chsChord->LoadChordScore(sPath);
            m_history->AddHistory(sPath);
            m_sheetPath = full;
        },
        full);
    if (m_sheetPath == full && m_useSongs) {
        if (m_player.Active()) {
            m_player.Follow(full);
        }
        if (m_library) {
            m_library->SongOpened(full);
        }
        UpdateStatus();
    }
    SaveSoon();
}

bool frmChordScore::ExportSheetPdf(const QString &sSheet, const QString &sPdf, int iCapo,
                                   bool bTranspose, int iTranspose) {
    m_useSongs = false;
    // As written unless the sheet says its capo: not at the last session's.
    m_chsChord->SetCapo(0);
    OpenChordFile(sSheet);
    m_useSongs = true;
    if (m_sheetPath != textfile::FullPath(sSheet)) {
        return false; // the message is out
    }
    if (iCapo >= 0) {
        SetCapo(static_cast<int16_t>(iCapo));
    }
    if (bTranspose) {
        SetTranspose(static_cast<int16_t>(iTranspose));
    }
    return ExportPdf(sPdf);
}

void frmChordScore::StartSheet(PitchModel &pitch, int &zoom) const {
    const SongMemory::Song *song =
        m_pendingPath.isEmpty() || !m_useSongs ? nullptr : m_songs.Find(m_pendingPath);
    if (song && song->HasState) {
        pitch.SetCapo(song->Capo);
        pitch.SetTranspose(song->Transpose);
        zoom = zoom::Nearest(song->Zoom);
    } else if (m_chsChord->SheetCapo() >= 0) {
        // Written as the shapes at the sheet's capo: shown as written.
        pitch.SetCapo(m_chsChord->SheetCapo());
    } else if (m_playing) {
        // A song of a set never takes the capo of the song before it.
        pitch.SetCapo(0);
    }
}

void frmChordScore::RememberSong() {
    // A song put on paper for a songbook was not played.
    if (m_printing || m_sheetPath.isEmpty() || m_chsChord->ChordViewCount() == 0) {
        return;
    }
    SongMemory::Song song;
    song.HasState = true;
    song.Capo = m_chsChord->CurrentCapo();
    song.Transpose = m_chsChord->Transpose();
    song.Zoom = static_cast<int16_t>(Zoom());
    song.ScrollX = hsbScore()->value();
    song.ScrollY = vsbScore()->value();
    song.Voicings = m_chsChord->ChosenVoicings();
    m_songs.Set(m_sheetPath, song);
}

void frmChordScore::ShowSheet(const std::function<void()> &build, const QString &sPath) {
    m_reading->StopAutoScroll();
    RememberSong();
    m_pendingPath = sPath;
    try {
        m_view->ResetScroll();
        BusyScope busy(*this);
        build();
    } catch (const AppError &e) {
        m_pendingPath.clear();
        msgbox::ShowError(this, e.Description());
        UpdateCapoAdvice();
        return;
    }
    m_pendingPath.clear();
    const SongMemory::Song *song =
        m_sheetPath.isEmpty() || !m_useSongs ? nullptr : m_songs.Find(m_sheetPath);
    m_chsChord->SetVoicings(song ? song->Voicings : SongMemory::Choices());
    // The capo and zoom the sheet started at (its own or remembered) in the menus.
    ShowCapo();
    m_reading->ShowZoom();
    if (song && song->HasState) {
        hsbScore()->setValue(song->ScrollX);
        vsbScore()->setValue(song->ScrollY);
    }
    UpdateCapoAdvice();
}

void frmChordScore::PasteText() {
    const QString text =
        widgethelpers::ClipboardHasText() ? QGuiApplication::clipboard()->text() : QString();
    // The same bound as for a sheet file: a huge clipboard is no chord sheet.
    if (text.size() > sheetfile::MaxBytes) {
        msgbox::ShowError(
            this, QStringLiteral("クリップボードのテキストが大きすぎるため貼り付けられません "
                                 "(%1 MB まで)")
                      .arg(sheetfile::MaxBytes / (qint64{1024} * 1024)));
        return;
    }
    ShowSheet([&] {
        m_chsChord->SetText(sheetfile::ToCrLf(text));
        m_sheetPath.clear();
    });
}

void frmChordScore::OpenDroppedFile(const QMimeData *Data) {
    if (!Data) {
        return;
    }
    for (const QUrl &url : Data->urls()) {
        if (url.isLocalFile()) {
            OpenChordFile(url.toLocalFile());
            return;
        }
    }
}

void frmChordScore::mnuEdit_Open() {
    mnuEdit_Paste->setEnabled(widgethelpers::ClipboardHasText());
}

void frmChordScore::mnuVisible_Page_Click() {
    m_chsChord->SetPageReturn(mnuVisible_Page->isChecked());
    if (PageReturn()) {
        m_chsChord->SetFixHeight(m_view->ViewHeightTwips());
        hsbScore()->setValue(hsbScore()->minimum());
    } else {
        m_chsChord->SetFixHeight(0);
        vsbScore()->setValue(vsbScore()->minimum());
    }
}

void frmChordScore::ClickPopupMenu() {
    m_chsChord->ClickPopupMenu();
}

// The score is not painted while it is rebuilt: never half-built.
void frmChordScore::BeginDraw() {
    if (m_busyDepth++ > 0) {
        return;
    }
    EnableCommands(false);
    setCursor(Qt::WaitCursor);
    m_chsChord->setUpdatesEnabled(false);
}

void frmChordScore::EndDraw() {
    if (m_busyDepth == 0 || --m_busyDepth > 0) {
        return;
    }
    m_chsChord->setUpdatesEnabled(true);
    FollowStrip();
    LayoutView();
    EnableCommands(true);
    unsetCursor();
}

frmChordScore::BusyScope::BusyScope(frmChordScore &window)
    : m_window(window), m_depth(window.m_busyDepth) {
    m_window.BeginDraw();
}

frmChordScore::BusyScope::~BusyScope() {
    while (m_window.m_busyDepth > m_depth) {
        m_window.EndDraw();
    }
}

void frmChordScore::EnableCommands(bool bEnabled) {
    mnuFile_Open->setEnabled(bEnabled);
    for (int16_t i = 1; i <= 9; ++i) {
        mnuFile_File[static_cast<size_t>(i)]->setEnabled(bEnabled);
    }
    mnuFile_Exit->setEnabled(bEnabled);
    // Nothing to print without a sheet.
    const bool sheet = bEnabled && m_chsChord->ChordViewCount() > 0;
    for (QAction *a : {mnuFile_Print, mnuFile_Preview, mnuFile_Pdf}) {
        a->setEnabled(sheet);
    }
    mnuEdit_Paste->setEnabled(bEnabled);
    for (int16_t i = 1; i <= 3; ++i) {
        mnuVisible_State[static_cast<size_t>(i)]->setEnabled(bEnabled);
    }
}

void frmChordScore::chsChord_DrawStart() {
    BeginDraw();
}

void frmChordScore::chsChord_DrawEnd() {
    EndDraw();
}

// --- keys, scrolling, resizing ---

bool frmChordScore::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_view && event->type() == QEvent::Resize && m_loaded) {
        Form_Resize();
    }
    if (watched == menuBar() && event->type() == QEvent::Resize) {
        UpdateStatus();
    }
    if (event->type() == QEvent::Wheel) {
        auto *w = qobject_cast<QWidget *>(watched);
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (w && (w == m_view || m_view->isAncestorOf(w))) {
            if (m_reading->Wheel(*wheel)) {
                return true;
            }
            if (m_view->Wheel(*wheel)) {
                m_reading->UserScrolled();
                return true;
            }
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto *w = qobject_cast<QWidget *>(watched);
        // Only keys meant for this window: not those of menus or dialogs.
        // Nor those typed in the library panel.
        if (w && w->window() == this && !qobject_cast<QMenuBar *>(w) &&
            !(m_library && m_library->isAncestorOf(w))) {
            auto *key = static_cast<QKeyEvent *>(event);
            try {
                if (Form_KeyDown(key->key(), key->modifiers(), key->nativeScanCode())) {
                    return true;
                }
            } catch (const AppError &e) {
                msgbox::ShowError(this, e.Description());
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmChordScore::ShowFirst() {
    if (m_startMaximized) {
        showMaximized();
    } else {
        show();
    }
}

bool frmChordScore::CellKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && (key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
        if (m_chsChord->MoveFocus(key == Qt::Key_Backtab || shift ? -1 : 1)) {
            const QRect r = m_chsChord->CellRect(m_chsChord->FocusCell());
            m_view->Reveal(r.adjusted(-4, -4, 4, 4));
            m_reading->UserScrolled();
        }
        return true;
    }
    if (plain && !shift && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
        m_chsChord->FocusCell() > 0) {
        m_chsChord->PressFocus();
        return true;
    }
    if ((plain && shift && key == Qt::Key_F10) || key == Qt::Key_Menu) {
        m_chsChord->FocusMenu();
        return true;
    }
    return false;
}

bool frmChordScore::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    if (CellKey(key, modifiers)) {
        return true;
    }
    if (PageTurnerKey(key, modifiers)) {
        return true;
    }
    if (m_view->ScrollKey(key, modifiers & Qt::ControlModifier)) {
        m_reading->UserScrolled();
        return true;
    }
    if (m_reading->Key(key, modifiers, nativeScanCode)) {
        return true;
    }
    if (key == Qt::Key_F5) {
        ReloadPositionIni(basPath::GetFileName(basMain::oChord()->Filename()));
        return true;
    }
    // Digits of both keyboards, with any modifier: Shift+3 still means 3.
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        SetCapo(static_cast<int16_t>(key - Qt::Key_0));
        return true;
    }
    // With Shift the digit keys of the main keyboard give signs, which differ
    // by layout; their X key codes (10 to 19 for 1 to 9 and 0) do not.
    if (nativeScanCode >= 10 && nativeScanCode <= 19) {
        SetCapo(static_cast<int16_t>((nativeScanCode - 9) % 10));
        return true;
    }
    return false;
}

void frmChordScore::SetStripShown(bool bOn) {
    mnuVisible_Strip->setChecked(bOn);
}

void frmChordScore::ShowStrip(bool bOn) {
    m_strip->setVisible(bOn);
    FollowStrip();
    // The score's view changed height: a paged score takes the new one now.
    tmrCheckResize_Timer();
}

void frmChordScore::FollowStrip() {
    if (mnuVisible_Strip->isChecked()) {
        m_strip->Follow(*m_chsChord);
    }
}

void frmChordScore::LayoutView() {
    if (!isMinimized()) {
        m_view->LayoutView(PageReturn());
    }
}

void frmChordScore::Form_Resize() {
    if (mnuVisible_Strip->isChecked()) {
        m_strip->Fit(); // its height is bounded by the window's
    }
    LayoutView();
}

void frmChordScore::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    // Restoring from minimized lays out again.
    if (event->type() == QEvent::WindowStateChange && m_loaded && !isMinimized()) {
        Form_Resize();
    }
    // Back from an editor: sheets changed in place are read again.
    if (event->type() == QEvent::ActivationChange && m_library && isActiveWindow()) {
        m_library->Rescan();
    }
    if (event->type() == QEvent::WindowStateChange && m_loaded) {
        m_reading->ApplyMenuBarVisibility();
        mnuVisible_PageTurner->setChecked(PageTurnerActive());
    }
}

void frmChordScore::tmrCheckResize_Timer() {
    if (PageReturn()) {
        m_chsChord->SetFixHeight(m_view->ViewHeightTwips());
    }
}

// --- the library, setlists and page turning ---

void frmChordScore::MakeLibrary() {
    if (m_library) {
        return;
    }
    LibraryPanel::Hooks hooks;
    hooks.Play = [this](const std::vector<SetPlayer::Song> &songs, int index, bool fromTop) {
        Play(songs, index, fromTop);
    };
    hooks.CurrentSheet = [this] { return m_sheetPath; };
    hooks.CurrentKey = [this] {
        return std::pair<int, int>(std::max<int>(0, m_chsChord->CurrentCapo()),
                                   m_chsChord->Transpose());
    };
    hooks.Songbook = [this](const std::vector<SetPlayer::Song> &songs, const QString &name) {
        AskSongbook(songs, name);
    };
    m_library =
        new LibraryPanel(this, hooks, apppaths::LibraryFile(QStringLiteral("library.sqlite")),
                         apppaths::LibraryFile(QStringLiteral("setlists")));
    // The database's folder is made before the worker opens it.
    directory::MakeFolders(QFileInfo(apppaths::LibraryFile(QStringLiteral("x"))).absolutePath());
    addDockWidget(m_libraryArea == 1 ? Qt::LeftDockWidgetArea : Qt::RightDockWidgetArea, m_library);
    m_library->setVisible(m_libraryShown);
    resizeDocks({m_library}, {m_libraryWidth}, Qt::Horizontal);
    connect(m_library, &QDockWidget::visibilityChanged, this,
            [this] { mnuVisible_Library->setChecked(!m_library->isHidden()); });
    m_library->ChooseSetlist(m_setlistName);
    // The scan starts once the window is up: it never delays the first paint.
    QTimer::singleShot(m_loaded ? 0 : 500, m_library,
                       [this] { m_library->SetFolders(m_libraryFolders); });
    mnuVisible_Library->setChecked(m_libraryShown);
}

void frmChordScore::ShowLibrary(bool bOn) {
    if (bOn) {
        MakeLibrary();
    }
    if (m_library) {
        m_library->setVisible(bOn);
        if (bOn) {
            m_library->FocusSearch();
            // Again once it is laid out, should the first come too early.
            QTimer::singleShot(0, m_library, &LibraryPanel::FocusSearch);
        }
    }
    mnuVisible_Library->setChecked(bOn);
}

void frmChordScore::SetLibraryFolders(const QStringList &folders) {
    m_libraryFolders = folders;
    if (!folders.isEmpty()) {
        MakeLibrary();
    }
    if (m_library) {
        m_library->SetFolders(folders);
    }
    SaveSoon();
}

void frmChordScore::Play(const std::vector<SetPlayer::Song> &songs, int iIndex, bool bFromTop) {
    // Named as an opened sheet is, so that the list knows the sheet on screen.
    std::vector<SetPlayer::Song> named = songs;
    for (SetPlayer::Song &song : named) {
        song.Path = textfile::FullPath(song.Path);
    }
    m_player.Start(std::move(named), iIndex);
    PlayCurrent(bFromTop);
    // The keys of a pedal go to the score now, not to the panel's list.
    m_view->setFocus(Qt::OtherFocusReason);
}

void frmChordScore::PlayCurrent(bool bFromTop) {
    const SetPlayer::Song *song = m_player.CurrentSong();
    if (!song) {
        return;
    }
    const SetPlayer::Song entry = *song;
    m_playing = true;
    OpenChordFile(entry.Path);
    m_playing = false;
    if (m_sheetPath != entry.Path) {
        return; // not read: the message is out
    }
    // The set's own capo and key for this song, over what was remembered.
    if (entry.Capo >= 0) {
        SetCapo(static_cast<int16_t>(entry.Capo));
    }
    if (entry.HasTranspose) {
        SetTranspose(static_cast<int16_t>(entry.Transpose));
    }
    if (bFromTop) {
        m_view->ResetScroll();
    }
    UpdateStatus();
    if (m_library) {
        m_library->ShowPlaying(entry.Path);
    }
}

bool frmChordScore::StepSong(int iSteps) {
    // The list being played; when it lacks the sheet on screen, the chosen
    // setlist if it has it, else the library's list as it stands.
    if (!m_player.Follow(m_sheetPath) && m_library) {
        const auto named = [](std::vector<SetPlayer::Song> songs) {
            for (SetPlayer::Song &song : songs) {
                song.Path = textfile::FullPath(song.Path);
            }
            return songs;
        };
        SetPlayer set;
        set.Start(named(m_library->SetlistSongs()));
        if (!set.Follow(m_sheetPath)) {
            set.Start(named(m_library->ListedSongs()));
            set.Follow(m_sheetPath);
        }
        if (set.Active() && (set.Current() >= 0 || !m_player.Active())) {
            m_player = set;
        }
    }
    if (!m_player.Active()) {
        return false;
    }
    const int next = m_player.Neighbour(iSteps);
    if (next < 0) {
        return false;
    }
    m_player.Go(next);
    PlayCurrent();
    return true;
}

void frmChordScore::SetPageTurner(const PageTurnerSettings &settings) {
    m_pageTurner = settings;
    mnuVisible_PageTurner->setChecked(PageTurnerActive());
}

bool frmChordScore::PageTurnerActive() const {
    return m_pageTurner.On || (m_pageTurner.InFullScreen && isFullScreen());
}

bool frmChordScore::PageTurnerKey(int key, Qt::KeyboardModifiers modifiers) {
    if (!PageTurnerActive() || m_chsChord->ChordViewCount() == 0) {
        return false;
    }
    const QKeyCombination pressed(modifiers & ~Qt::KeypadModifier, static_cast<Qt::Key>(key));
    const auto matches = [&](const QString &keys) {
        for (const QString &one : keys.split(u',', Qt::SkipEmptyParts)) {
            const QKeySequence seq(one.trimmed());
            if (!seq.isEmpty() && seq[0] == pressed) {
                return true;
            }
        }
        return false;
    };
    const bool forward = matches(m_pageTurner.NextKeys);
    if (!forward && !matches(m_pageTurner.BackKeys)) {
        return false;
    }
    if (m_view->TurnPage(forward, PageColumnStarts())) {
        m_reading->UserScrolled();
    } else {
        StepSong(forward ? 1 : -1);
    }
    return true;
}

std::vector<int> frmChordScore::PageColumnStarts() const {
    std::vector<int> starts;
    if (!PageReturn()) {
        return starts;
    }
    // A column begins with the cell at the top after a cell lower down.
    const int count = m_chsChord->ChordViewCount();
    int top = INT_MAX;
    for (int i = 1; i <= count; ++i) {
        top = std::min(top, m_chsChord->CellRect(i).top());
    }
    int previousTop = INT_MAX;
    for (int i = 1; i <= count; ++i) {
        const QRect r = m_chsChord->CellRect(i);
        if (r.top() == top && previousTop != top) {
            starts.push_back(r.left());
        }
        previousTop = r.top();
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    // A page-column layout has at least one start; a single one is the score's left.
    if (starts.empty()) {
        starts.push_back(0);
    }
    return starts;
}

void frmChordScore::AskSongbook(const std::vector<SetPlayer::Song> &songs, const QString &sName) {
    const QString path = basFileOpen::ShowSaveFileDialog(
        this, basPath::AddBackslash(m_preOpenedDir) + sName + QStringLiteral(".pdf"),
        QStringLiteral("PDF (*.pdf)") + QChar(0) + QStringLiteral("*.pdf;*.PDF"),
        QStringLiteral("歌本 PDF に書き出す"), QStringLiteral("pdf"));
    if (!path.isEmpty()) {
        ExportSongbook(songs, path, sName);
    }
}

bool frmChordScore::ExportSongbook(const std::vector<SetPlayer::Song> &songs, const QString &sPdf,
                                   const QString &sTitle) {
    // The window's own sheet comes back afterwards, as it was.
    const QString before = m_sheetPath;
    RememberSong();
    QStringList titles;
    for (const SetPlayer::Song &s : songs) {
        // A missing song's line names its file.
        titles << (s.Title.isEmpty() && !directory::Exists(s.Path) ? QFileInfo(s.Path).fileName()
                                                                   : s.Title);
    }
    std::vector<bool> told(songs.size(), false);
    m_printing = true;
    const auto load = [&](int i) -> std::optional<sheetprinting::Sheet> {
        const SetPlayer::Song &song = songs[static_cast<size_t>(i)];
        // A song that cannot be read is said once, not at both passes.
        if (told[static_cast<size_t>(i)]) {
            msgbox::SetSink([](const QString &) {});
        }
        told[static_cast<size_t>(i)] = true;
        // At the sheet's own capo unless remembered or set for the set;
        // never in the recent files.
        m_chsChord->SetCapo(0);
        const QString full = textfile::FullPath(song.Path);
        ShowSheet(
            [&] {
                m_chsChord->LoadChordScore(song.Path);
                m_sheetPath = full;
            },
            full);
        if (basMain::Exporting()) {
            msgbox::SetSink(
                [](const QString &m) { std::fprintf(stderr, "tamblin: %s\n", qPrintable(m)); });
        } else {
            msgbox::SetSink(nullptr);
        }
        if (m_sheetPath != textfile::FullPath(song.Path)) {
            return std::nullopt;
        }
        if (song.Capo >= 0) {
            SetCapo(static_cast<int16_t>(song.Capo));
        }
        if (song.HasTranspose) {
            SetTranspose(static_cast<int16_t>(song.Transpose));
        }
        // Headed by its title as the library knows it ("ふるさと", not the
        // first line with its credits).
        sheetprinting::Sheet sheet = PrintSheet();
        const QString title = sheetsummary::Summarize(m_chsChord->Text()).Title;
        if (!title.isEmpty()) {
            sheet.Heading.Title = title;
        }
        return sheet;
    };
    QString error;
    const bool ok = sheetprinting::WriteSongbook(sTitle, titles, load, sPdf, error);
    m_printing = false;
    // The last song printed is not remembered as played.
    m_sheetPath.clear();
    if (!before.isEmpty() && isVisible()) {
        OpenChordFile(before);
    }
    if (!ok) {
        msgbox::ShowError(this, error);
    }
    return ok;
}

bool frmChordScore::ExportSetlistSongbook(const QString &sSetlist, const QString &sPdf) {
    Setlist list;
    try {
        list = Setlist::Load(sSetlist);
    } catch (const AppError &e) {
        msgbox::ShowError(this, e.Description());
        return false;
    }
    const QString folder = QFileInfo(sSetlist).absolutePath();
    std::vector<SetPlayer::Song> songs;
    for (int i = 0; i < list.Count(); ++i) {
        const Setlist::Entry &e = list.At(i);
        const QString path = Setlist::Resolve(e.Path, folder, m_libraryFolders, directory::Exists);
        songs.push_back({path, QString(), e.Capo, e.HasTranspose, e.Transpose, false});
    }
    if (songs.empty()) {
        msgbox::ShowError(this,
                          QStringLiteral("セットリスト \"%1\" に曲がありません。").arg(sSetlist));
        return false;
    }
    return ExportSongbook(songs, sPdf, QFileInfo(sSetlist).completeBaseName());
}
