// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "chords/Chord.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "score/ChordScore.h"
#include "score/ChordStrip.h"
#include "score/ChordView.h"
#include "score/Fonts.h"
#include "score/ScorePainter.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

using testsupport::ChooseInNextPopup;
using testsupport::PressCell;

// The score's events as a list, in order.
struct Recorder {
    explicit Recorder(ChordScore &s) {
        QObject::connect(&s, &ChordScore::DrawStart, [this] { events << "DrawStart"; });
        QObject::connect(&s, &ChordScore::DrawEnd, [this] { events << "DrawEnd"; });
        QObject::connect(&s, &ChordScore::Paste, [this] { events << "Paste"; });
        QObject::connect(&s, &ChordScore::DropFile, [this](const QMimeData *d) {
            events << QStringLiteral("DropFile:%1").arg(d->urls().size());
        });
    }
    QStringList events;
};

} // namespace

class TestChordScore : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void empty();
    void mostCellsATokenizerGives();
    void accessibleCells();
    void placedByItsLayout();
    void shorterAfterLonger();
    void fixHeightTwice();
    void capoAndRefresh();
    void clickName();
    void clickWord();
    void clickDiagram();
    void clicksThatDoNothing();
    void changeRowFromMenu();
    void pasteEnabled_data();
    void pasteEnabled();
    void drops();
    void loadErrors_data();
    void loadErrors();
    void encodings_data();
    void encodings();
    void buildFailureEmpties();
    void atTheCellLimit();
    void chordProDefine();
    void paintsAsTheScreen();
    void chordStrip();

private:
    std::unique_ptr<ChordScore> m_score;
    std::shared_ptr<Chord> m_chord;
};

void TestChordScore::init() {
    scorefonts::InstallFontSubstitutions();
    m_chord = std::make_shared<Chord>();
    m_chord->RegistChord("C", "0-1-0-2-3-X");
    m_chord->RegistChord("G", "3-0-0-0-2-3");
    m_chord->RegistChord("G", "3*6-3-4-5-5-3");
    m_chord->RegistChord("G", "7-8-7-9-10-X");
    m_chord->RegistChord("Am", "0-1-2-2-0-X");
    m_score = std::make_unique<ChordScore>();
    m_score->Properties()->SetChord(m_chord);
    m_score->resize(800, 600);
    m_score->show();
}

void TestChordScore::cleanup() {
    m_score.reset();
}

// The tokenizer's limit, 32,767 cells, is scored, painted and hit-tested:
// no loop over the cells counts in 16 bits.
void TestChordScore::mostCellsATokenizerGives() {
    m_score->SetMax(INT16_MAX);
    // Lines of 64 chords: 511 of them, and 63 more.
    const QString line = QString("C G ").repeated(32) + "\r\n";
    m_score->SetText(line.repeated(511) + QString("C G ").repeated(31) + "C");
    QCOMPARE(m_score->ChordViewCount(), int16_t{INT16_MAX});
    QVERIFY(!m_score->grab(QRect(0, 0, 200, 200)).isNull());
    QCOMPARE(m_score->Cell(INT16_MAX)->ChordName(), QString("C"));
    m_score->State(2);
    QVERIFY(!m_score->SheetChordNames().empty());
}

// A screen reader finds every cell: its chord, which fingering shows, its
// lyric, and where it is.
void TestChordScore::accessibleCells() {
    m_score->SetText("C   G   x2\r\nla  li");
    QAccessibleInterface *score = QAccessible::queryAccessibleInterface(m_score.get());
    QVERIFY(score);
    QCOMPARE(score->role(), QAccessible::List);
    QCOMPARE(score->childCount(), 3);
    QStringList names;
    for (int i = 0; i < score->childCount(); ++i) {
        names << score->child(i)->text(QAccessible::Name);
    }
    QCOMPARE(names, (QStringList{"C, 押さえ方 1/1, la", "G, 押さえ方 1/3, li", "x2"}));
    testsupport::PressCell(*m_score, m_score->Cell(2), Qt::LeftButton,
                           m_score->Cell(2)->DiagramRect().center());
    QCOMPARE(score->child(1)->text(QAccessible::Name), QString("G, 押さえ方 2/3, li"));
    const QRect g(m_score->mapToGlobal(m_score->Cell(2)->pos()), m_score->Cell(2)->size());
    QCOMPARE(score->child(1)->rect(), g);
    QCOMPARE(score->childAt(g.center().x(), g.center().y()), score->child(1));
    QCOMPARE(score->indexOfChild(score->child(1)), 1);
    QCOMPARE(score->child(1)->parent(), score);
    m_score->SetText("C");
    QCOMPARE(score->childCount(), 1);
}

