#include "app/frmChordScore.h"

#include "app/AppIcon.h"
#include "app/ScoreViewport.h"
#include "app/WindowPlacement.h"
#include "app/basMain.h"
#include "app/frmMissingChords.h"
#include "app/frmSetting.h"
#include "app/frmVersion.h"
#include "chords/Chord.h"
#include "chords/DictionaryEdit.h"
#include "parsing/basPath.h"
#include "platform/AppError.h"
#include "platform/AppInfo.h"
#include "platform/MessageBox.h"
#include "platform/ProfileFile.h"
#include "platform/SheetFile.h"
#include "platform/Twips.h"
#include "platform/basFileOpen.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"
#include "settings/FileHistory.h"
#include "settings/PrivateProfile.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <cmath>

using twips::kTwipsPerPixel;
using twips::Px;

namespace {

constexpr int32_t kScrollUnit = 10;

// The viewport: white, a drop target, right clicks open the window's menu.
class ViewPort : public QWidget {
public:
    ViewPort(QWidget *parent, std::function<void()> popup,
             std::function<void(const QMimeData *)> drop)
        : QWidget(parent), m_popup(std::move(popup)), m_drop(std::move(drop)) {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
        setAcceptDrops(true);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override {
        if (event->button() == Qt::RightButton) {
            m_popup();
        }
        event->accept();
    }
    void dragEnterEvent(QDragEnterEvent *event) override { event->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent *event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent *event) override {
        event->acceptProposedAction();
        m_drop(event->mimeData());
    }

private:
    std::function<void()> m_popup;
    std::function<void(const QMimeData *)> m_drop;
};

// A 32-bit value read as text, its default computed in floating point.
int32_t GetLongText(const PrivateProfile &p, const QString &section, const QString &key,
                    double fallback) {
    return p.ToLong(section, key, p.GetString(section, key, QString::number(fallback, 'f', 6)));
}

// Nearest integer, halves to even, held to what a scroll bar takes.
int ScrollMaximum(double units) {
    const double r = std::nearbyint(units);
    return static_cast<int>(std::clamp(r, 0.0, double(std::numeric_limits<int>::max())));
}

} // namespace

frmChordScore::frmChordScore() {
    setWindowTitle(QStringLiteral("Tamblin"));
    setWindowIcon(appicon::Icon());
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    m_picView = new ViewPort(
        m_client, [this] { ClickPopupMenu(); }, [this](const QMimeData *d) { OpenDroppedFile(d); });
    m_chsChord = new ChordScore(m_picView);
    m_hsbScore = new QScrollBar(Qt::Horizontal, m_client);
    m_vsbScore = new QScrollBar(Qt::Vertical, m_client);
    m_hsbScore->setFocusPolicy(Qt::NoFocus);
    m_vsbScore->setFocusPolicy(Qt::NoFocus);
    m_tmrCheckResize = new QTimer(this);
    m_tmrCheckResize->setInterval(2000);

    connect(m_chsChord, &ChordScore::DrawStart, this, &frmChordScore::chsChord_DrawStart);
    connect(m_chsChord, &ChordScore::DrawEnd, this, &frmChordScore::chsChord_DrawEnd);
    connect(m_chsChord, &ChordScore::Paste, this, &frmChordScore::PasteText);
    connect(m_chsChord, &ChordScore::DropFile, this, &frmChordScore::OpenDroppedFile);
    connect(m_chsChord, &ChordScore::AddToDictionary, this, &frmChordScore::AddChordToDictionary);
    connect(m_hsbScore, &QScrollBar::valueChanged, this, &frmChordScore::hsbScore_Change);
    connect(m_vsbScore, &QScrollBar::valueChanged, this, &frmChordScore::vsbScore_Change);
    connect(m_tmrCheckResize, &QTimer::timeout, this, &frmChordScore::tmrCheckResize_Timer);

    BuildMenus();
    Form_Load();
    // Keys are seen here before any child control gets them.
    qApp->installEventFilter(this);
    m_tmrCheckResize->start();
    m_loaded = true;
}

frmChordScore::~frmChordScore() {
    qApp->removeEventFilter(this);
}

void frmChordScore::BuildMenus() {
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile_Open =
        file->addAction(QStringLiteral("開く(&O)..."), this, &frmChordScore::mnuFile_Open_Click);
    mnuFile_Dummy2 = file->addSeparator();
    mnuFile_File.assign(10, nullptr);
    for (int16_t i = 1; i <= 9; ++i) {
        mnuFile_File[static_cast<size_t>(i)] =
            file->addAction(QString::number(i), this, [this, i] { mnuFile_File_Click(i); });
    }
    mnuFile_Dummy3 = file->addSeparator();
    mnuFile_Exit = file->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);

    mnuEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    connect(mnuEdit, &QMenu::aboutToShow, this, &frmChordScore::mnuEdit_Open);
    mnuEdit_Paste =
        mnuEdit->addAction(QStringLiteral("貼り付け(&P)"), this, &frmChordScore::PasteText);
    mnuEdit_Paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));

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
    mnuVisible_Capo = visible->addMenu(QStringLiteral("カポ(&C)"));
    QAction *none = mnuVisible_Capo->addAction(QStringLiteral("なし(&0)"));
    none->setCheckable(true);
    connect(none, &QAction::triggered, this, [this] { SetCapo(0); });
    mnuVisible_CapoFlat.assign(1, none);
    visible->addSeparator();
    mnuVisible_Missing = visible->addAction(QStringLiteral("辞書にないコード(&M)..."), this,
                                            [this] { frmMissingChords::ShowModal(this); });
    visible->addSeparator();
    mnuVisible_Page = visible->addAction(QStringLiteral("改ページ(&R)"));
    mnuVisible_Page->setCheckable(true);
    // A checkable action has inverted its check mark already.
    connect(mnuVisible_Page, &QAction::triggered, this, &frmChordScore::mnuVisible_Page_Click);

    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelp_Setting = help->addAction(QStringLiteral("設定(&S)..."), this,
                                      [this] { frmSetting::ShowModal(this); });
    help->addSeparator();
    mnuHelp_Version = help->addAction(QStringLiteral("バージョン情報(&A)..."), this,
                                      [this] { frmVersion::ShowModal(this); });

    mnuPopup = new QMenu(QStringLiteral("ポップアップ"), this);
    mnuPopup_Paste =
        mnuPopup->addAction(QStringLiteral("貼り付け"), this, &frmChordScore::PasteText);
}

