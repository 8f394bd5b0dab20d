// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "app/ReadingControls.h"
#include "app/WindowPlacement.h"
#include "app/basMain.h"
#include "app/frmChordScore.h"
#include "chords/Chord.h"
#include "platform/AppError.h"
#include "platform/AppInfo.h"
#include "platform/MessageBox.h"
#include "platform/basFileOpen.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"
#include "score/Fonts.h"
#include "settings/FileHistory.h"
#include "settings/PrivateProfile.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QWheelEvent>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

using namespace testsupport;

// A poppler tool's standard output; empty if it could not run.
QString Poppler(const QString &tool, const QStringList &args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(tool), p.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// True when every needle is found in text, in order.
bool InOrder(const QString &text, const QStringList &needles, QString *missing) {
    qsizetype at = 0;
    for (const QString &n : needles) {
        const qsizetype found = text.indexOf(n, at);
        if (found < 0) {
            *missing = n;
            return false;
        }
        at = found + n.size();
    }
    return true;
}

const QString kBin = QStringLiteral(TAMBLIN_BIN_DIR);

// Drops urls on w as a drag would: enter, then drop.
void DropOn(QWidget *w, const QList<QUrl> &urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
}

// Twenty rows of fourteen chords: wider and taller than the window.
void PasteWideSheet(frmChordScore &w) {
    QStringList lines;
    for (int i = 0; i < 20; ++i) {
        lines << QStringLiteral("C   G   Am  F   C   G   Am  F   C   G   Am  F   C   G") << "la";
    }
    QGuiApplication::clipboard()->setText(lines.join("\r\n"));
    w.mnuEdit_Paste->trigger();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void songRemembered();
    void firstStart();
    void roundTrip();
    void badSettings_data();
    void badSettings();
    void capoOutOfRange();
    void capoByMenuAndKeys();
    void busyRefusesClose();
    void paste();
    void dropOpensFirst();
    void pageReturnFollowsTimer();
    void scrollArithmetic();
    void restoredGeometry_data();
    void restoredGeometry();
    void wheel_data();
    void wheel();
    void longScoreStaysReachable();
    void openDialog();
    void openDialogCancelled();
    void openFailureKeepsSheet();
    void reloadPositionFile();
    void sheetDeletedAfterChoice();
    void hugeClipboard();
    void addToDictionary();
    void longSheet();
    void zoomKeepsRow_data();
    void zoomKeepsRow();
    void readingSettingsRoundTrip();
    void autoScrollInWindow();
    void fullScreen();
    void voicingForWholeSheet();
    void capoAdvice();
    void pdfOfSamples_data();
    void pdfOfSamples();
    void pdfCarriesCapoAndStates();
    void pdfPathNotWritable();
    void pdfFailureKeepsOldFile_data();
    void pdfFailureKeepsOldFile();

private:
    std::unique_ptr<frmChordScore> MakeWindow();
    QString Ini() const { return m_dir.filePath("tamblin.INI"); }

    QTemporaryDir m_dir;
    QStringList m_messages;
};

void TestMainWindow::initTestCase() {
    // Qt's file dialog keeps its column widths in the user's configuration.
    qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toLocal8Bit());
    // Position files the tests write go here, not beside the executable.
    appinfo::SetProgramDirectory(m_dir.path());
    scorefonts::InstallFontSubstitutions();
    msgbox::SetSink([this](const QString &m) { m_messages << m; });
}

void TestMainWindow::init() {
    QFile::remove(Ini());
    m_messages.clear();
    basMain::CreateGlobals();
    basMain::oProfile().SetIniFilename(Ini());
    basMain::oChord()->LoadChordPosition(kBin + "/POSITION.INI");
}

void TestMainWindow::cleanup() {
    basMain::DestroyGlobals();
}

std::unique_ptr<frmChordScore> TestMainWindow::MakeWindow() {
    auto w = std::make_unique<frmChordScore>();
    basMain::SetMainWindow(w.get());
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) {
        qWarning("main window not exposed");
    }
    return w;
}

void TestMainWindow::firstStart() {
    auto w = MakeWindow();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QCOMPARE(w->size(), screen / 2);
    QCOMPARE(w->pos(), QPoint((screen.width() - screen.width() / 2) / 2,
                              (screen.height() - screen.height() / 2) / 2));
    QCOMPARE(w->windowTitle(), QString("Tamblin"));
    QCOMPARE(w->CheckedCapo(), int16_t(0));
    QCOMPARE(w->mnuVisible_CapoFlat.size(), size_t(10));
    QCOMPARE(w->mnuVisible_CapoFlat[0]->text(), QString("なし(&0)"));
    QCOMPARE(w->mnuVisible_CapoFlat[7]->text(), QString("&7"));
    QVERIFY(!w->PageReturn());
    QCOMPARE(w->PreOpenedDir(), appinfo::ProgramDirectory());
    QCOMPARE(w->chsChord()->ChordViewCount(), int16_t(0));
    QCOMPARE(w->tmrCheckResize()->interval(), 2000);
    QVERIFY(w->tmrCheckResize()->isActive());
    QCOMPARE(w->mnuEdit_Paste->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    QCOMPARE(w->mnuVisible_State[1]->shortcut(), QKeySequence(Qt::Key_F6));
    QCOMPARE(w->mnuVisible_State[3]->shortcut(), QKeySequence(Qt::Key_F8));
    QVERIFY(!w->mnuFile_Dummy3->isVisible()); // no history yet
    QVERIFY(!QFile::exists(Ini()));           // loading writes nothing
    QVERIFY(w->close());
    QVERIFY(QFile::exists(Ini()));
}

void TestMainWindow::roundTrip() {
    const QByteArray settings =
        "[Window]\r\nHeight=4500\r\nWidth=6000\r\nTop=300\r\nLeft=450\r\n"
        "[Setting]\r\nPreOpenedDir=/music/\r\nAdjustFlatStart=True\r\nTabSize=8\r\nCapo=3\r\n"
        "PageReturn=True\r\n"
        "[ChordNameFont]\r\nName=Liberation Serif\r\nSize=12\r\nBold=False\r\nWeight=400\r\n"
        "[WordFont]\r\nName=IPAGothic\r\nSize=11\r\nItalic=True\r\n"
        "[ChordName]\r\nEnableColor=255\r\nUnEnableColor=65280\r\n"
        "[Word]\r\nEnableColor=16711680\r\nUnEnableColor=8421504\r\n"
        "[History]\r\n1=/music/a.txt\r\n2=/music/b.txt\r\n"
        "[Chord]\r\nFilename=/elsewhere/POSITION.INI\r\n";
    WriteAll(Ini(), settings);
    {
        auto w = MakeWindow();
        QCOMPARE(w->size(), QSize(400, 300));
        QCOMPARE(w->pos(), QPoint(30, 20));
        QCOMPARE(w->PreOpenedDir(), QString("/music/"));
        const ChordView *t = w->chsChord()->Properties();
        QVERIFY(t->AdjustFlatStart());
        QCOMPARE(t->ChordNameFont()->Name(), QString("Liberation Serif"));
        QCOMPARE(t->ChordNameFont()->Size(), 12.0);
        QVERIFY(!t->ChordNameFont()->Bold());
        QCOMPARE(t->WordFont()->Name(), QString("IPAGothic"));
        QVERIFY(t->WordFont()->Italic());
        QCOMPARE(t->EnableChordNameColor(), 255);
        QCOMPARE(t->UnEnableChordNameColor(), 65280);
        QCOMPARE(t->EnableWordColor(), 16711680);
        QCOMPARE(t->UnEnableWordColor(), 8421504);
        QCOMPARE(w->chsChord()->TabSize(), int16_t(8));
        QCOMPARE(w->CheckedCapo(), int16_t(3));
        QVERIFY(w->PageReturn());
        QCOMPARE(w->History()->HistoryItem(1), QString("/music/a.txt"));
        QCOMPARE(w->mnuFile_File[2]->text(), QString("&2 /music/b.txt"));
        QVERIFY(w->mnuFile_File[2]->isVisible());
        QVERIFY(!w->mnuFile_File[3]->isVisible());
        QVERIFY(w->close());
    }
    const QByteArray after = ReadAll(Ini());
    for (const char *line : {"Height=4500",
                             "Width=6000",
                             "Top=300",
                             "Left=450",
                             "PreOpenedDir=/music/",
                             "AdjustFlatStart=True",
                             "TabSize=8",
                             "Capo=3",
                             "PageReturn=True",
                             "Name=Liberation Serif",
                             "Size=12",
                             "Italic=True",
                             "EnableColor=255",
                             "UnEnableColor=65280",
                             "EnableColor=16711680",
                             "UnEnableColor=8421504",
                             "1=/music/a.txt",
                             "2=/music/b.txt",
                             "3=\r\n",
                             "Filename=POSITION.INI"}) {
        QVERIFY2(after.contains(line), line);
    }
}

void TestMainWindow::badSettings_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("number");
    QTest::newRow("height abc") << QByteArray("[Window]\r\nHeight=abc\r\n") << 13;
    QTest::newRow("capo abc") << QByteArray("[Setting]\r\nCapo=abc\r\n") << 13;
    QTest::newRow("tab size overflow") << QByteArray("[Setting]\r\nTabSize=99999\r\n") << 6;
    QTest::newRow("colour text") << QByteArray("[Word]\r\nEnableColor=red\r\n") << 13;
    QTest::newRow("font size empty") << QByteArray("[WordFont]\r\nSize=\r\n") << 13;
}