void TestChordScore::empty() {
    Recorder r(*m_score);
    m_score->SetText(QString());
    QCOMPARE(m_score->ChordViewCount(), int16_t(0));
    QCOMPARE(m_score->WidthTwips(), 0);
    QCOMPARE(m_score->HeightTwips(), 160);
    QCOMPARE(r.events, (QStringList{"DrawStart", "DrawEnd"}));
}

// The arithmetic of rows and pages is ScoreLayout's suite; here, that the
// score feeds its cells to it and places, sizes and paints by its answer,
// in one column and in pages, with the bottoms of a row on one pixel.
void TestChordScore::placedByItsLayout() {
    QStringList lines{"C     E9  Am", "abc   de  fg", "plain words here", "", "Am"};
    for (int i = 1; i <= 5; ++i) {
        lines << QStringLiteral("line %1 %2").arg(i).arg(QString(i, u'w'));
    }
    m_score->SetText(lines.join("\r\n"));
    m_score->Cell(3)->SetState(3); // word only: a shorter cell in a row
    m_score->Refresh();
    const int hw = m_score->Cell(4)->HeightTwips();
    for (const int32_t fix : {0, 160 + 3 * hw, 300}) {
        m_score->SetFixHeight(fix);
        const ScoreLayout expected = ScoreLayout::Arrange(m_score->LayoutBoxes(), fix, 80);
        QCOMPARE(m_score->WidthTwips(), expected.Width());
        QCOMPARE(m_score->HeightTwips(), expected.Height());
        QCOMPARE(m_score->size(),
                 QSize(qRound(expected.Width() / 15.0), qRound(expected.Height() / 15.0)));
        QCOMPARE(m_score->Layout().SeparatorX(), expected.SeparatorX());
        for (int16_t i = 1; i <= m_score->ChordViewCount(); ++i) {
            const ScoreLayout::Place &place = expected.Places()[size_t(i - 1)];
            QCOMPARE(m_score->CellLeft(i), place.Left);
            QCOMPARE(m_score->CellTop(i), place.Top);
            const QRect r = m_score->CellRect(i);
            QCOMPARE(r.left(), qRound(place.Left / 15.0));
            QCOMPARE(r.bottom() + 1, qRound(place.Bottom / 15.0));
            QCOMPARE(m_score->Cell(i)->geometry(), r);
        }
    }
    // The dotted line of a page is painted down its column, nowhere beside it.
    m_score->SetFixHeight(160 + 3 * hw);
    QVERIFY(m_score->SeparatorCount() >= 2);
    const QImage painted = m_score->grab().toImage();
    const int x = qRound(m_score->SeparatorX(1) / 15.0);
    const auto inkIn = [&painted](int column) {
        int ink = 0;
        for (int y = 0; y < painted.height(); ++y) {
            ink += painted.pixelColor(column, y) != QColor(Qt::white) ? 1 : 0;
        }
        return ink;
    };
    QVERIFY(inkIn(x) >= painted.height() / 3);
    QCOMPARE(inkIn(x - 1) + inkIn(x + 1), 0);
}

void TestChordScore::shorterAfterLonger() {
    m_score->SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
    const int hw = m_score->Cell(1)->HeightTwips();
    m_score->SetFixHeight(160 + 2 * hw);
    QCOMPARE(m_score->SeparatorCount(), 3);
    const ChordView *kept = m_score->Cell(2);
    m_score->SetText("a\r\nb");
    QCOMPARE(m_score->ChordViewCount(), int16_t(2));
    QCOMPARE(m_score->Cell(2), kept); // reused
    QCOMPARE(m_score->Cell(2)->Word(), QString("b"));
    QCOMPARE(m_score->SeparatorCount(), 0); // both rows on one page
}

void TestChordScore::fixHeightTwice() {
    m_score->SetText("a\r\nb");
    Recorder r(*m_score);
    m_score->SetFixHeight(3000);
    m_score->SetFixHeight(3000);
    QCOMPARE(r.events, (QStringList{"DrawStart", "DrawEnd"}));
}