void frmChordScore::Form_Load() {
    const PrivateProfile &profile = basMain::oProfile();
    m_busy = false;

    const QSize screen = QGuiApplication::primaryScreen()->geometry().size() * kTwipsPerPixel;
    const double sw = screen.width();
    const double sh = screen.height();
    const int32_t height = GetLongText(profile, "Window", "Height", sh / 2);
    const int32_t width = GetLongText(profile, "Window", "Width", sw / 2);
    const int32_t top = GetLongText(profile, "Window", "Top", (sh - height) / 2);
    const int32_t left = GetLongText(profile, "Window", "Left", (sw - width) / 2);
    // A hand-edited size or position must not make a window bigger than the
    // screen, or one nobody can reach.
    const QScreen *primary = QGuiApplication::primaryScreen();
    const QRect placed =
        windowplacement::Restore(left, top, width, height, primary->availableVirtualGeometry(),
                                 primary->availableGeometry().size());
    resize(placed.size());
    move(placed.topLeft());

    m_preOpenedDir = profile.GetPath("Setting", "PreOpenedDir", appinfo::ProgramDirectory());

    m_hsbScore->setPageStep(HsbLargeChange);
    m_hsbScore->setSingleStep(HsbSmallChange);
    m_hsbScore->setRange(0, 0);
    m_hsbScore->setValue(0);
    m_vsbScore->setPageStep(VsbLargeChange);
    m_vsbScore->setSingleStep(VsbSmallChange);
    m_vsbScore->setRange(0, 0);
    m_vsbScore->setValue(0);

    m_history = std::make_unique<FileHistory>();
    m_history->SetHistorySize(9);
    for (int16_t i = 1; i <= 9; ++i) {
        m_history->SetMenu(i, mnuFile_File[static_cast<size_t>(i)]);
    }
    m_history->SetDummy(mnuFile_Dummy3);
    m_history->SetProfile(&basMain::oProfile(), "History");
    m_history->LoadHistoryFile();

    ChordView *t = m_chsChord->Properties();
    t->SetChord(basMain::oChord());
    t->SetAdjustFlatStart(profile.GetBoolean("Setting", "AdjustFlatStart", t->AdjustFlatStart()));
    profile.SetFont("ChordNameFont", *t->ChordNameFont());
    t->SetEnableChordNameColor(
        profile.GetLong("ChordName", "EnableColor", t->EnableChordNameColor()));
    t->SetUnEnableChordNameColor(
        profile.GetLong("ChordName", "UnEnableColor", t->UnEnableChordNameColor()));
    profile.SetFont("WordFont", *t->WordFont());
    t->SetEnableWordColor(profile.GetLong("Word", "EnableColor", t->EnableWordColor()));
    t->SetUnEnableWordColor(profile.GetLong("Word", "UnEnableColor", t->UnEnableWordColor()));

    m_chsChord->SetTabSize(profile.GetInt("Setting", "TabSize", m_chsChord->TabSize()));

    for (int16_t i = 1; i <= 9; ++i) {
        QAction *a = mnuVisible_Capo->addAction(QStringLiteral("&%1").arg(i));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i] { SetCapo(i); });
        mnuVisible_CapoFlat.push_back(a);
    }
    int16_t capo = profile.GetInt("Setting", "Capo", int16_t{0});
    if (capo < 0 || capo > 9) {
        capo = 0;
    }
    SetCapo(capo);
    mnuVisible_Page->setChecked(profile.GetBoolean("Setting", "PageReturn", false));
}

void frmChordScore::SaveSettings() {
    const PrivateProfile &profile = basMain::oProfile();
    profile.WritePath("Setting", "PreOpenedDir", m_preOpenedDir);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        profile.WriteLong("Window", "Height", windowplacement::ToTwips(height()));
        profile.WriteLong("Window", "Width", windowplacement::ToTwips(width()));
        profile.WriteLong("Window", "Top", windowplacement::ToTwips(pos().y()));
        profile.WriteLong("Window", "Left", windowplacement::ToTwips(pos().x()));
    }
    m_history->SaveHistoryFile();
    const ChordView *t = m_chsChord->Properties();
    profile.WriteBoolean("Setting", "AdjustFlatStart", t->AdjustFlatStart());
    profile.WriteFont("ChordNameFont", *t->ChordNameFont());
    profile.WriteLong("ChordName", "EnableColor", t->EnableChordNameColor());
    profile.WriteLong("ChordName", "UnEnableColor", t->UnEnableChordNameColor());
    profile.WriteFont("WordFont", *t->WordFont());
    profile.WriteLong("Word", "EnableColor", t->EnableWordColor());
    profile.WriteLong("Word", "UnEnableColor", t->UnEnableWordColor());
    profile.WriteInt("Setting", "TabSize", m_chsChord->TabSize());
    const int16_t capo = CheckedCapo();
    if (capo >= 0) {
        profile.WriteInt("Setting", "Capo", capo);
    }
    profile.WriteBoolean("Setting", "PageReturn", mnuVisible_Page->isChecked());
    profile.WritePath("Chord", "Filename", basPath::GetFileName(basMain::oChord()->Filename()));
}