// A value that does not convert stops loading with the store's error, which
// names the file; nothing is written.
void TestMainWindow::badSettings() {
    QFETCH(QByteArray, settings);
    QFETCH(int, number);
    WriteAll(Ini(), settings);
    try {
        frmChordScore w;
        QFAIL("loading must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), number);
        QVERIFY2(e.Description().contains(Ini()), qPrintable(e.Description()));
    }
    QCOMPARE(ReadAll(Ini()), settings);
}

void TestMainWindow::capoOutOfRange() {
    WriteAll(Ini(), "[Setting]\r\nCapo=12\r\n");
    auto w = MakeWindow();
    QCOMPARE(w->CheckedCapo(), int16_t(0));
    QVERIFY(w->close());
    QVERIFY(ReadAll(Ini()).contains("Capo=0\r\n"));
}

void TestMainWindow::capoByMenuAndKeys() {
    auto w = MakeWindow();
    QGuiApplication::clipboard()->setText("D     A7\r\nla la la");
    w->mnuEdit_Paste->trigger();
    ChordScore *s = w->chsChord();
    QCOMPARE(s->Cell(1)->ChordName(), QString("D"));
    w->mnuVisible_CapoFlat[2]->trigger();
    QCOMPARE(s->Cell(1)->ChordName(), QString("C"));
    QCOMPARE(w->CheckedCapo(), int16_t(2));
    w->mnuVisible_CapoFlat[2]->trigger(); // the checked item again: still exactly one
    QCOMPARE(w->CheckedCapo(), int16_t(2));
    int checked = 0;
    for (QAction *a : w->mnuVisible_CapoFlat) {
        checked += a->isChecked() ? 1 : 0;
    }
    QCOMPARE(checked, 1);
    // Keys reach the window first, whichever child has the focus.
    QTest::keyClick(s, Qt::Key_5);
    QCOMPARE(w->CheckedCapo(), int16_t(5));
    QCOMPARE(s->Cell(1)->ChordName(), QString("A"));
    QTest::keyClick(w->picView(), Qt::Key_3, Qt::ShiftModifier);
    QCOMPARE(w->CheckedCapo(), int16_t(3));
    QTest::keyClick(w.get(), Qt::Key_9, Qt::KeypadModifier);
    QCOMPARE(w->CheckedCapo(), int16_t(9));
    QTest::keyClick(w.get(), Qt::Key_0);
    QCOMPARE(s->Cell(2)->ChordName(), QString("A7"));
}

void TestMainWindow::busyRefusesClose() {
    auto w = MakeWindow();
    w->chsChord_DrawStart();
    QVERIFY(w->Busy());
    QVERIFY(!w->mnuFile_Open->isEnabled());
    QVERIFY(!w->mnuVisible_State[2]->isEnabled());
    QVERIFY(w->mnuVisible_Page->isEnabled());
    QCOMPARE(w->cursor().shape(), Qt::WaitCursor);
    QVERIFY(!w->close());
    QVERIFY(!QFile::exists(Ini()));
    // Brackets nest: the window is busy until the outermost ends.
    w->chsChord_DrawStart();
    w->chsChord_DrawEnd();
    QVERIFY(w->Busy());
    QVERIFY(!w->chsChord()->updatesEnabled());
    w->chsChord_DrawEnd();
    QVERIFY(!w->Busy());
    QVERIFY(w->mnuFile_Open->isEnabled());
    // A sheet that fails half-way through its rebuild leaves the window
    // idle and its score painted.
    const QString longLine = m_dir.filePath("long.txt");
    WriteAll(longLine, QByteArray(40000, 'x'));
    w->OpenChordFile(longLine);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(!w->Busy());
    QVERIFY(w->chsChord()->updatesEnabled());
    QVERIFY(w->close());
    QVERIFY(QFile::exists(Ini()));
}

void TestMainWindow::paste() {
    auto w = MakeWindow();
    QGuiApplication::clipboard()->setText("G   C\nla  li\n\nplain\n");
    emit w->mnuEdit->aboutToShow();
    QVERIFY(w->mnuEdit_Paste->isEnabled());
    w->mnuEdit_Paste->trigger();
    ChordScore *s = w->chsChord();
    QCOMPARE(s->ChordViewCount(), int16_t(4)); // lone LF line ends work
    QCOMPARE(s->Cell(2)->Word(), QString("li"));
    QCOMPARE(w->History()->HistoryCount(), int16_t(0)); // pasting is no file
    auto *data = new QMimeData;
    data->setData("image/png", "x");
    QGuiApplication::clipboard()->setMimeData(data);
    emit w->mnuEdit->aboutToShow();
    QVERIFY(!w->mnuEdit_Paste->isEnabled());
    // Ctrl+V follows the item: disabled now, so nothing happens.
    QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s->ChordViewCount(), int16_t(4));
    // A paste with no text makes an empty sheet.
    w->mnuPopup_Paste->trigger();
    QCOMPARE(s->ChordViewCount(), int16_t(0));
    QVERIFY(m_messages.isEmpty());
}