void TestChordScore::capoAndRefresh() {
    m_score->SetText("D  A7  C/E\r\nla li lo");
    Recorder r(*m_score);
    m_score->SetCapo(2);
    QCOMPARE(m_score->Cell(1)->ChordName(), QString("C"));
    QCOMPARE(m_score->Cell(2)->ChordName(), QString("G7"));
    QCOMPARE(m_score->Cell(3)->ChordName(), QString("A#/D"));
    // D was unknown when the row was shown, so its diagram stays hidden
    // although C is known; a state write shows it.
    QVERIFY(!m_score->Cell(1)->PositionShown());
    m_score->State(1);
    QVERIFY(m_score->Cell(1)->PositionShown());
    QCOMPARE(r.events, (QStringList{"DrawStart", "DrawEnd", "DrawStart", "DrawEnd"}));
    // The template's colour reaches every cell on Refresh.
    m_score->Properties()->SetEnableChordNameColor(0x0000FF);
    m_score->Refresh();
    QCOMPARE(m_score->Cell(1)->ChordNameColor(), QColor(255, 0, 0));
    m_score->State(3);
    QVERIFY(!m_score->Cell(1)->ChordNameShown());
    m_score->SetCapo(0);
    QCOMPARE(m_score->Cell(3)->ChordName(), QString("C/E"));
    QVERIFY(!m_score->Cell(1)->ChordNameShown()); // states survive a refresh
}

void TestChordScore::clickName() {
    m_score->SetText("C\r\nla\r\nnext");
    const int before = m_score->HeightTwips();
    const int nextTop = m_score->CellTop(2);
    Recorder r(*m_score);
    ChordView *c = m_score->Cell(1);
    PressCell(*m_score, c, Qt::LeftButton, c->ChordNameRect().center());
    QCOMPARE(r.events, (QStringList{"DrawStart", "DrawEnd"}));
    QVERIFY(!c->PositionShown());
    QCOMPARE(m_score->HeightTwips(), before - 750);
    QCOMPARE(m_score->CellTop(2), nextTop - 750); // laid out again
    PressCell(*m_score, c, Qt::MiddleButton, c->ChordNameRect().center());
    QVERIFY(c->PositionShown());
}

void TestChordScore::clickWord() {
    m_score->SetText("C\r\nla");
    ChordView *c = m_score->Cell(1);
    Recorder r(*m_score);
    PressCell(*m_score, c, Qt::LeftButton, c->WordRect().center());
    QVERIFY(!c->PositionShown() && !c->ChordNameShown());
    PressCell(*m_score, c, Qt::LeftButton, c->WordRect().center());
    QVERIFY(!c->PositionShown() && c->ChordNameShown());
    QCOMPARE(r.events, (QStringList{"DrawStart", "DrawEnd", "DrawStart", "DrawEnd"}));
}

void TestChordScore::clickDiagram() {
    m_score->SetText("G");
    ChordView *g = m_score->Cell(1);
    QCOMPARE(g->PositionSize(), int16_t(3));
    Recorder r(*m_score);
    QList<int> seen;
    for (int i = 0; i < 4; ++i) {
        PressCell(*m_score, g, Qt::LeftButton, g->DiagramRect().center());
        seen << g->PositionId();
    }
    const int16_t first = m_chord->SearchPosition("G");
    QCOMPARE(seen, (QList<int>{first + 1, first + 2, first, first + 1}));
    QVERIFY(r.events.isEmpty());
    QCOMPARE(g->FlatStart(), int16_t(3));
}

void TestChordScore::clicksThatDoNothing() {
    m_score->SetText("C  E9\r\nla li\r\nplain");
    Recorder r(*m_score);
    PressCell(*m_score, m_score->Cell(1), Qt::LeftButton,
              m_score->Cell(1)->DiagramRect().center()); // one position
    PressCell(*m_score, m_score->Cell(2), Qt::LeftButton,
              m_score->Cell(2)->ChordNameRect().center()); // unknown chord
    PressCell(*m_score, m_score->Cell(3), Qt::LeftButton,
              m_score->Cell(3)->WordRect().center());                   // no chord above
    PressCell(*m_score, m_score->Cell(1), Qt::LeftButton);              // the cell's surface
    QTest::mousePress(m_score.get(), Qt::LeftButton, {}, QPoint(1, 1)); // the score's surface
    QVERIFY(r.events.isEmpty());
    QVERIFY(m_score->Cell(1)->PositionShown());
    QVERIFY(m_score->Cell(2)->ChordNameShown());
}