void frmChordScore::closeEvent(QCloseEvent *event) {
    if (m_busy) {
        event->ignore();
        return;
    }
    {
        // One commit: a kill during the close leaves the old file or the new one.
        profile::WriteBatch batch(basMain::oProfile().IniFilename());
        SaveSettings();
        batch.Commit();
    }
    m_tmrCheckResize->stop();
    event->accept();
}

int16_t frmChordScore::CheckedCapo() const {
    for (size_t i = 0; i < mnuVisible_CapoFlat.size(); ++i) {
        if (mnuVisible_CapoFlat[i]->isChecked()) {
            return static_cast<int16_t>(i);
        }
    }
    return -1;
}

bool frmChordScore::PageReturn() const {
    return mnuVisible_Page->isChecked();
}

void frmChordScore::SetCapo(int16_t iCapo) {
    m_chsChord->SetCapo(iCapo);
    for (QAction *a : mnuVisible_CapoFlat) {
        a->setChecked(false);
    }
    if (iCapo >= 0 && static_cast<size_t>(iCapo) < mnuVisible_CapoFlat.size()) {
        mnuVisible_CapoFlat[static_cast<size_t>(iCapo)]->setChecked(true);
    }
}

void frmChordScore::ReloadPositionIni(const QString &sIniFile) {
    const QString path = basPath::AddBackslash(appinfo::ProgramDirectory()) + sIniFile;
    try {
        Chord scratch;
        scratch.LoadChordPosition(path);
        basMain::oChord()->LoadChordPosition(path);
        m_chsChord->Refresh();
    } catch (const AppError &e) {
        EndDraw();
        msgbox::ShowError(this, e.Description());
    }
}