void TestMainWindow::dropOpensFirst() {
    auto w = MakeWindow();
    DropOn(w->picView(), {QUrl::fromLocalFile(kBin + "/samples/sakura.txt"),
                          QUrl::fromLocalFile(kBin + "/samples/furusato.txt"),
                          QUrl::fromLocalFile(kBin + "/samples/amazing_grace.txt")});
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
    QVERIFY2(w->chsChord()->ChordViewCount() > 10,
             qPrintable(QString::number(w->chsChord()->ChordViewCount())));
    QCOMPARE(w->History()->HistoryCount(), int16_t(1));
    QCOMPARE(w->History()->HistoryItem(1), kBin + "/samples/sakura.txt");
    // Dropped on the score, where the cells are painted: it passes it on.
    DropOn(w->chsChord(), {QUrl::fromLocalFile(kBin + "/samples/furusato.txt")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(w->History()->HistoryItem(1), kBin + "/samples/furusato.txt");
    QCOMPARE(w->PreOpenedDir(), appinfo::ProgramDirectory()); // drops leave it
}

void TestMainWindow::pageReturnFollowsTimer() {
    auto w = MakeWindow();
    w->tmrCheckResize()->setInterval(20);
    QStringList lines;
    for (int i = 0; i < 120; ++i) {
        lines << QStringLiteral("line %1").arg(i);
    }
    QGuiApplication::clipboard()->setText(lines.join("\r\n"));
    w->mnuEdit_Paste->trigger();
    ChordScore *s = w->chsChord();
    QVERIFY(w->vsbScore()->isEnabled());
    w->vsbScore()->setValue(50);
    w->mnuVisible_Page->trigger();
    QVERIFY(w->PageReturn());
    QCOMPARE(s->FixHeight(), w->picView()->height() * 15);
    QVERIFY(s->SeparatorCount() > 0);
    QVERIFY(!w->vsbScore()->isEnabled());
    QCOMPARE(w->vsbScore()->maximum(), 0);
    QCOMPARE(s->y(), 0);
    QTest::keyClick(w.get(), Qt::Key_PageDown);
    QCOMPARE(s->y(), 0);
    // A taller window re-pages the score at the next tick.
    w->resize(w->width(), w->height() + 60);
    QTRY_COMPARE(s->FixHeight(), w->picView()->height() * 15);
    w->mnuVisible_Page->trigger();
    QCOMPARE(s->FixHeight(), 0);
    QVERIFY(w->vsbScore()->isEnabled());
    QCOMPARE(w->vsbScore()->value(), 0);
}

void TestMainWindow::scrollArithmetic() {
    auto w = MakeWindow();
    PasteWideSheet(*w);
    QScrollBar *v = w->vsbScore();
    QScrollBar *h = w->hsbScore();
    QVERIFY(v->isEnabled() && h->isEnabled());
    QCOMPARE(v->pageStep(), 60);
    QCOMPARE(v->singleStep(), 30);
    QCOMPARE(h->pageStep(), 90);
    QCOMPARE(h->singleStep(), 45);
    const int dy = w->chsChord()->HeightTwips() - w->picView()->height() * 15;
    QCOMPARE(v->maximum(), int(std::nearbyint(dy / 10.0))); // halves to even
    v->setValue(v->maximum() - 20);
    QTest::keyClick(w.get(), Qt::Key_PageDown);
    QCOMPARE(v->value(), v->maximum()); // clamped, not value + 60
    QCOMPARE(w->chsChord()->y(), qRound(-v->maximum() * 10 / 15.0));
    QTest::keyClick(w.get(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(v->value(), 0);
    QTest::keyClick(w.get(), Qt::Key_Down);
    QCOMPARE(v->value(), 30);
    QTest::keyClick(w.get(), Qt::Key_Up);
    QTest::keyClick(w.get(), Qt::Key_Up);
    QCOMPARE(v->value(), 0);
    QTest::keyClick(w.get(), Qt::Key_End);
    QCOMPARE(h->value(), h->maximum());
    QCOMPARE(v->value(), 0);
    QTest::keyClick(w.get(), Qt::Key_Home);
    QCOMPARE(h->value(), 0);
    QTest::keyClick(w.get(), Qt::Key_Right);
    QCOMPARE(h->value(), 45);
    QCOMPARE(w->chsChord()->x(), -30);
    QTest::keyClick(w.get(), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(v->value(), v->maximum());

    // A narrow sheet: the horizontal bar is off and its keys do nothing.
    QGuiApplication::clipboard()->setText("C\r\nla");
    w->mnuEdit_Paste->trigger();
    QVERIFY(!h->isEnabled());
    QCOMPARE(h->maximum(), 0); // no thumb on a disabled bar
    QTest::keyClick(w.get(), Qt::Key_Right);
    QTest::keyClick(w.get(), Qt::Key_End);
    QCOMPARE(h->value(), 0);
    QCOMPARE(w->chsChord()->x(), 0);

    // Too narrow a window: nothing is laid out, the sizes stay.
    const QRect before = w->picView()->geometry();
    w->resize(10, w->height());
    QCOMPARE(w->picView()->geometry(), before);
}

void TestMainWindow::restoredGeometry_data() {
    QTest::addColumn<QList<qint64>>("stored"); // left, top, width, height in twips
    QTest::addColumn<QRect>("placed");
    const qint64 big = std::numeric_limits<int32_t>::max();
    const qint64 small = std::numeric_limits<int32_t>::min();
    QTest::newRow("fits: unchanged")
        << QList<qint64>{450, 300, 6000, 4500} << QRect(30, 20, 400, 300);
    QTest::newRow("halves round up")
        << QList<qint64>{-105, 0, 6000, 4500} << QRect(-7, 0, 400, 300);
    QTest::newRow("huge width") << QList<qint64>{0, 0, big, 4500} << QRect(0, 0, 1280, 300);
    QTest::newRow("huge height") << QList<qint64>{0, 0, 6000, big} << QRect(0, 0, 400, 800);
    QTest::newRow("far left") << QList<qint64>{small, 0, 6000, 4500} << QRect(-300, 0, 400, 300);
    QTest::newRow("far right") << QList<qint64>{big, 0, 6000, 4500} << QRect(1180, 0, 400, 300);
    QTest::newRow("far up") << QList<qint64>{0, small, 6000, 4500} << QRect(0, -200, 400, 300);
    QTest::newRow("far down") << QList<qint64>{0, big, 6000, 4500} << QRect(0, 700, 400, 300);
    QTest::newRow("nothing") << QList<qint64>{0, 0, 0, -15} << QRect(0, 0, 320, 240);
    QTest::newRow("1x1 at the far corner")
        << QList<qint64>{small, small, 15, 15} << QRect(-220, -140, 320, 240);
}

// A hand-edited geometry is held to the desktop; one that fits is kept.
void TestMainWindow::restoredGeometry() {
    QFETCH(QList<qint64>, stored);
    QFETCH(QRect, placed);
    QCOMPARE(windowplacement::Restore(stored[0], stored[1], stored[2], stored[3],
                                      QRect(0, 0, 1280, 800), QSize(1280, 800)),
             placed);
    QCOMPARE(windowplacement::ToTwips(std::numeric_limits<int>::min() / 2),
             std::numeric_limits<int32_t>::min());
}

void TestMainWindow::wheel_data() {
    QTest::addColumn<QPoint>("angle");
    QTest::addColumn<QPoint>("pixels");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("events");
    QTest::addColumn<int>("dh");
    QTest::addColumn<int>("dv");
    const int none = Qt::NoModifier;
    QTest::newRow("notch down") << QPoint(0, -120) << QPoint() << none << 1 << 0 << 30;
    QTest::newRow("two notches up") << QPoint(0, 240) << QPoint() << none << 1 << 0 << -60;
    QTest::newRow("fine wheel adds up") << QPoint(0, -40) << QPoint() << none << 3 << 0 << 30;
    QTest::newRow("fine wheel, less than a notch")
        << QPoint(0, -40) << QPoint() << none << 2 << 0 << 0;
    QTest::newRow("shift turns it")
        << QPoint(0, -120) << QPoint() << int(Qt::ShiftModifier) << 1 << 45 << 0;
    QTest::newRow("horizontal wheel") << QPoint(120, 0) << QPoint() << none << 1 << -45 << 0;
    QTest::newRow("touchpad pixels") << QPoint(0, -24) << QPoint(4, -20) << none << 1 << -6 << 30;
    QTest::newRow("held at the end")
        << QPoint(0, -120 * 100000) << QPoint() << none << 1 << 0 << 100000;
}

// The wheel over a cell scrolls by the arrow keys' steps, within the bars.
void TestMainWindow::wheel() {
    QFETCH(QPoint, angle);
    QFETCH(QPoint, pixels);
    QFETCH(int, modifiers);
    QFETCH(int, events);
    QFETCH(int, dh);
    QFETCH(int, dv);
    auto w = MakeWindow();
    PasteWideSheet(*w);
    QScrollBar *v = w->vsbScore();
    QScrollBar *h = w->hsbScore();
    v->setValue(100);
    h->setValue(100);
    ChordScore *score = w->chsChord();
    const QPointF at = score->Cell(3)->pos() + QPointF(5, 5); // over a cell
    for (int i = 0; i < events; ++i) {
        QWheelEvent e(at, score->mapToGlobal(at), pixels, angle, Qt::NoButton,
                      Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
        QApplication::sendEvent(score, &e);
    }
    QCOMPARE(h->value(), std::clamp(100 + dh, 0, h->maximum()));
    QCOMPARE(v->value(), std::clamp(100 + dv, 0, v->maximum()));
    QCOMPARE(w->chsChord()->y(), qRound(-v->value() * 10 / 15.0));
}

void TestMainWindow::longScoreStaysReachable() {
    auto w = MakeWindow();
    w->chsChord()->SetMax(4000);
    QStringList lines;
    for (int i = 0; i < 4000; ++i) {
        lines << QStringLiteral("%1").arg(i);
    }
    QGuiApplication::clipboard()->setText(lines.join("\r\n"));
    w->mnuEdit_Paste->trigger();
    ChordScore *s = w->chsChord();
    QVERIFY(s->HeightTwips() > 327670 * 2);
    QVERIFY(w->vsbScore()->maximum() > 32767);
    QTest::keyClick(w.get(), Qt::Key_End, Qt::ControlModifier);
    // The last row is inside the viewport.
    const QRect last = s->Cell(4000)->geometry().translated(s->pos());
    QVERIFY(w->picView()->rect().contains(last.bottomLeft() - QPoint(0, 1)));
}

void TestMainWindow::openDialog() {
    auto w = MakeWindow();
    w->move(60, 70);
    QString title;
    QPoint pos;
    QString filter;
    QString dir;
    QStringList listed;
    int nameRoom = -1;
    int sizeRoom = -1;
    WhenModal<QFileDialog>([&](QFileDialog *d) {
        title = d->windowTitle();
        pos = d->pos();
        filter = d->selectedNameFilter();
        dir = d->directory().absolutePath();
        // A name of 30 characters fits its column, beside its icon.
        auto *view = d->findChild<QTreeView *>("treeView");
        QVERIFY(view);
        nameRoom = view->header()->sectionSize(0) -
                   view->fontMetrics().horizontalAdvance(QString(30, u'n')) -
                   view->iconSize().width();
        // And the sizes of small files ("270 bytes") fit theirs, once listed.
        d->setDirectory(kBin + "/samples");
        QVERIFY(QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()) > 0; }));
        QTest::qWait(50);
        sizeRoom = view->header()->sectionSize(1) -
                   static_cast<QAbstractItemView *>(view)->sizeHintForColumn(1) + 1;
        // As a person types it into the file name box.
        auto *edit = d->findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(edit);
        edit->setText(kBin + "/samples/furusato.txt");
        static_cast<QDialog *>(d)->done(QDialog::Accepted);
    });
    w->mnuFile_Open->trigger();
    QCOMPARE(title, QString("ファイルを開く"));
    QVERIFY2(nameRoom > 0, qPrintable(QString::number(nameRoom)));
    QVERIFY2(sizeRoom > 0, qPrintable(QString::number(sizeRoom)));
    QCOMPARE(pos, w->pos() + QPoint(5, 40));
    QVERIFY(filter.startsWith("テキストファイル (*.txt)"));
    QCOMPARE(dir, appinfo::ProgramDirectory());
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
    QVERIFY(w->chsChord()->ChordViewCount() > 10);
    QCOMPARE(w->PreOpenedDir(), kBin + "/samples/");
    QCOMPARE(w->History()->HistoryItem(1), kBin + "/samples/furusato.txt");
    QVERIFY(w->mnuFile_Dummy3->isVisible());
}

void TestMainWindow::openDialogCancelled() {
    auto w = MakeWindow();
    // The start folder holds sheets in both letter cases and something else.
    QDir(m_dir.path()).mkdir("sheets");
    const QString folder = m_dir.filePath("sheets");
    for (const char *name : {"UPPER.TXT", "lower.txt", "notes.doc"}) {
        WriteAll(folder + "/" + name, "C\r\nla");
    }
    w->mnuFile_Open->setEnabled(true);
    QMap<QString, bool> enabled;
    WhenModal<QFileDialog>([&](QFileDialog *d) {
        auto *model = d->findChild<QFileSystemModel *>();
        QVERIFY(model);
        // Files the filter leaves out are not listed at all.
        const bool listed =
            QTest::qWaitFor([&] { return model->index(folder + "/lower.txt").isValid(); }, 5000);
        QVERIFY(listed);
        QTest::qWait(100);
        for (const char *name : {"UPPER.TXT", "lower.txt", "notes.doc"}) {
            const QModelIndex i = model->index(folder + "/" + name);
            enabled[name] = i.isValid() && (model->flags(i) & Qt::ItemIsEnabled);
        }
        d->reject();
    });
    basFileOpen::ShowOpenFileDialog(w.get(), folder,
                                    QStringLiteral("テキストファイル (*.txt)") + QChar(0) +
                                        "*.TXT" + QChar(0) + "すべてのファイル" + QChar(0) + "*.*",
                                    "ファイルを開く", 0x1804);
    QVERIFY(enabled["UPPER.TXT"]);
    QVERIFY(enabled["lower.txt"]);
    QVERIFY(!enabled["notes.doc"]);

    WhenModal<QFileDialog>([](QFileDialog *d) { d->reject(); });
    w->mnuFile_Open->trigger();
    QCOMPARE(w->chsChord()->ChordViewCount(), int16_t(0));
    QCOMPARE(w->PreOpenedDir(), appinfo::ProgramDirectory());
    QVERIFY(m_messages.isEmpty());
}

void TestMainWindow::openFailureKeepsSheet() {
    auto w = MakeWindow();
    DropOn(w->picView(), {QUrl::fromLocalFile(kBin + "/samples/sakura.txt")});
    const int16_t count = w->chsChord()->ChordViewCount();
    w->vsbScore()->setValue(w->vsbScore()->maximum());
    // A history entry whose file is gone.
    w->History()->AddHistory(m_dir.filePath("gone.txt"));
    w->mnuFile_File[1]->trigger();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].contains(m_dir.filePath("gone.txt")));
    QCOMPARE(w->chsChord()->ChordViewCount(), count);
    QCOMPARE(w->vsbScore()->value(), 0);
    QCOMPARE(w->History()->HistoryItem(1), m_dir.filePath("gone.txt"));
    QVERIFY(!w->Busy());
    QVERIFY(w->mnuFile_Open->isEnabled());
}

void TestMainWindow::reloadPositionFile() {
    auto w = MakeWindow();
    QGuiApplication::clipboard()->setText("G\r\nla");
    w->mnuEdit_Paste->trigger();
    const int16_t before = w->chsChord()->Cell(1)->PositionSize();
    QVERIFY(before >= 2);
    // A faulty file beside the program leaves the dictionary as it was.
    const QString bad = appinfo::ProgramDirectory() + "/TSTBAD.INI";
    WriteAll(bad, "[G]\r\n3-0-0-0-2-99\r\n");
    w->ReloadPositionIni("TSTBAD.INI");
    QFile::remove(bad);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith("TSTBAD.INI(2): "));
    QCOMPARE(w->chsChord()->Cell(1)->PositionSize(), before);
    // F5 reloads the file the dictionary came from; gone, it says so.
    const QString copy = appinfo::ProgramDirectory() + "/TSTPOS.INI";
    QFile::copy(kBin + "/POSITION.INI", copy);
    w->ReloadPositionIni("TSTPOS.INI");
    QCOMPARE(basMain::oChord()->Filename(), copy);
    QFile::remove(copy);
    QTest::keyClick(w.get(), Qt::Key_F5);
    QCOMPARE(m_messages.size(), 2);
    QVERIFY(m_messages[1].contains(copy));
    QVERIFY(!w->Busy());
}