void TestChordScore::changeRowFromMenu() {
    m_score->SetText("C   G\r\nla  li\r\nAm\r\nlo");
    Recorder r(*m_score);
    ChooseInNextPopup(2); // 行 - 歌詞
    PressCell(*m_score, m_score->Cell(2), Qt::RightButton, m_score->Cell(2)->WordRect().center());
    QCOMPARE(r.events, (QStringList{"DrawStart", "DrawEnd"}));
    for (int16_t i : {int16_t(1), int16_t(2)}) {
        QVERIFY(!m_score->Cell(i)->PositionShown() && !m_score->Cell(i)->ChordNameShown());
    }
    QVERIFY(m_score->Cell(3)->PositionShown() && m_score->Cell(3)->ChordNameShown());
    ChooseInNextPopup(1); // 行 - コード名
    PressCell(*m_score, m_score->Cell(1), Qt::RightButton,
              m_score->Cell(1)->DiagramRect().center());
    QVERIFY(!m_score->Cell(2)->PositionShown() && m_score->Cell(2)->ChordNameShown());
    ChooseInNextPopup(0); // 行 - 押え方
    PressCell(*m_score, m_score->Cell(1), Qt::RightButton);
    QVERIFY(m_score->Cell(1)->PositionShown());
}

void TestChordScore::pasteEnabled_data() {
    QTest::addColumn<bool>("text");
    QTest::newRow("clipboard with text") << true;
    QTest::newRow("clipboard without text") << false;
}

void TestChordScore::pasteEnabled() {
    QFETCH(bool, text);
    if (text) {
        QGuiApplication::clipboard()->setText("C\r\nla");
    } else {
        auto *data = new QMimeData;
        data->setData("application/x-tamblin-test", "x");
        QGuiApplication::clipboard()->setMimeData(data);
    }
    m_score->SetText("C\r\nla");
    bool enabled = !text;
    ChooseInNextPopup(-1, &enabled);
    m_score->Cell(1)->ClickPopupMenu();
    QCOMPARE(enabled, text);
    enabled = !text;
    ChooseInNextPopup(-1, &enabled);
    m_score->ClickPopupMenu();
    QCOMPARE(enabled, text);
    if (text) {
        Recorder r(*m_score);
        ChooseInNextPopup(3); // the cell's 貼り付け, after the separator
        PressCell(*m_score, m_score->Cell(1), Qt::RightButton,
                  m_score->Cell(1)->ChordNameRect().center());
        ChooseInNextPopup(0);
        QTest::mousePress(m_score.get(), Qt::RightButton, {}, QPoint(1, 1));
        QCOMPARE(r.events, (QStringList{"Paste", "Paste"}));
    }
}

void TestChordScore::drops() {
    m_score->SetText("C\r\nla");
    Recorder r(*m_score);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a.txt"), QUrl::fromLocalFile("/tmp/b.txt"),
                  QUrl::fromLocalFile("/tmp/c.txt")});
    // Dropped on a cell or beside it: cells are painted on the score.
    for (QPoint at : {m_score->Cell(1)->geometry().center(), QPoint(1, 1)}) {
        QWidget *target = m_score.get();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
    }
    QCOMPARE(r.events, (QStringList{"DropFile:3", "DropFile:3"}));
}

void TestChordScore::loadErrors_data() {
    QTest::addColumn<QByteArray>("bytes"); // "<absent>": no file
    QTest::addColumn<int>("number");
    // What the file reader refuses is its own suite's; here, what the score
    // does with a refusal (keeps the sheet) and with text it cannot build.
    QTest::newRow("missing") << QByteArray("<absent>") << int(AppError::FileNotFound);
    QTest::newRow("one 3 MB line") << QByteArray(3 * 1024 * 1024, 'x') << int(AppError::Overflow);
    // ChordPro lines are held to the same limit.
    const QByteArray mega(1024 * 1024, 'x');
    QTest::newRow("1 MB ChordPro title") << "{title: " + mega + "}\r\n[C]la\r\n"
                                         << int(AppError::Overflow);
    QTest::newRow("1 MB ChordPro comment") << "[C]la\r\n{c: " + mega + "}\r\n"
                                           << int(AppError::Overflow);
    QTest::newRow("1 MB ChordPro lyric") << "[C]" + mega + "\r\n" << int(AppError::Overflow);
}

