// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/Chord.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/Twips.h"
#include "score/CellText.h"
#include "score/ChordView.h"
#include "score/Fonts.h"
#include "score/ScorePainter.h"
#include "score/Zoom.h"

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <memory>

namespace {

// A dictionary of one chord per fingering line given.
std::shared_ptr<Chord> Dictionary(const QStringList &positions) {
    auto c = std::make_shared<Chord>();
    for (const QString &p : positions) {
        c->RegistChord(QStringLiteral("X"), p);
    }
    return c;
}

// Each string's mark as "dot@left/height", "x" for a cross or "-".
QString Marks(const PositionDiagram &d) {
    QStringList out;
    for (int16_t i = 1; i <= d.StringSize(); ++i) {
        if (d.Thumb(i).Visible) {
            out << QStringLiteral("%1/%2").arg(d.Thumb(i).Left).arg(d.Thumb(i).Height);
        } else if (d.Mute(i).Visible) {
            out << QStringLiteral("x");
        } else {
            out << QStringLiteral("-");
        }
    }
    return out.join(u' ');
}

int TextWidth(const std::shared_ptr<Font> &f, const QString &s) {
    return QFontMetrics(f->ToQFont()).horizontalAdvance(s) * 15;
}
int LineHeight(const std::shared_ptr<Font> &f) {
    return QFontMetrics(f->ToQFont()).height() * 15;
}

} // namespace

class TestChordView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { scorefonts::InstallFontSubstitutions(); }
    void diagram_data();
    void diagram();
    void frame_data();
    void frame();
    void outOfRange();
    void construction();
    void cell_data();
    void cell();
    void stateKeepsHiddenDiagram();
    void wordWaitsForArrange();
    void positionIdAlone();
    void pixels_data();
    void pixels();
    void zoomSteps_data();
    void zoomSteps();
    void zoomedDiagram_data();
    void zoomedDiagram();
    void widthsAsShaped_data();
    void widthsAsShaped();
};

void TestChordView::diagram_data() {
    QTest::addColumn<QString>("position");
    QTest::addColumn<bool>("adjust");
    QTest::addColumn<int>("flatStart");
    QTest::addColumn<int>("nut");
    QTest::addColumn<QString>("number"); // "" when hidden
    QTest::addColumn<QString>("marks");
    QTest::newRow("G adjusted") << "3-0-0-0-2-3" << true << 1 << 2 << ""
                                << "390/75 - - - 270/75 390/75";
    QTest::newRow("G from its lowest fret") << "3-0-0-0-2-3" << false << 2 << 1 << "2"
                                            << "270/75 - - - 150/75 270/75";
    QTest::newRow("G barre") << "3*6-3-4-5-5-3" << true << 3 << 1 << "3"
                             << "150/525 150/75 270/75 390/75 390/75 150/75";
    QTest::newRow("two-string barre") << "5*2-5-6-7-X-X" << false << 5 << 1 << "5"
                                      << "150/165 150/75 270/75 390/75 x x";
    QTest::newRow("open and muted only") << "0-0-X-X-0-0" << false << 1 << 2 << ""
                                         << "- - x x - -";
    QTest::newRow("min 1 max 5 never moves") << "1-5-X-X-X-X" << false << 1 << 2 << ""
                                             << "150/75 630/75 x x x x";
    QTest::newRow("min 2 max 4 adjusted") << "2-4-X-X-X-X" << true << 1 << 2 << ""
                                          << "270/75 510/75 x x x x";
    QTest::newRow("min 2 max 4 not adjusted") << "2-4-X-X-X-X" << false << 2 << 1 << "2"
                                              << "150/75 390/75 x x x x";
    QTest::newRow("max 5 ignores the rule") << "2-5-X-X-X-X" << true << 2 << 1 << "2"
                                            << "150/75 510/75 x x x x";
    QTest::newRow("fret 12") << "12-12-13-14-X-X" << true << 12 << 1 << "12"
                             << "150/75 150/75 270/75 390/75 x x";
}