void TestMainWindow::sheetDeletedAfterChoice() {
    auto w = MakeWindow();
    const QString path = m_dir.filePath("vanishing.txt");
    WriteAll(path, "C\r\nla");
    WhenModal<QFileDialog>([&](QFileDialog *d) {
        d->findChild<QLineEdit *>("fileNameEdit")->setText(path);
        QFile::remove(path); // gone between the choice and the reading
        static_cast<QDialog *>(d)->done(QDialog::Accepted);
    });
    w->mnuFile_Open->trigger();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].contains(path));
    QCOMPARE(w->chsChord()->ChordViewCount(), int16_t(0));
    QCOMPARE(w->History()->HistoryCount(), int16_t(0));
    QCOMPARE(w->PreOpenedDir(), m_dir.path() + "/"); // the folder is remembered all the same
    QVERIFY(!w->Busy());
}

void TestMainWindow::hugeClipboard() {
    auto w = MakeWindow();
    QGuiApplication::clipboard()->setText("C\r\nla");
    w->mnuEdit_Paste->trigger();
    QString big;
    big.reserve(50 * 1024 * 1024);
    const QString line = QStringLiteral("ふるさと ふるさと ふるさと\n");
    while (big.size() < 50 * 1024 * 1024) {
        big += line;
    }
    QGuiApplication::clipboard()->setText(big);
    big.clear();
    QElapsedTimer t;
    t.start();
    w->mnuEdit_Paste->trigger();
    QVERIFY(t.elapsed() < testsupport::AtOnceMs());
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].contains(QStringLiteral("クリップボード")));
    QCOMPARE(w->chsChord()->ChordViewCount(), int16_t(1)); // the sheet stays
    // Just under the bound: parsed until the cell limit, then refused.
    QGuiApplication::clipboard()->setText(QString(3 * 1024 * 1024, u'x'));
    w->mnuEdit_Paste->trigger();
    QCOMPARE(m_messages.size(), 2);
    QVERIFY(m_messages[1].contains("32767"));
    QVERIFY(!w->Busy());
}