void TestChordScore::loadErrors() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, number);
    m_score->SetText("C\r\nla");
    QTemporaryDir dir;
    const QString path = dir.filePath("song.txt");
    if (bytes != "<absent>") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QElapsedTimer t;
    t.start();
    Recorder r(*m_score);
    try {
        m_score->LoadChordScore(path);
        QFAIL("the load must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), number);
        if (number != AppError::Overflow) {
            QVERIFY2(e.Description().contains(path), qPrintable(e.Description()));
        }
    }
    QVERIFY(t.elapsed() < testsupport::AtOnceMs());
    if (number == AppError::Overflow) {
        // Read, then refused while building: the score is emptied.
        QCOMPARE(r.events, QStringList{"DrawStart"});
        QCOMPARE(m_score->ChordViewCount(), int16_t(0));
        return;
    }
    QVERIFY(r.events.isEmpty());
    QCOMPARE(m_score->ChordViewCount(), int16_t(1)); // the sheet stays
    QCOMPARE(m_score->Cell(1)->ChordName(), QString("C"));
}

void TestChordScore::encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected"); // chord|word of each cell, "/"-joined
    const QString sheet =
        QStringLiteral("G   C\r\nさくら さくら\r\nｶﾀｶﾅ　と 漢字\r\nＡｍ\tＦ\r\nやよいの\tそら");
    // A full-width chord starts at its second column, as the parser counts.
    const QString cells = "G|さく/C|ら さくら/|ｶﾀｶﾅ  と 漢字/|/Am|やよいの /F|   そら";
    const QByteArray utf8 = sheet.toUtf8();
    const auto utf16 = [&sheet](bool le) {
        QByteArray b = le ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        for (QChar c : sheet) {
            const char lo = char(c.unicode() & 0xFF);
            const char hi = char(c.unicode() >> 8);
            b.append(le ? lo : hi).append(le ? hi : lo);
        }
        return b;
    };
    QTest::newRow("CP932") << cp932::Encode(sheet) << cells;
    QTest::newRow("UTF-8") << utf8 << cells;
    QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + utf8 << cells;
    QTest::newRow("UTF-16 LE") << utf16(true) << cells;
    QTest::newRow("UTF-16 BE") << utf16(false) << cells;
    QTest::newRow("ASCII") << QByteArray("C\r\nla") << "C|la";
    // CP932 that is not valid UTF-8 stays CP932 however short.
    QTest::newRow("short CP932") << QByteArray("\x82\xa0") << "|あ";
    // Characters outside CP932 keep themselves and their East Asian Width.
    QTest::newRow("wide, outside CP932") << QString("C   G\r\n한국 la").toUtf8() << "C|한국/G| la";
    QTest::newRow("narrow, outside CP932") << QString("C G\r\néa bc").toUtf8() << "C|éa/G| bc";
    QTest::newRow("combining mark") << QString("C G\r\ne\u0301a bc").toUtf8() << "C|e\u0301a/G| bc";
    // Bytes valid as both are read as UTF-8, as the rule says.
    QTest::newRow("valid as both") << QByteArray("\xE8\x8A\xB1") << "|花";
}

// A sheet in CP932, UTF-8 or UTF-16 gives the same cells.
void TestChordScore::encodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QFile f(dir.filePath("song.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    m_score->LoadChordScore(f.fileName());
    QStringList cells;
    for (int16_t i = 1; i <= m_score->ChordViewCount(); ++i) {
        cells << m_score->Cell(i)->ChordName() + "|" + m_score->Cell(i)->Word();
    }
    QCOMPARE(cells.join("/"), expected);
}

void TestChordScore::buildFailureEmpties() {
    m_score->SetText("a\r\nb");
    m_score->SetMax(3);
    Recorder r(*m_score);
    try {
        m_score->SetText("1\r\n2\r\n3\r\n4");
        QFAIL("the limit must be raised");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), int32_t(0x8004C38Cu));
        QCOMPARE(e.Description(), QStringLiteral("表示制限数を越えました"));
    }
    QCOMPARE(r.events, QStringList{"DrawStart"}); // no DrawEnd after a failure
    QCOMPARE(m_score->ChordViewCount(), int16_t(0));
    m_score->SetText("x");
    QCOMPARE(m_score->ChordViewCount(), int16_t(1));
}