void TestChordView::diagram() {
    QFETCH(QString, position);
    QFETCH(bool, adjust);
    QFETCH(int, flatStart);
    QFETCH(int, nut);
    QFETCH(QString, number);
    QFETCH(QString, marks);
    const auto chord = Dictionary({position});
    PositionDiagram d;
    d.SetStringSize(6);
    d.SetFlatSize(4);
    d.DrawPosition(*chord, 1, 1, adjust, true);
    QCOMPARE(int(d.FlatStart()), flatStart);
    QCOMPARE(d.Fret(0).WidthPx, nut);
    QCOMPARE(d.FretNumber().Visible, !number.isEmpty());
    if (!number.isEmpty()) {
        QCOMPARE(d.FretNumber().Text, number);
        QCOMPARE(d.FretNumber().Left, 150);
        QCOMPARE(d.FretNumber().Top, 0);
        QCOMPARE(d.FretNumber().Width, 105 * int(number.size()));
    }
    QCOMPARE(Marks(d), marks);
    QVERIFY(!d.Variation().Visible); // one position only
    for (int16_t i = 1; i <= 6; ++i) {
        QCOMPARE(d.Thumb(i).Top, 180 + 90 * (i - 1));
    }
}

void TestChordView::frame_data() {
    QTest::addColumn<int>("strings");
    QTest::addColumn<int>("frets");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("guitar") << 6 << 4 << 660 << 750;
    QTest::newRow("3 strings") << 3 << 4 << 660 << 480;
    QTest::newRow("7 strings, 5 frets") << 7 << 5 << 780 << 840;
    QTest::newRow("6 frets") << 6 << 6 << 900 << 750;
    QTest::newRow("1 fret") << 4 << 1 << 300 << 570;
}

void TestChordView::frame() {
    QFETCH(int, strings);
    QFETCH(int, frets);
    QFETCH(int, width);
    QFETCH(int, height);
    PositionDiagram d;
    d.SetStringSize(7);
    d.SetStringSize(static_cast<int16_t>(strings));
    d.SetFlatSize(6);
    d.SetFlatSize(static_cast<int16_t>(frets));
    QCOMPARE(d.Width(), width);
    QCOMPARE(d.Height(), height);
    for (int16_t i = 1; i <= 7; ++i) {
        QCOMPARE(d.String(i).Visible, i <= strings);
        QCOMPARE(d.Thumb(i).Visible, i <= strings);
        QCOMPARE(d.Mute(i).Visible, i <= strings);
        QCOMPARE(d.String(i).Y1, 210 + 90 * (i - 1));
        QCOMPARE(d.String(i).X1, 120);
        QCOMPARE(d.String(i).X2, 120 + 120 * frets);
    }
    for (int16_t k = 0; k <= 6; ++k) {
        QCOMPARE(d.Fret(k).Visible, k <= frets);
        QCOMPARE(d.Fret(k).X1, 120 + 120 * k);
        QCOMPARE(d.Fret(k).Y1, 210);
        QCOMPARE(d.Fret(k).Y2, 210 + 90 * (strings - 1));
    }
    QCOMPARE(d.Variation().Left, 120 + 120 * frets - 22);
    QCOMPARE(d.Variation().Top, 100);
}

void TestChordView::outOfRange() {
    ChordView v;
    for (int16_t bad : {int16_t(2), int16_t(8), int16_t(-1)}) {
        QVERIFY_THROWS_EXCEPTION(AppError, v.SetStringSize(bad));
    }
    for (int16_t bad : {int16_t(0), int16_t(7)}) {
        QVERIFY_THROWS_EXCEPTION(AppError, v.SetFlatSize(bad));
    }
    QCOMPARE(v.Diagram().StringSize(), int16_t(6)); // unchanged
}