// A chord the dictionary lacks is added from its cell: the file keeps every
// byte it had, the chord resolves after the reload; failures say why.
void TestMainWindow::addToDictionary() {
    const QString path = appinfo::ProgramDirectory() + "/TST_ADD.INI";
    const QByteArray before = "# mine\r\n[C]\r\n0-1-0-2-3-X\r\n\r\n[G]\r\n3-0-0-0-2-3";
    WriteAll(path, before);
    auto removeFile = qScopeGuard([&path] {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path);
    });
    basMain::oChord()->LoadChordPosition(path);
    auto w = MakeWindow();
    QGuiApplication::clipboard()->setText("C   F#m7b5  G\r\nla  li      lo");
    w->mnuEdit_Paste->trigger();
    ChordView *missing = w->chsChord()->Cell(2);
    QCOMPARE(missing->PositionSize(), int16_t(0));
    QCOMPARE(w->chsChord()->MissingChords(), QStringList{"F#m7b5"});
    bool pasteEnabled = false;
    ChooseInNextPopup(4, &pasteEnabled); // past the row items and paste; skipped if disabled
    missing->ClickPopupMenu();
    QVERIFY(pasteEnabled);
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
    const QByteArray after = ReadAll(path);
    QVERIFY(after.startsWith(before + "\r\n"));
    QVERIFY(after.contains("[F#m7b5]\r\n"));
    QVERIFY(w->chsChord()->Cell(2)->PositionSize() >= 1);
    QVERIFY(w->chsChord()->Cell(2)->PositionShown()); // its diagram, not just its name
    QVERIFY(w->chsChord()->MissingChords().isEmpty());

    // A ChordPro sheet's {capo} is where its chords are played: it opens at
    // that capo showing them as written; capo 0 shows them as they sound.
    QGuiApplication::clipboard()->setText("{capo: 2}\r\n[D]la");
    w->mnuEdit_Paste->trigger();
    QCOMPARE(w->CheckedCapo(), int16_t(2));
    QCOMPARE(w->chsChord()->Cell(1)->ChordName(), QString("D"));
    QTest::keyClick(w.get(), Qt::Key_0);
    QCOMPARE(w->chsChord()->Cell(1)->ChordName(), QString("E"));

    // A name that is no chord, and a file that cannot be written.
    w->AddChordToDictionary("Fxyz");
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].contains("Fxyz"));
    QFile::setPermissions(path, QFile::ReadOwner);
    if (QFileInfo(path).isWritable()) {
        QSKIP("running as root: a read-only file stays writable");
    }
    w->AddChordToDictionary("Bb13");
    QCOMPARE(m_messages.size(), 2);
    QVERIFY(m_messages[1].contains(path));
    QCOMPARE(ReadAll(path), after);
}