// 32,767 cells, the most a 16-bit count holds: every pass over them ends.
void TestChordScore::atTheCellLimit() {
    m_score->hide();
    m_score->SetMax(32767);
    QStringList lines;
    for (int i = 0; i < 327; ++i) {
        lines << QString("C G ").repeated(50) << "";
    }
    lines << QString("C ").repeated(67);
    m_score->SetText(lines.join("\r\n"));
    QCOMPARE(m_score->ChordViewCount(), int16_t(32767));
    m_score->State(2);
    m_score->SetCapo(2);
    QCOMPARE(m_score->Cell(32767)->ChordName(), QString("A#"));
    QVERIFY(!m_score->Cell(32767)->PositionShown());
    QVERIFY(m_score->Cell(32767)->y() > m_score->Cell(1)->y());
    // Handled now, the cells' pending events do not make tearing down quadratic.
    QCoreApplication::sendPostedEvents();
}

// A ChordPro {define} comes first for this sheet only; the dictionary stays.
void TestChordScore::chordProDefine() {
    m_score->SetText("{define: C base-fret 3 frets x 1 3 3 3 1}\r\n[C]la [G]li");
    const ChordView *c = m_score->Cell(1);
    QCOMPARE(c->ChordName(), QString("C"));
    QCOMPARE(c->PositionSize(), int16_t(2));
    QCOMPARE(c->Chord()->Flat(c->PositionId(), 1), int16_t(3));
    QCOMPARE(c->Chord()->Flat(c->PositionId(), 2), int16_t(5));
    QCOMPARE(m_score->Cell(2)->PositionSize(), int16_t(3)); // G untouched
    QCOMPARE(m_chord->PositionSize(m_chord->SearchPosition("C")), int16_t(1));
    m_score->SetText("C\r\nla"); // another sheet: the dictionary's own again
    QCOMPARE(m_score->Cell(1)->PositionSize(), int16_t(1));
}

// The same pixels as the widgets show, from the code that print and zoom
// use; at twice the size, diagrams are the same pixels doubled, not blurred.
void TestChordScore::paintsAsTheScreen() {
    m_score->SetText("C     E9   G\r\nla    li   lo\r\nAm\r\nwords\r\nG  C\r\nend");
    m_score->Cell(3)->SetState(2);
    m_score->SetFixHeight(1800); // page columns and a separator
    QVERIFY(m_score->SeparatorCount() >= 1);
    const QImage screen = m_score->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto paint = [this](int scale) {
        QImage image(m_score->size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::gray);
        QPainter p(&image);
        scorepainter::PaintScore(p, *m_score);
        return image;
    };
    const QImage once = paint(1);
    QCOMPARE(once, screen);
    QImage twice = paint(2);
    twice.setDevicePixelRatio(1);
    const QRect diagram = m_score->Cell(1)->DiagramRect().translated(m_score->Cell(1)->pos());
    QCOMPARE(twice.copy(QRect(diagram.topLeft() * 2, diagram.size() * 2)),
             once.copy(diagram).scaled(diagram.size() * 2, Qt::IgnoreAspectRatio,
                                       Qt::FastTransformation));
}

// The sheet's chords once each, as the cells name them; a chord stepped
// there is stepped in every cell of it.
void TestChordScore::chordStrip() {
    m_score->SetText("G  C  G  Am  E9  C\r\nla li lo lu le la");
    ChordStrip strip;
    const auto names = [&strip] {
        QStringList out;
        for (int i = 0; i < strip.Count(); ++i) {
            out << strip.Cell(i).ChordName();
        }
        return out;
    };
    QVERIFY(strip.Take(*m_score, 100));
    QCOMPARE(names(), (QStringList{"G", "C", "Am", "E9"}));
    QVERIFY(strip.Arrange(2000) > 0);
    QVERIFY(strip.CellRect(0).right() < strip.CellRect(1).left());
    m_score->SetCapo(5);
    QVERIFY(strip.Take(*m_score, 100));
    QCOMPARE(names(), (QStringList{"D", "G", "Em", "B9"}));
    m_score->SetCapo(0);
    QVERIFY(strip.Take(*m_score, 100));
    const auto [name, line] = strip.Step(0);
    QCOMPARE(name, QString("G"));
    QCOMPARE(line, QString("3*6-3-4-5-5-3"));
    m_score->UseVoicingForAll(name, line);
    QCOMPARE(m_score->Cell(1)->VoicingLine(), line);
    QCOMPARE(m_score->Cell(3)->VoicingLine(), line);
    QCOMPARE(m_score->VoicingFor("G"), line);
    QVERIFY(!strip.Take(*m_score, 100)); // the strip shows that already
}

QTEST_MAIN(TestChordScore)
#include "tst_chordscore.moc"