void TestChordView::construction() {
    ChordView v;
    QCOMPARE(v.EnableChordNameColor(), 0);
    QCOMPARE(v.UnEnableChordNameColor(), 12632256);
    QCOMPARE(v.EnableWordColor(), 0);
    QCOMPARE(v.UnEnableWordColor(), 12632256);
    QVERIFY(v.VariationMark());
    QVERIFY(!v.AdjustFlatStart());
    QVERIFY(v.PositionShown() && v.ChordNameShown() && v.WordShown());
    QCOMPARE(v.ChordNameFont()->Name(), QString("Arial"));
    QCOMPARE(v.ChordNameFont()->Size(), 9.75);
    QCOMPARE(v.ChordNameFont()->Weight(), int16_t(700));
    QCOMPARE(v.LineNo(), 0);
    QCOMPARE(v.PositionId(), int16_t(0));
    // The frame the construction builds, measured when first asked.
    QCOMPARE(QList<int>({v.WidthTwips(), v.HeightTwips(), v.ChordNameTop(), v.WordTop()}),
             QList<int>({660, 1185, 750, 975}));
    QCOMPARE(ChordView::ToColor(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(ChordView::ToColor(0xC0C0C0), QColor(192, 192, 192));
}

void TestChordView::cell_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("diagram");
    QTest::addColumn<bool>("nameShown");
    QTest::addColumn<bool>("nameEnabled");
    QTest::addColumn<bool>("wordEnabled");
    QTest::addColumn<QString>("widthRule"); // which part decides the width
    QTest::newRow("empty name") << ""
                                << "そして " << false << false << false << false << "word";
    QTest::newRow("unknown chord") << "Zz7"
                                   << "ab" << false << true << false << true << "name+80";
    QTest::newRow("known chord, short word") << "G"
                                             << "a" << true << true << true << true << "diagram";
    QTest::newRow("name wider than all") << "Gsus4add9(13)"
                                         << "a" << false << true << false << true << "name+80";
    QTest::newRow("word wider than the name")
        << "G"
        << "ケンカし ケンカし " << true << true << true << true << "word";
}

void TestChordView::cell() {
    QFETCH(QString, name);
    QFETCH(QString, word);
    QFETCH(bool, diagram);
    QFETCH(bool, nameShown);
    QFETCH(bool, nameEnabled);
    QFETCH(bool, wordEnabled);
    QFETCH(QString, widthRule);
    auto chord = std::make_shared<Chord>();
    chord->RegistChord("G", "3-0-0-0-2-3");
    ChordView v;
    v.Initialize();
    v.SetChord(chord);
    v.SetChordName(name);
    v.SetWord(word);
    v.SetState(1);
    QCOMPARE(v.PositionShown(), diagram);
    QCOMPARE(v.ChordNameShown(), nameShown);
    QVERIFY(v.WordShown());
    QCOMPARE(v.ChordNameColor(), nameEnabled ? QColor(0, 0, 0) : QColor(192, 192, 192));
    QCOMPARE(v.WordColor(), wordEnabled ? QColor(0, 0, 0) : QColor(192, 192, 192));

    const int nameW = TextWidth(v.ChordNameFont(), name);
    const int wordW = TextWidth(v.WordFont(), word);
    int width = 0;
    if (widthRule == "word") {
        width = wordW;
    } else if (widthRule == "name+80") {
        width = nameW + 80;
    } else {
        width = 660;
    }
    QCOMPARE(v.WidthTwips(), width);
    const int height = (diagram ? 750 : 0) + (nameShown ? LineHeight(v.ChordNameFont()) : 0) +
                       LineHeight(v.WordFont());
    QCOMPARE(v.HeightTwips(), height);
    QCOMPARE(v.width(), qRound(width / 15.0));
    QCOMPARE(v.height(), qRound(height / 15.0));
    QCOMPARE(v.WordTop(), height - LineHeight(v.WordFont()));
}

void TestChordView::stateKeepsHiddenDiagram() {
    auto chord = std::make_shared<Chord>();
    chord->RegistChord("G", "3-0-0-0-2-3");
    ChordView v;
    v.SetChord(chord);
    v.SetChordName("Q");
    v.SetState(1);
    QVERIFY(!v.PositionShown());
    v.SetChordName("G");
    QVERIFY(!v.PositionShown()); // a hidden part is never shown by a name write
    QVERIFY(v.ChordNameShown());
    v.SetState(4);
    QVERIFY(!v.PositionShown());
    v.SetState(1);
    QVERIFY(v.PositionShown());
    v.SetState(2);
    QVERIFY(!v.PositionShown() && v.ChordNameShown());
    v.SetState(3);
    QVERIFY(!v.PositionShown() && !v.ChordNameShown() && v.WordShown());
}

void TestChordView::wordWaitsForArrange() {
    ChordView v;
    v.SetChordName("");
    v.SetWord("a");
    v.SetState(0);
    const int before = v.WidthTwips();
    v.SetWord("a much longer word than before");
    QCOMPARE(v.WidthTwips(), before);
    v.SetState(0); // any state still re-arranges
    QVERIFY(v.WidthTwips() > before);
}

void TestChordView::positionIdAlone() {
    auto chord = std::make_shared<Chord>();
    chord->RegistChord("G", "3-0-0-0-2-3");
    chord->RegistChord("G", "3*6-3-4-5-5-3");
    ChordView v;
    v.SetChord(chord);
    v.SetChordName("G");
    QVERIFY(v.Diagram().Variation().Visible); // two positions
    v.SetPositionId(2);
    QCOMPARE(v.PositionSize(), int16_t(1));
    QVERIFY(v.PositionShown() && !v.ChordNameShown() && !v.WordShown());
    QCOMPARE(v.WidthTwips(), 660);
    QCOMPARE(v.HeightTwips(), 750);
    QVERIFY(!v.Diagram().Variation().Visible);
    QCOMPARE(v.FlatStart(), int16_t(3));
}

void TestChordView::pixels_data() {
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("100%") << qreal(1);
    QTest::newRow("HiDPI") << qreal(2);
}

// The diagram of C "0-1-0-2-3-X" from fret 1: the dot of string 1... is open,
// so check string 2's dot (fret 1, column 1), the thick nut and string 6's cross.
void TestChordView::pixels() {
    QFETCH(qreal, dpr);
    auto chord = std::make_shared<Chord>();
    chord->RegistChord("C", "0-1-0-2-3-X");
    chord->RegistChord("G", "3-0-0-0-2-3");
    ChordView v;
    v.SetChord(chord);
    v.SetAdjustFlatStart(true);
    v.SetChordName("C");
    QImage img(QSize(44, 50) * dpr, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::green);
    {
        QPainter p(&img);
        scorepainter::PaintDiagram(p, v.Diagram());
    }
    const auto at = [&](int x, int y) { return QColor(img.pixel(int(x * dpr), int(y * dpr))); };
    const QColor black(0, 0, 0), white(255, 255, 255), red(255, 0, 0);
    // Whole area painted.
    QCOMPARE(at(43, 49), white);
    // String lines at y = 14 + 6k from x = 8 to 40; a fret line at x = 16.
    QCOMPARE(at(20, 14), black);
    QCOMPARE(at(20, 13), white);
    QCOMPARE(at(20, 15), white);
    QCOMPARE(at(40, 44), black);
    QCOMPARE(at(41, 14), white);
    QCOMPARE(at(16, 17), black);
    // The thick nut: two pixel columns, 7 and 8, from string 1 to string 6.
    QCOMPARE(at(7, 14), black);
    QCOMPARE(at(8, 44), black);
    QCOMPARE(at(6, 30), white);
    QCOMPARE(at(9, 30), white);
    // String 2's dot: fret 1, column 1: x 10..14, y 18..22, red inside, border, round corners.
    QCOMPARE(at(12, 20), red);
    QCOMPARE(at(10, 20), black);
    QCOMPARE(at(12, 18), black);
    QCOMPARE(at(10, 18), white);
    // String 1 is open: no dot on it.
    QCOMPARE(at(12, 13), white);
    // String 6 muted: a cross left of the nut, from (0,42) to (5,47).
    QCOMPARE(at(0, 42), black);
    QCOMPARE(at(5, 47), black);
    QCOMPARE(at(5, 42), black);
    QCOMPARE(at(2, 44), black);
    QCOMPARE(at(3, 42), white);
    if (dpr == 2) {
        // Each logical pixel is two device pixels, neither half-grey.
        QCOMPARE(QColor(img.pixel(40, 29)), black);
        QCOMPARE(QColor(img.pixel(40, 30)), white);
        QCOMPARE(QColor(img.pixel(40, 27)), white);
    }
    // G barre from fret 3 shows its number in the corner.
    v.SetChordName("G");
    QVERIFY(!v.Diagram().FretNumber().Visible);
    v.SetAdjustFlatStart(false);
    v.Refresh();
    QVERIFY(v.Diagram().FretNumber().Visible);
    QImage g(QSize(44, 50) * dpr, QImage::Format_RGB32);
    g.setDevicePixelRatio(dpr);
    {
        QPainter p(&g);
        scorepainter::PaintDiagram(p, v.Diagram());
    }
    int dark = 0;
    for (int y = 0; y < int(12 * dpr); ++y) {
        for (int x = int(10 * dpr); x < int(17 * dpr); ++x) {
            dark += qGray(g.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    QVERIFY2(dark > 3, "the fret number is drawn above the strings");
}

void TestChordView::zoomSteps_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");
    QTest::addColumn<int>("nearest");
    QTest::newRow("100") << 100 << 110 << 90 << 100;
    QTest::newRow("lowest stays") << 50 << 67 << 50 << 50;
    QTest::newRow("highest stays") << 400 << 400 << 300 << 400;
    QTest::newRow("between steps") << 140 << 150 << 125 << 150;
    QTest::newRow("hand-edited 0") << 0 << 50 << 50 << 50;
    QTest::newRow("hand-edited 9999") << 9999 << 400 << 400 << 400;
}

void TestChordView::zoomSteps() {
    QFETCH(int, percent);
    QFETCH(int, in);
    QFETCH(int, out);
    QFETCH(int, nearest);
    QCOMPARE(zoom::In(percent), in);
    QCOMPARE(zoom::Out(percent), out);
    QCOMPARE(zoom::Nearest(percent), nearest);
}

void TestChordView::zoomedDiagram_data() {
    // Pixels, worked by hand: every spacing is its 100% value scaled and
    // rounded once, so all strings (and all frets) stay equally apart.
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("string1Y");
    QTest::addColumn<int>("stringGap");
    QTest::addColumn<int>("nutX");
    QTest::addColumn<int>("fretGap");
    QTest::addColumn<int>("line");
    QTest::newRow("50") << 50 << 22 << 25 << 7 << 3 << 4 << 4 << 1;
    QTest::newRow("67") << 67 << 28 << 33 << 9 << 4 << 5 << 5 << 1;
    QTest::newRow("100") << 100 << 44 << 50 << 14 << 6 << 8 << 8 << 1;
    QTest::newRow("150") << 150 << 66 << 75 << 21 << 9 << 12 << 12 << 1;
    QTest::newRow("200") << 200 << 88 << 100 << 28 << 12 << 16 << 16 << 2;
    QTest::newRow("300") << 300 << 132 << 150 << 42 << 18 << 24 << 24 << 3;
}

// The zoomed diagram as painted: its size, its lines where the table says
// and as thick, and only white, black and red pixels (no blurred edges).
void TestChordView::zoomedDiagram() {
    QFETCH(int, percent);
    QFETCH(int, string1Y);
    QFETCH(int, stringGap);
    QFETCH(int, nutX);
    QFETCH(int, fretGap);
    QFETCH(int, line);
    const auto chord = Dictionary({QStringLiteral("0-1-0-2-3-X")});
    PositionDiagram d;
    d.SetStringSize(6);
    d.SetFlatSize(4);
    d.SetZoom(percent);
    d.DrawPosition(*chord, 1, 1, true, true);
    QFETCH(int, width);
    QFETCH(int, height);
    QCOMPARE(twips::Px(d.Width()), width);
    QCOMPARE(twips::Px(d.Height()), height);
    QImage img(twips::Px(d.Width()), twips::Px(d.Height()), QImage::Format_RGB32);
    QPainter p(&img);
    scorepainter::PaintDiagram(p, d);
    p.end();
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            QVERIFY2(c == qRgb(255, 255, 255) || c == qRgb(0, 0, 0) || c == qRgb(255, 0, 0),
                     qPrintable(QStringLiteral("%1,%2 is %3").arg(x).arg(y).arg(c, 0, 16)));
        }
    }
    const auto black = [&](int x, int y) { return img.pixel(x, y) == qRgb(0, 0, 0); };
    // Halfway between fret lines 3 and 4: no dot there on this chord.
    const int between = nutX + 3 * fretGap + fretGap / 2;
    for (int i = 0; i < 6; ++i) {
        const int y = string1Y + i * stringGap;
        QVERIFY2(black(between, y) && black(between, y + line - 1) && !black(between, y + line) &&
                     !black(between, y - 1),
                 qPrintable(QStringLiteral("string %1").arg(i + 1)));
    }
    // Between strings 5 and 6, below string 5's dot.
    const int belowStrings = string1Y + 4 * stringGap + (stringGap + line) / 2;
    for (int k = 1; k <= 4; ++k) {
        const int x = nutX + k * fretGap;
        QVERIFY2(black(x, belowStrings) && black(x + line - 1, belowStrings) &&
                     !black(x + line, belowStrings) && !black(x - 1, belowStrings),
                 qPrintable(QStringLiteral("fret %1").arg(k)));
    }
}

void TestChordView::widthsAsShaped_data() {
    QTest::addColumn<QString>("family");
    for (const char *family : {"Sans Serif", "IPAGothic", "Arial"}) {
        QTest::newRow(family) << QString::fromLatin1(family);
    }
}

// A word is as wide as shaping makes it, however its width was found (kana
// and kanji are summed by character once enough words have agreed): the
// lyrics of the Japanese samples and a few hundred kana words, with the
// spaces and marks between them, at every zoom step.
void TestChordView::widthsAsShaped() {
    QFETCH(QString, family);
    QStringList words;
    for (const char *name : {"furusato.txt", "haru_no_ogawa.txt", "sakura.txt", "momiji.cho"}) {
        QFile f(QStringLiteral(TAMBLIN_SOURCE_DIR "/data/samples/") + name);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const QString text =
            name == QByteArray("momiji.cho") ? QString::fromUtf8(bytes) : cp932::Decode(bytes);
        for (const QString &line : text.split(QStringLiteral("\r\n"))) {
            words << line << line.split(u' ', Qt::SkipEmptyParts);
        }
    }
    const QString kana = QStringLiteral("あいうえおカキクケコ漢字ー　 ");
    for (int k = 0; k < 300; ++k) {
        words << QStringLiteral("ゆうやけ") + kana[k % 15] + kana[k / 15 % 15] + kana[k / 7 % 15];
    }
    auto font = std::make_shared<Font>(family, 9.75);
    for (const int zoom : zoom::kSteps) {
        CellText text;
        text.SetFont(font);
        text.SetZoom(zoom);
        for (const QString &word : words) {
            text.SetText(word);
            const int shaped = QFontMetrics(text.CurrentFont()).horizontalAdvance(word);
            QVERIFY2(text.TextSize().width() == shaped,
                     qPrintable(QStringLiteral("%1 at %2%").arg(word).arg(zoom)));
        }
    }
}

QTEST_MAIN(TestChordView)
#include "tst_chordview.moc"