// A song of 5,000 cells opens, opens again, changes capo and scrolls to its
// end; one cell more is refused with the limit's message.
void TestMainWindow::longSheet() {
    auto w = MakeWindow();
    const auto writeSheet = [this](const QString &name, int cells) {
        QString sheet;
        for (int n = 0; n < cells; n += 4) {
            sheet += QStringLiteral("C       Am      F       G7\r\nla      li      lu      lo\r\n");
        }
        const QString path = m_dir.filePath(name);
        WriteAll(path, sheet.toLatin1());
        return path;
    };
    const QString path = writeSheet("long.txt", 5000);
    for (int pass = 0; pass < 2; ++pass) { // the second pass reuses every cell
        w->OpenChordFile(path);
        QCOMPARE(w->chsChord()->ChordViewCount(), int16_t(5000));
    }
    QVERIFY(m_messages.isEmpty());
    const ChordScore *score = w->chsChord();
    QCOMPARE(score->Cell(4999)->ChordName(), QStringLiteral("F"));
    QVERIFY(score->Cell(4999)->PositionShown());
    QCOMPARE(score->Cell(5000)->Word(), QStringLiteral("lo"));

    w->mnuVisible_CapoFlat[2]->trigger(); // two frets up: C is played as A#
    QCOMPARE(score->Cell(1)->ChordName(), QStringLiteral("A#"));
    QCOMPARE(score->Cell(5000)->ChordName(), QStringLiteral("F7"));
    QVERIFY(score->Cell(5000)->PositionShown());

    QTest::keyClick(w.get(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(w->vsbScore()->value(), w->vsbScore()->maximum());
    QVERIFY(w->vsbScore()->maximum() > 0);
    // The last row is on screen, the bottom margin under it (less a pixel of
    // rounding to scroll units).
    const QRect last(score->mapTo(w->picView(), score->Cell(5000)->pos()),
                     score->Cell(5000)->size());
    QVERIFY(w->picView()->rect().contains(last));
    const int gap = w->picView()->height() - last.bottom() - 1;
    QVERIFY2(gap >= 5 && gap <= 6, qPrintable(QString::number(gap)));

    w->OpenChordFile(writeSheet("longer.txt", 5004));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].contains(QStringLiteral("表示制限数を越えました")));
}