void frmChordScore::AddChordToDictionary(const QString &sChordName) {
    Chord *chord = basMain::oChord().get();
    try {
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
    try {
        ResetScroll();
        BeginDraw();
        m_chsChord->LoadChordScore(sPath);
        m_history->AddHistory(sPath);
        EndDraw();
    } catch (const AppError &e) {
        EndDraw();
        msgbox::ShowError(this, e.Description());
        return;
    }
    ApplySheetCapo();
}

void frmChordScore::ApplySheetCapo() {
    // A ChordPro {capo: n}, as if the user had pressed the digit.
    if (m_chsChord->SheetCapo() >= 0) {
        try {
            SetCapo(m_chsChord->SheetCapo());
        } catch (const AppError &e) {
            msgbox::ShowError(this, e.Description());
        }
    }
}

void frmChordScore::ShowText(const QString &sText) {
    try {
        ResetScroll();
        BeginDraw();
        m_chsChord->SetText(sText);
        EndDraw();
    } catch (const AppError &e) {
        EndDraw();
        msgbox::ShowError(this, e.Description());
        return;
    }
    ApplySheetCapo();
}

void frmChordScore::PasteText() {
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    const QString text = clip && clip->hasText() ? clip->text() : QString();
    // The same bound as for a sheet file: a huge clipboard is no chord sheet.
    if (text.size() > sheetfile::MaxBytes) {
        msgbox::ShowError(
            this, QStringLiteral("クリップボードのテキストが大きすぎるため貼り付けられません "
                                 "(%1 MB まで)")
                      .arg(sheetfile::MaxBytes / (qint64{1024} * 1024)));
        return;
    }
    ShowText(sheetfile::ToCrLf(text));
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
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    mnuEdit_Paste->setEnabled(clip && clip->hasText());
}

void frmChordScore::mnuVisible_Page_Click() {
    if (mnuVisible_Page->isChecked()) {
        m_chsChord->SetFixHeight(ViewHeightTwips());
        m_hsbScore->setValue(m_hsbScore->minimum());
    } else {
        m_chsChord->SetFixHeight(0);
        m_vsbScore->setValue(m_vsbScore->minimum());
    }
}

void frmChordScore::ClickPopupMenu() {
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    mnuPopup_Paste->setEnabled(clip && clip->hasText());
    mnuPopup->exec(QCursor::pos());
}

void frmChordScore::BeginDraw() {
    EnableCommands(false);
    setCursor(Qt::WaitCursor);
    m_busy = true;
}

void frmChordScore::EndDraw() {
    EnableCommands(true);
    unsetCursor();
    m_busy = false;
}

void frmChordScore::EnableCommands(bool bEnabled) {
    mnuFile_Open->setEnabled(bEnabled);
    for (int16_t i = 1; i <= 9; ++i) {
        mnuFile_File[static_cast<size_t>(i)]->setEnabled(bEnabled);
    }
    mnuFile_Exit->setEnabled(bEnabled);
    mnuEdit_Paste->setEnabled(bEnabled);
    for (int16_t i = 1; i <= 3; ++i) {
        mnuVisible_State[static_cast<size_t>(i)]->setEnabled(bEnabled);
    }
}

void frmChordScore::chsChord_DrawStart() {
    BeginDraw();
    m_chsChord->hide();
}

void frmChordScore::chsChord_DrawEnd() {
    m_chsChord->show();
    LayoutView();
    EndDraw();
}

// --- keys, scrolling, resizing ---

bool frmChordScore::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_client && event->type() == QEvent::Resize && m_loaded) {
        Form_Resize();
    }
    if (event->type() == QEvent::Wheel) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && (w == m_client || m_client->isAncestorOf(w)) &&
            Form_Wheel(*static_cast<QWheelEvent *>(event))) {
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto *w = qobject_cast<QWidget *>(watched);
        // Only keys meant for this window: not those of menus or dialogs.
        if (w && w->window() == this && !qobject_cast<QMenuBar *>(w)) {
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

bool frmChordScore::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_PageUp:
        ScrollUp(m_vsbScore->pageStep());
        return true;
    case Qt::Key_PageDown:
        ScrollDown(m_vsbScore->pageStep());
        return true;
    case Qt::Key_End: {
        QScrollBar *bar = ctrl ? m_vsbScore : m_hsbScore;
        if (bar->isEnabled()) {
            bar->setValue(bar->maximum());
        }
        return true;
    }
    case Qt::Key_Home: {
        QScrollBar *bar = ctrl ? m_vsbScore : m_hsbScore;
        if (bar->isEnabled()) {
            bar->setValue(bar->minimum());
        }
        return true;
    }
    case Qt::Key_Left:
        ScrollLeft(m_hsbScore->singleStep());
        return true;
    case Qt::Key_Up:
        ScrollUp(m_vsbScore->singleStep());
        return true;
    case Qt::Key_Right:
        ScrollRight(m_hsbScore->singleStep());
        return true;
    case Qt::Key_Down:
        ScrollDown(m_vsbScore->singleStep());
        return true;
    case Qt::Key_F5:
        ReloadPositionIni(basPath::GetFileName(basMain::oChord()->Filename()));
        return true;
    default:
        break;
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

bool frmChordScore::Form_Wheel(const QWheelEvent &event) {
    // Ctrl+wheel is kept for zooming.
    if (event.modifiers() & Qt::ControlModifier) {
        return false;
    }
    const scoreviewport::WheelSteps steps =
        m_wheel.Take(event.angleDelta(), event.pixelDelta(), event.modifiers() & Qt::ShiftModifier,
                     m_hsbScore->singleStep(), m_vsbScore->singleStep());
    if (steps.Horizontal != 0) {
        ScrollStep(m_hsbScore, steps.Horizontal);
    }
    if (steps.Vertical != 0) {
        ScrollStep(m_vsbScore, steps.Vertical);
    }
    return true;
}

namespace {
// One step on a bar, held to its range; nothing while the bar is off. The
// sum is formed wider than the value so that it cannot wrap.
void Step(QScrollBar *bar, qint64 delta) {
    if (!bar->isEnabled()) {
        return;
    }
    const int edge = delta < 0 ? bar->minimum() : bar->maximum();
    if (bar->value() == edge) {
        return;
    }
    const qint64 v = qint64(bar->value()) + delta;
    bar->setValue(delta < 0 ? int(std::max<qint64>(v, edge)) : int(std::min<qint64>(v, edge)));
}
} // namespace

void frmChordScore::ScrollStep(QScrollBar *bar, int64_t delta) {
    Step(bar, delta);
}

void frmChordScore::ScrollUp(int iStep) {
    Step(m_vsbScore, -qint64(iStep));
}
void frmChordScore::ScrollDown(int iStep) {
    Step(m_vsbScore, iStep);
}
void frmChordScore::ScrollLeft(int iStep) {
    Step(m_hsbScore, -qint64(iStep));
}
void frmChordScore::ScrollRight(int iStep) {
    Step(m_hsbScore, iStep);
}

void frmChordScore::ResetScroll() {
    m_hsbScore->setValue(m_hsbScore->minimum());
    m_vsbScore->setValue(m_vsbScore->minimum());
}

void frmChordScore::hsbScore_Change(int value) {
    m_chsChord->move(Px(-(int32_t(value) * kScrollUnit)), m_chsChord->y());
}

void frmChordScore::vsbScore_Change(int value) {
    m_chsChord->move(m_chsChord->x(), Px(-(int32_t(value) * kScrollUnit)));
}

int32_t frmChordScore::ViewWidthTwips() const {
    return m_picView->width() * kTwipsPerPixel;
}
int32_t frmChordScore::ViewHeightTwips() const {
    return m_picView->height() * kTwipsPerPixel;
}

void frmChordScore::LayoutView() {
    if (isMinimized()) {
        return;
    }
    const int32_t W = m_client->width() * kTwipsPerPixel;
    const int32_t H = m_client->height() * kTwipsPerPixel;
    const int32_t V = ScrollBarTwips;
    const int32_t B = ScrollBarTwips;
    if (W - V <= 0 || H - B <= 0) {
        return;
    }
    m_picView->setGeometry(0, 0, Px(W - V), Px(H - B));
    const int32_t w = ViewWidthTwips();
    const int32_t h = ViewHeightTwips();
    const int32_t scoreW = m_chsChord->WidthTwips();
    const int32_t scoreH = m_chsChord->HeightTwips();
    const int32_t dx = scoreW - w;
    const int32_t dy = scoreH - h;

    m_hsbScore->setGeometry(0, Px(H - B), Px(W - V), Px(B));
    if (scoreW < w) {
        m_chsChord->move(0, m_chsChord->y());
        // An empty range: a disabled bar shows no thumb.
        m_hsbScore->setRange(0, 0);
        m_hsbScore->setEnabled(false);
    } else {
        m_hsbScore->setRange(0, ScrollMaximum(dx / double(kScrollUnit)));
        m_hsbScore->setEnabled(true);
    }
    m_vsbScore->setGeometry(Px(W - V), 0, Px(V), Px(H - B));
    if (scoreH < h || mnuVisible_Page->isChecked()) {
        m_chsChord->move(m_chsChord->x(), 0);
        m_vsbScore->setRange(0, 0);
        m_vsbScore->setEnabled(false);
    } else {
        m_vsbScore->setRange(0, ScrollMaximum(dy / double(kScrollUnit)));
        m_vsbScore->setEnabled(true);
    }
}

void frmChordScore::Form_Resize() {
    LayoutView();
}

void frmChordScore::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    // Restoring from minimized lays out again.
    if (event->type() == QEvent::WindowStateChange && m_loaded && !isMinimized()) {
        Form_Resize();
    }
}

void frmChordScore::tmrCheckResize_Timer() {
    if (mnuVisible_Page->isChecked()) {
        m_chsChord->SetFixHeight(ViewHeightTwips());
    }
}