void TestMainWindow::zoomKeepsRow_data() {
    QTest::addColumn<std::function<void(frmChordScore &)>>("act");
    QTest::addColumn<int>("zoom");
    using W = frmChordScore;
    QTest::newRow("ctrl+plus twice") << std::function<void(W &)>([](W &w) {
        QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
    }) << 125;
    QTest::newRow("ctrl+minus") << std::function<void(W &)>([](W &w) {
        QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    }) << 90;
    QTest::newRow("ctrl+wheel up") << std::function<void(W &)>([](W &w) {
        ChordScore *score = w.chsChord();
        const QPointF at = score->Cell(3)->pos() + QPointF(5, 5);
        QWheelEvent e(at, score->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(score, &e);
    }) << 110;
    QTest::newRow("menu step") << std::function<void(W &)>([](W &w) {
        w.Reading()->mnuVisible_ZoomStep.back()->trigger();
    }) << 400;
    QTest::newRow("ctrl+0 after 300") << std::function<void(W &)>([](W &w) {
        w.SetZoom(300);
        QTest::keyClick(&w, Qt::Key_0, Qt::ControlModifier);
    }) << 100;
}

// Zooming scales every cell and keeps the row at the top of the view there;
// Ctrl+0 is the zoom's, not capo 0's.
void TestMainWindow::zoomKeepsRow() {
    QFETCH(std::function<void(frmChordScore &)>, act);
    QFETCH(int, zoom);
    auto w = MakeWindow();
    PasteWideSheet(*w);
    w->mnuVisible_CapoFlat[2]->trigger();
    ChordScore *score = w->chsChord();
    const int width = score->Cell(1)->width();
    // Row 5's first cell at the top: its row starts at the view's top edge.
    w->vsbScore()->setValue((score->CellTop(57) + 9) / 10);
    QCOMPARE(w->FirstVisibleCell(), int16_t(57));
    act(*w);
    QCOMPARE(w->Zoom(), zoom);
    QCOMPARE(w->FirstVisibleCell(), int16_t(57));
    QVERIFY(std::abs(score->Cell(1)->width() - width * zoom / 100) <= 3);
    QCOMPARE(w->CheckedCapo(), int16_t(2));
}

void TestMainWindow::readingSettingsRoundTrip() {
    WriteAll(Ini(), "[Setting]\r\nZoom=133\r\nAutoScrollSpeed=42\r\n");
    {
        auto w = MakeWindow();
        QCOMPARE(w->Zoom(), 125); // nearest step
        QCOMPARE(w->Reading()->AutoScroller().Speed(), AutoScroll::MaxSpeed);
        QVERIFY(w->Reading()->mnuVisible_ZoomStep[7]->isChecked()); // 125%
        w->SetZoom(150);
        QTest::keyClick(w.get(), Qt::Key_Minus);
        QVERIFY(w->Reading()->Overlay()->isVisible());
        QCOMPARE(w->Reading()->Overlay()->text(), QStringLiteral("自動スクロール 速度 8"));
        QVERIFY(w->close());
    }
    const QByteArray after = ReadAll(Ini());
    QVERIFY(after.contains("Zoom=150\r\n"));
    QVERIFY(after.contains("AutoScrollSpeed=8\r\n"));
    auto w = MakeWindow();
    QCOMPARE(w->Zoom(), 150);
    QCOMPARE(w->Reading()->AutoScroller().Speed(), 8);
}

// Space starts it; the view moves down on the window's ticks; a key the user
// scrolls with pauses it; it stops at the end.
void TestMainWindow::autoScrollInWindow() {
    auto w = MakeWindow();
    int64_t now = 0;
    w->Reading()->SetClock([&now] { return now; });
    PasteWideSheet(*w);
    QTest::keyClick(w.get(), Qt::Key_Space);
    QVERIFY(w->Reading()->AutoScroller().Running());
    QVERIFY(w->Reading()->mnuVisible_AutoScroll->isChecked());
    QVERIFY(w->Reading()->tmrAutoScroll()->isActive());
    w->Reading()->tmrAutoScroll()->stop(); // the test's clock drives it
    for (int i = 0; i < 60; ++i) {
        now += 16;
        w->Reading()->AutoScrollTick();
    }
    const int moved = w->vsbScore()->value();
    // A second at speed 3: 12 pixels, 18 scroll units (less what is carried).
    QVERIFY2(moved >= 17 && moved <= 18, qPrintable(QString::number(moved)));
    QTest::keyClick(w.get(), Qt::Key_Up);
    const int after = w->vsbScore()->value();
    now += 16;
    w->Reading()->AutoScrollTick();
    QCOMPARE(w->vsbScore()->value(), after);
    for (int i = 0; i < 100000 && w->Reading()->AutoScroller().Running(); ++i) {
        now += 16;
        w->Reading()->AutoScrollTick();
    }
    QVERIFY(!w->Reading()->AutoScroller().Running());
    QCOMPARE(w->vsbScore()->value(), w->vsbScore()->maximum());
    QVERIFY(!w->Reading()->mnuVisible_AutoScroll->isChecked());
    QCOMPARE(w->Reading()->Overlay()->text(), QStringLiteral("自動スクロール 終了"));
}

void TestMainWindow::fullScreen() {
    auto w = MakeWindow();
    QVERIFY(w->Reading()->mnuVisible_HideMenuBar->isChecked());
    QTest::keyClick(w.get(), Qt::Key_F11);
    QTRY_VERIFY(w->isFullScreen());
    QVERIFY(w->menuBar()->isHidden());
    QVERIFY(w->Reading()->mnuVisible_FullScreen->isChecked());
    // Keys of hidden menus still work.
    QTest::keyClick(w.get(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(w->Zoom(), 110);
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QTRY_VERIFY(!w->isFullScreen());
    QVERIFY(!w->menuBar()->isHidden());
}

// A fingering chosen for a whole chord shows on all its cells, is kept for
// the sheet across a restart, and falls back silently when the dictionary
// no longer has it.
void TestMainWindow::voicingForWholeSheet() {
    const QString sheet = m_dir.filePath("voicings.txt");
    WriteAll(sheet, "C   G   C\r\nla  li  lo\r\n");
    const QString second = QStringLiteral("3*5-5-5-5-3-X");
    {
        auto w = MakeWindow();
        w->OpenChordFile(sheet);
        ChordScore *score = w->chsChord();
        QCOMPARE(score->Cell(1)->VoicingLine(), QStringLiteral("0-1-0-2-3-X"));
        testsupport::PressCell(*score, score->Cell(1), Qt::LeftButton,
                               score->Cell(1)->DiagramRect().center(), true);
        QCOMPARE(score->Cell(1)->VoicingLine(), second);
        QCOMPARE(score->Cell(3)->VoicingLine(), QStringLiteral("0-1-0-2-3-X")); // one cell only
        ChooseInNextPopup(3); // the three row items, then this one
        score->Cell(1)->ClickPopupMenu();
        QCOMPARE(score->Cell(3)->VoicingLine(), second);
        QCOMPARE(score->Cell(2)->VoicingLine(), QStringLiteral("3-0-0-0-2-3"));
        w->mnuVisible_CapoFlat[0]->trigger(); // a rebuild keeps it
        QCOMPARE(score->Cell(3)->VoicingLine(), second);
        // Another sheet in the same window has its own choices (none yet),
        // and pasted text none at all.
        const QString other = m_dir.filePath("other.txt");
        WriteAll(other, "C\r\nla\r\n");
        w->OpenChordFile(other);
        QCOMPARE(score->Cell(1)->VoicingLine(), QStringLiteral("0-1-0-2-3-X"));
        QGuiApplication::clipboard()->setText("C\r\nla");
        w->OpenChordFile(sheet);
        QCOMPARE(score->Cell(1)->VoicingLine(), second);
        w->mnuEdit_Paste->trigger();
        QCOMPARE(score->Cell(1)->VoicingLine(), QStringLiteral("0-1-0-2-3-X"));
        w->OpenChordFile(sheet);
        QVERIFY(w->close());
    }
    QVERIFY(ReadAll(Ini()).contains("Chords1=C=" + second.toLatin1() + "\r\n"));
    {
        auto w = MakeWindow();
        w->OpenChordFile(sheet);
        QCOMPARE(w->chsChord()->Cell(1)->VoicingLine(), second);
        QCOMPARE(w->chsChord()->Cell(3)->VoicingLine(), second);
        QVERIFY(w->close());
    }
    const QString changed = m_dir.filePath("TSTVOICE.INI");
    WriteAll(changed, "[C]\r\n0-1-0-2-3-X\r\nX-3-5-5-5-3\r\n[G]\r\n3-0-0-0-2-3\r\n");
    basMain::oChord()->LoadChordPosition(changed);
    auto w = MakeWindow();
    w->OpenChordFile(sheet);
    QCOMPARE(w->chsChord()->Cell(1)->VoicingLine(), QStringLiteral("0-1-0-2-3-X"));
    QVERIFY(m_messages.isEmpty());
}

// The easiest capo is marked and set by a command, never by itself.
void TestMainWindow::capoAdvice() {
    auto w = MakeWindow();
    QVERIFY(!w->mnuVisible_CapoEasiest->isVisible());
    QGuiApplication::clipboard()->setText("Eb  Ab  Bb  Eb\r\nla  li  lu  lo");
    w->mnuEdit_Paste->trigger();
    QCOMPARE(w->EasiestCapo(), int16_t(1)); // D G A D
    QCOMPARE(w->CheckedCapo(), int16_t(0));
    QCOMPARE(w->mnuVisible_CapoEasiest->text(), QStringLiteral("★ カポ 1 (かんたん)"));
    QCOMPARE(w->mnuVisible_CapoFlat[1]->text(), QStringLiteral("&1  ★"));
    w->mnuVisible_CapoEasiest->trigger();
    QCOMPARE(w->CheckedCapo(), int16_t(1));
    QCOMPARE(w->chsChord()->Cell(2)->ChordName(), QStringLiteral("G"));
    QGuiApplication::clipboard()->setText("G   C   D   Em\r\nla  li  lu  lo");
    w->mnuEdit_Paste->trigger();
    QCOMPARE(w->mnuVisible_CapoEasiest->text(), QStringLiteral("★ カポなし (かんたん)"));
    QCOMPARE(w->mnuVisible_CapoFlat[1]->text(), QStringLiteral("&1"));
}

void TestMainWindow::pdfOfSamples_data() {
    QTest::addColumn<QString>("sample");
    for (const char *name :
         {"amazing_grace.txt", "furusato.txt", "haru_no_ogawa.txt", "momiji.cho", "sakura.txt"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

// Each sample as a PDF: its pages counted alike by pdfinfo and the footer,
// its chord names and words as text in the order of the cells, its fonts
// embedded.
void TestMainWindow::pdfOfSamples() {
    QFETCH(QString, sample);
    auto w = MakeWindow();
    w->OpenChordFile(kBin + "/samples/" + sample);
    const QString pdf = m_dir.filePath(sample + ".pdf");
    QVERIFY(w->ExportPdf(pdf));
    const QString info = Poppler("pdfinfo", {pdf});
    const QRegularExpressionMatch pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    QVERIFY2(pages.hasMatch(), qPrintable(info));
    const int count = pages.captured(1).toInt();
    QVERIFY(count >= 1);
    QVERIFY(info.contains("A4"));
    // In drawing order: cell after cell.
    const QString text = Poppler("pdftotext", {"-raw", pdf, "-"});
    QStringList needles;
    const ChordScore *score = w->chsChord();
    for (int16_t i = 1; i <= score->ChordViewCount(); ++i) {
        for (const QString &part : {score->Cell(i)->ChordName(), score->Cell(i)->Word()}) {
            if (!part.trimmed().isEmpty()) {
                needles << part.simplified();
            }
        }
    }
    QString missing;
    QVERIFY2(InOrder(text.simplified(), needles, &missing), qPrintable(missing));
    QVERIFY(text.contains(QStringLiteral("ページ %1 / %1").arg(count)));
    QVERIFY(text.contains(sample));
    const QStringList fonts = Poppler("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts);
    QVERIFY(fonts.size() > 2); // a header of two lines, then a font a line
    for (const QString &line : fonts.mid(2)) {
        // name, type, encoding, then "emb sub uni" as yes/no.
        const QStringList cols = line.simplified().split(' ');
        QVERIFY2(cols.size() >= 5 && cols[cols.size() - 5] == "yes", qPrintable(line));
    }
}

// The capo and the display states are printed as they are on screen; a
// rendered page has the first diagram where the layout puts it: 15 mm in.
void TestMainWindow::pdfCarriesCapoAndStates() {
    auto w = MakeWindow();
    QGuiApplication::clipboard()->setText("C   G   Am\r\nla  li  lu");
    w->mnuEdit_Paste->trigger();
    const QString pdf = m_dir.filePath("carried.pdf");
    QVERIFY(w->ExportPdf(pdf));
    QVERIFY(Poppler("pdftoppm",
                    {"-r", "150", "-f", "1", "-l", "1", "-png", pdf, m_dir.filePath("page")})
                .isEmpty());
    const QImage page(m_dir.filePath("page-1.png"));
    QVERIFY(!page.isNull());
    // 150 dpi: 15 mm is 88.6 pixels, a screen pixel 1.5625. C's dot on string 2
    // (fret 1) is centred 12.5 and 20.5 pixels into the diagram; its nut, two
    // pixels wide, is centred on 8.
    const auto at = [&](double x, double y) {
        return page.pixelColor(qRound(88.6 + x * 1.5625), qRound(88.6 + y * 1.5625));
    };
    const QColor dot = at(12.5, 20.5);
    QVERIFY2(dot.red() > 200 && dot.green() < 80, qPrintable(dot.name()));
    QVERIFY2(at(8, 23).lightness() < 80, qPrintable(at(8, 23).name()));
    QVERIFY2(at(28, 17).lightness() > 230, qPrintable(at(28, 17).name()));

    w->mnuVisible_CapoFlat[2]->trigger();
    w->mnuVisible_State[2]->trigger(); // names and words, no diagrams
    QVERIFY(w->ExportPdf(pdf));
    const QString text = Poppler("pdftotext", {"-raw", pdf, "-"}).simplified();
    QString missing;
    QVERIFY2(InOrder(text, {"A#", "la", "F", "li", "Gm", "lu"}, &missing), qPrintable(missing));
    QVERIFY(!text.contains(QStringLiteral("Am")));
    QVERIFY(text.contains(QStringLiteral("貼り付けたテキスト")));
}

void TestMainWindow::pdfPathNotWritable() {
    auto w = MakeWindow();
    QVERIFY(!w->mnuFile_Pdf->isEnabled()); // no sheet yet
    QGuiApplication::clipboard()->setText("C\r\nla");
    w->mnuEdit_Paste->trigger();
    QVERIFY(w->mnuFile_Pdf->isEnabled());
    QVERIFY(w->mnuFile_Print->isEnabled());
    const QString path = m_dir.filePath("no such folder/out.pdf");
    QVERIFY(!w->ExportPdf(path));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].contains(path));
    QVERIFY(!QFile::exists(path));
}

void TestMainWindow::pdfFailureKeepsOldFile_data() {
    QTest::addColumn<bool>("killed"); // else the disk fills up
    QTest::newRow("disk full") << false;
    QTest::newRow("killed while writing") << true;
}

// A full disk or a kill in the middle of an export leaves the PDF that was
// there before, whole; a full disk says so and leaves nothing of its own.
void TestMainWindow::pdfFailureKeepsOldFile() {
    QFETCH(bool, killed);
    auto w = MakeWindow();
    QGuiApplication::clipboard()->setText("C\r\nla");
    w->mnuEdit_Paste->trigger();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("song.pdf");
    const QByteArray old = "%PDF-1.4 the earlier export";
    {
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    // Writes past 4 KB fail as on a full disk, or end the process.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{4096, saved.rlim_max};
    if (killed) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            signal(SIGXFSZ, SIG_DFL);
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            setrlimit(RLIMIT_FSIZE, &small);
            w->ExportPdf(pdf);
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    } else {
        const auto ignored = signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        const bool written = w->ExportPdf(pdf);
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, ignored);
        QVERIFY(!written);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(
            m_messages[0].startsWith(QString("PDF ファイル \"%1\" に書き込めません。").arg(pdf)),
            qPrintable(m_messages[0]));
    }
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), old);
    f.close();
    // A kill leaves its partial file under a name no one takes for the PDF.
    const QStringList others =
        QDir(dir.path()).entryList(QDir::Files).filter(QRegularExpression("^(?!song\\.pdf$)"));
    if (killed) {
        QCOMPARE(others.size(), 1);
        QVERIFY2(
            QRegularExpression("^song\\.pdf\\.[A-Za-z0-9]{6}\\.part$").match(others[0]).hasMatch(),
            qPrintable(others[0]));
    } else {
        QCOMPARE(others, QStringList());
    }
    // The next export replaces the old file with a whole one.
    QVERIFY(w->ExportPdf(pdf));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray now = f.readAll();
    QVERIFY(now.startsWith("%PDF") && now.trimmed().endsWith("%%EOF"));
}

// A song comes back as it was played: capo, transposition and zoom per
// file, across a restart; a song never opened takes the window's capo. The
// menu bar's end says the key and the shapes.
void TestMainWindow::songRemembered() {
    const QString a = m_dir.filePath("a.txt");
    const QString b = m_dir.filePath("b.txt");
    WriteAll(a, "Song A\r\nKey: F\r\n" + QByteArray("F   Bb  C7\r\nla  li  lo\r\n").repeated(40));
    WriteAll(b, "G\r\nla");
    {
        auto w = MakeWindow();
        w->OpenChordFile(a);
        QTest::keyClick(w.get(), Qt::Key_3);
        w->mnuVisible_TransposeUp->trigger();
        w->mnuVisible_TransposeUp->trigger();
        w->SetZoom(150);
        QVERIFY(w->vsbScore()->maximum() > 100);
        w->vsbScore()->setValue(100);
        QCOMPARE(w->chsChord()->Cell(3)->ChordName(), QString("E")); // F + 2 - 3
        QCOMPARE(w->StatusText(), QString("Song A　Key: F → G (+2)　カポ 3: E の形"));
        w->OpenChordFile(b);
        QCOMPARE(w->CheckedCapo(), int16_t(3)); // never opened: the window's capo
        QCOMPARE(w->chsChord()->Transpose(), int16_t(0));
        QTest::keyClick(w.get(), Qt::Key_1);
        w->SetSpelling(PitchModel::Spelling::Flat);
        w->close();
    }
    auto w = MakeWindow();
    QCOMPARE(w->CheckedCapo(), int16_t(1));
    QVERIFY(w->mnuVisible_Spelling[1]->isChecked());
    w->OpenChordFile(a);
    QCOMPARE(w->CheckedCapo(), int16_t(3));
    QCOMPARE(w->chsChord()->Transpose(), int16_t(2));
    QCOMPARE(w->Zoom(), 150);
    QVERIFY(w->Reading()->mnuVisible_ZoomStep[8]->isChecked()); // 150%
    QCOMPARE(w->vsbScore()->value(), 100);
    QCOMPARE(w->chsChord()->Cell(4)->ChordName(), QString("A")); // Bb + 2 - 3
    QTest::keyClick(w.get(), Qt::Key_1);
    QCOMPARE(w->chsChord()->Cell(3)->ChordName(), QString("Gb")); // F + 2 - 1, in flats
    w->mnuVisible_TransposeReset->trigger();
    QCOMPARE(w->chsChord()->Cell(4)->ChordName(), QString("A"));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
