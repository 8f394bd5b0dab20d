// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "parsing/ChordToken.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/HalfWidth.h"
#include "platform/SheetFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Tokens as "row|chord|word", one entry each.
static QStringList Tokens(const ChordToken &ct) {
    QStringList out;
    for (int16_t i = 1; i <= ct.Size(); ++i) {
        // A mark shows as "!" in the chord's place.
        out << QStringLiteral("%1|%2|%3")
                   .arg(ct.LineNo(i))
                   .arg(ct.IsMark(i) ? QStringLiteral("!") : ct.ChordName(i), ct.Word(i));
    }
    return out;
}

static QStringList Parse(const QString &text, int16_t tabSize = 4) {
    ChordToken ct;
    ct.SetTabSize(tabSize);
    ct.SetText(text);
    return Tokens(ct);
}

class TestChordToken : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void tabSizeAlignment_data();
    void tabSizeAlignment();
    void noteLetterMatchesHalfWidth();
    void limit();
    void settingsTakeEffectOnNextText();
    void hostileInput_data();
    void hostileInput();
    void samples_data();
    void samples();
    void chordPro_data();
    void chordPro();
    void sheetSays_data();
    void sheetSays();
};

void TestChordToken::parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tokens");

    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("only line ends") << "\r\n\r\n\r\n" << QStringList{};
    QTest::newRow("worked example") << "       G        F#dim\r\nそして ケンカし 仲直り\r\n"
                                    << QStringList{"1||そして ", "1|G|ケンカし ", "1|F#dim|仲直り"};
    QTest::newRow("plain lines and a blank between verses")
        << "title\r\n\r\nC\r\nla\r\n\r\nG\r\nli"
        << QStringList{"1||title", "2||", "3|C|la", "4||", "5|G|li"};
    QTest::newRow("bars are separators") << "Am  |  D7  ｜ G\r\n"
                                         << QStringList{"1|Am|", "1|D7|", "1|G|"};
    QTest::newRow("heavy bar") << "C┃G\r\nabcdef" << QStringList{"1|C|abc", "1|G|def"};
    QTest::newRow("lower-case token makes a plain line")
        << "am D7\r\nwords" << QStringList{"1||am D7", "2||words"};
    QTest::newRow("N.C. is a mark of a chord line")
        << "N.C. G\r\nx" << QStringList{"1|!|N.C.", "1||x", "1|G|"};
    // Sheets as people write them: labels, titles and metadata stay text,
    // marks stand among chords without being chords.
    QTest::newRow("label Aメロ, then chords")
        << "Aメロ\r\nC  G\r\nla li" << QStringList{"1||Aメロ", "2|C|la ", "2|G|li"};
    QTest::newRow("label in brackets, numbered")
        << "【サビ2】\r\nAm\r\nla" << QStringList{"1||【サビ2】", "2|Am|la"};
    QTest::newRow("English labels and titles")
        << "CHORUS:\r\nBelieve\r\nBy Bluegrass Album Band\r\nVerse 2\r\nD\r\nx"
        << QStringList{"1||CHORUS:", "2||Believe", "3||By Bluegrass Album Band", "4||Verse 2",
                       "5|D|x"};
    QTest::newRow("metadata lines")
        << "Capo:3\r\nCapo 2\r\nKey: G\r\nBPM 120\r\nE\r\nx"
        << QStringList{"1||Capo:3", "2||Capo 2", "3||Key: G", "4||BPM 120", "5|E|x"};
    QTest::newRow("capitalised lyric under chords")
        << "C           G\r\nEverything  Everything"
        << QStringList{"1|C|Everything  ", "1|G|Everything"};
    QTest::newRow("words starting with A-G are no chords")
        << "Go go Dear\r\nla" << QStringList{"1||Go go Dear", "2||la"};
    QTest::newRow("repeat marks") << "C  G  x2\r\nla li"
                                  << QStringList{"1|C|la ", "1|G|li", "1|!|x2"};
    QTest::newRow("repeat marks, full-width and before")
        << "2x Am （×２）" << QStringList{"1|!|2x", "1|Am|", "1|!|（×２）"};
    QTest::newRow("section prefix")
        << "Intro: Am F\r\n[Verse 1] G D\r\n(Aメロ) C"
        << QStringList{"1||Intro:", "2|Am|", "2|F|",       "3||[Verse 1]",
                       "4|G|",      "4|D|",  "5||(Aメロ)", "6|C|"};
    QTest::newRow("tab staff lines stay text")
        << "e|-------0-|\r\nB|---------|" << QStringList{"1||e|-------0-|", "2||B|---------|"};
    QTest::newRow("Japanese sheet as typed")
        << "イントロ　Ｃ　Ｇ　（×２）\r\nCapo：3\r\n間奏 | Am | N.C |\r\nAメロ\r\nC\r\nあ"
        << QStringList{"1||イントロ", "2|C|",  "2|G|",    "2|!|（×２）", "3||Capo：3",
                       "4||間奏",     "5|Am|", "5|!|N.C", "6||Aメロ",    "7|C|あ"};
    QTest::newRow("a long word spelled with chord letters is text")
        << "C" + QString("m").repeated(20000) << QStringList{"1||C" + QString("m").repeated(20000)};
    QTest::newRow("metadata is never a prefix") << "Key: C G" << QStringList{"1||Key: C G"};
    QTest::newRow("passing chord in parentheses")
        << "C  (C7) F\r\nla li   lo" << QStringList{"1|C|la ", "1|(C7)|li   ", "1|F|lo"};
    QTest::newRow("group in parentheses") << "( D G A )" << QStringList{"1|(D|", "1|G|", "1|A)|"};
    QTest::newRow("bar fills and arrow")
        << "C / % - G → Aメロへ\r\nla  lo  li"
        << QStringList{"1|C|la  lo  ", "1|!|/", "1|!|%", "1|!|-", "1|G|li", "1|!|→ Aメロへ"};
    QTest::newRow("starred and odd chord names")
        << "C*  Em**  C7(b10)\r\nla  li    lo"
        << QStringList{"1|C*|la  ", "1|Em**|li    ", "1|C7(b10)|lo"};
    QTest::newRow("no-break and thin spaces")
        << "F\u00a0\u00a0C\u2009G\r\nThe revenue" << QStringList{"1|F|The", "1|C| r", "1|G|evenue"};
    QTest::newRow("chord in column 1: no leading word")
        << "C   G\r\nabcdefg" << QStringList{"1|C|abcd", "1|G|efg"};
    QTest::newRow("indented chord over an empty lyric")
        << " C\r\n\r\nnext" << QStringList{"1||", "1|C|", "2||next"};
    QTest::newRow("two chord lines in a row")
        << "C\r\nG  D\r\nab cd" << QStringList{"1|C|", "2|G|ab ", "2|D|cd"};
    QTest::newRow("chord line last") << "x\r\nE  A" << QStringList{"1||x", "2|E|", "2|A|"};
    QTest::newRow("chord line last with line ends") << "E\r\n\r\n\r\n" << QStringList{"1|E|"};
    QTest::newRow("lyric shorter than the chord column")
        << "C      G\r\nab" << QStringList{"1|C|ab", "1|G|"};
    QTest::newRow("chord on the second byte of a character")
        << " G\r\nあい" << QStringList{"1||", "1|G|あい"};
    QTest::newRow("chord on the first byte after a double-byte char")
        << "C   G\r\nあいうえ" << QStringList{"1|C|あい", "1|G|うえ"};
    QTest::newRow("chord splitting a character takes it whole")
        << "C  G\r\nあいう" << QStringList{"1|C|あ", "1|G|いう"};
    // A chord that starts with a double-byte letter reports the column of its
    // second byte, so one in column 1 still gets an (empty) leading cell.
    QTest::newRow("full-width chord and flat")
        << "Ｃｍ７  B♭\r\nあいうえおか" << QStringList{"1||", "1|Cm7|あいうえ", "1|Bb|おか"};
    QTest::newRow("full-width space is two columns")
        << "C\u3000G\r\nab\u3000cd" << QStringList{"1|C|ab ", "1|G| cd"};
    QTest::newRow("lone LF and CR are part of a line")
        << "C\nG\r\nxy" << QStringList{"1||C\nG", "2||xy"};
    QTest::newRow("half-width katakana is one column")
        << "C  G\r\nｱｲｳｴ" << QStringList{"1|C|ｱｲｳ", "1|G|ｴ"};
    QTest::newRow("chord line below a chord line's lyric")
        << "C\r\nla\r\nG\r\nli" << QStringList{"1|C|la", "2|G|li"};
}

void TestChordToken::parse() {
    QFETCH(QString, text);
    QFETCH(QStringList, tokens);
    QCOMPARE(Parse(text).join(u'\n'), tokens.join(u'\n'));
}

void TestChordToken::tabSizeAlignment_data() {
    QTest::addColumn<int>("tabSize");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("tab 4 matches the sheet") << 4 << QStringList{"1|C|la  ", "1|G|li"};
    QTest::newRow("tab 8 shifts the chord") << 8 << QStringList{"1|C|la  li", "1|G|"};
    QTest::newRow("tab 2") << 2 << QStringList{"1|C|la", "1|G|  li"};
}

void TestChordToken::tabSizeAlignment() {
    QFETCH(int, tabSize);
    QFETCH(QStringList, tokens);
    QCOMPARE(Parse("C\tG\r\nla  li", static_cast<int16_t>(tabSize)), tokens);
}

// A chord line is one whose tokens all begin with a letter that turns into
// C, D, E, F, G, A or B when made half-width; the shortcut must agree.
void TestChordToken::noteLetterMatchesHalfWidth() {
    const QString notes = QStringLiteral("CDEFGAB");
    for (char32_t u = 1; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) {
            continue;
        }
        const QChar c(static_cast<char16_t>(u));
        const QString half = halfwidth::ToHalfWidth(QString(c));
        const bool expected = half.size() == 1 && notes.contains(half[0]);
        QVERIFY2(ChordToken::IsNoteLetter(c) == expected, qPrintable(QString::number(u, 16)));
    }
}

void TestChordToken::limit() {
    QString sheet;
    for (int i = 0; i < 301; ++i) {
        sheet += QStringLiteral("line %1\r\n").arg(i);
    }
    ChordToken ct;
    ct.SetText(sheet.left(sheet.indexOf("line 300")));
    QCOMPARE(ct.Size(), int16_t(300));
    try {
        ct.SetText(sheet);
        QFAIL("the 301st token must be refused");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), static_cast<int32_t>(0x8004C38Cu));
        QCOMPARE(e.Description(), QStringLiteral("表示制限数を越えました"));
    }
    QCOMPARE(ct.Text(), sheet);
    QCOMPARE(ct.Size(), int16_t(300));
    QCOMPARE(ct.Word(300), QStringLiteral("line 299"));
    QCOMPARE(ct.LineNo(300), 300);
    // Outside 1..Size: empty, never a read past the end.
    QCOMPARE(ct.Word(301), QString());
    QCOMPARE(ct.LineNo(0), 0);
    QCOMPARE(ct.ChordName(-1), QString());
}

void TestChordToken::settingsTakeEffectOnNextText() {
    ChordToken ct;
    ct.SetText("a\r\nb\r\nc");
    ct.SetMax(2);
    QCOMPARE(ct.Size(), int16_t(3));
    QVERIFY_THROWS_EXCEPTION(AppError, ct.SetText("a\r\nb\r\nc"));
    ct.SetMax(32767);
    ct.SetTabSize(8);
    ct.SetText("\tx");
    QCOMPARE(Tokens(ct), QStringList{"1||        x"});
}

void TestChordToken::hostileInput_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error"); // 0 when the text must parse
    QTest::newRow("nul bytes") << QByteArray("C\0G\r\n\0\0\0", 8) << 0;
    QTest::newRow("truncated double-byte char") << QByteArray("C  G\r\n\x82\xA0\x82") << 0;
    QTest::newRow("lead byte before a line end") << QByteArray("G\r\n\x82\r\n\x82") << 0;
    QTest::newRow("binary noise") << QByteArray("\xFF\xFE\x00\x81\x09\xFD\x80\x0D\x0A\xEF", 10)
                                  << 0;
    QTest::newRow("line over 32767 characters")
        << QByteArray(40000, 'x') << int(AppError::Overflow);
    QTest::newRow("tabs expanding past the limit")
        << QByteArray(9000, '\t') << int(AppError::Overflow);
    QTest::newRow("chord line of 16000 chords")
        << QByteArray("C ").repeated(16000) + "\r\nlyric" << 0;
    QTest::newRow("more chords than the limit")
        << QByteArray("C\r\n").repeated(33000) << int(ChordToken::ErrorTooManyTokens);
}

void TestChordToken::hostileInput() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    ChordToken ct;
    ct.SetMax(32767);
    try {
        ct.SetText(cp932::Decode(bytes));
        QCOMPARE(error, 0);
        QVERIFY(ct.Size() > 0);
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), error);
        QVERIFY(!e.Description().isEmpty());
    }
}

void TestChordToken::samples_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("chords"); // chord names the sheet must yield
    QTest::newRow("furusato") << "furusato.txt" << QStringList{"F", "C7", "Bb", "Gm7", "Dm"};
    QTest::newRow("sakura") << "sakura.txt" << QStringList{"Am", "E7", "Cm7", "Dm"};
    QTest::newRow("amazing grace")
        << "amazing_grace.txt" << QStringList{"G7/B", "D/F#", "ConE", "D7sus4", "Em7"};
    QTest::newRow("haru no ogawa, UTF-8") << "haru_no_ogawa.txt" << QStringList{"G7", "Am", "Dm"};
    QTest::newRow("momiji, ChordPro") << "momiji.cho" << QStringList{"C", "Em", "G7"};
}

void TestChordToken::samples() {
    QFETCH(QString, file);
    QFETCH(QStringList, chords);
    const QString path = QStringLiteral(TAMBLIN_BIN_DIR "/samples/") + file;
    const QByteArray bytes = testsupport::ReadAll(path);
    sheetfile::Encoding encoding{};
    ChordToken ct;
    ct.SetText(sheetfile::Read(path, &encoding));
    QVERIFY(ct.Size() > 10);
    QStringList seen;
    for (int16_t i = 1; i <= ct.Size(); ++i) {
        seen << ct.ChordName(i);
        // No word of a chord line may begin inside a double-byte character.
        QVERIFY(!ct.Word(i).contains(QChar(0xFFFD)));
    }
    for (const QString &c : chords) {
        QVERIFY2(seen.contains(c), qPrintable(c));
    }
    if (encoding != sheetfile::Encoding::Cp932) {
        return;
    }
    QVERIFY(bytes.contains("\r\n") && !bytes.contains("\r\n\n"));
    // Its UTF-8 and UTF-16 twins give the same tokens.
    const QString text = cp932::Decode(bytes);
    QByteArray utf16le("\xFF\xFE");
    for (QChar c : text) {
        utf16le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    }
    QTemporaryDir dir;
    for (const QByteArray &twin : {text.toUtf8(), "\xEF\xBB\xBF" + text.toUtf8(), utf16le}) {
        testsupport::WriteAll(dir.filePath("twin.txt"), twin);
        ChordToken other;
        other.SetColumnRule(basString::ColumnRule::Unicode);
        other.SetText(sheetfile::Read(dir.filePath("twin.txt")));
        QCOMPARE(Tokens(other), Tokens(ct));
    }
}

void TestChordToken::chordPro_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("tokens"); // row|chord|word
    QTest::addColumn<int>("capo");
    QTest::newRow("inline chords")
        << QStringList{"[C]ふる[G]さと"} << QStringList{"1|C|ふる", "1|G|さと"} << -1;
    QTest::newRow("text before the first mark, a mark at the end")
        << QStringList{"la [Am]li [G7]"} << QStringList{"1||la ", "1|Am|li ", "1|G7|"} << -1;
    QTest::newRow("title, comment, key and capo")
        << QStringList{"{title: ふるさと}", "{c: ゆっくり}", "{key: G}", "{capo: 3}", "[G]a"}
        << QStringList{"1||ふるさと", "2||ゆっくり", "3||キー: G", "4|G|a"} << 3;
    QTest::newRow("chorus and its repeat")
        << QStringList{"{soc}", "[C]la", "{eoc}", "{chorus}"}
        << QStringList{"1||サビ", "2|C|la", "3||サビ", "4|C|la"} << -1;
    QTest::newRow("labelled section")
        << QStringList{"{start_of_verse: label=\"Verse 1\"}", "[D]x", "{end_of_verse}"}
        << QStringList{"1||Verse 1", "2|D|x"} << -1;
    QTest::newRow("meta directives")
        << QStringList{"{meta: artist Foster}", "{meta: capo 2}", "[C]a"}
        << QStringList{"1||アーティスト: Foster", "2|C|a"} << 2;
    QTest::newRow("custom sections")
        << QStringList{"{start_of_intro}",
                       "[G]x",
                       "{end_of_intro}",
                       "{start_of_outro: Coda}",
                       "[C]y",
                       "{eoo}",
                       "{start_of_intermezzo}",
                       "{end_of_intermezzo}"}
        << QStringList{"1||intro", "2|G|x", "3||Coda", "4|C|y", "5||intermezzo"} << -1;
    QTest::newRow("tab kept as text") << QStringList{"{sot}", "e|--[0]--3--|", "{eot}", "[E]y"}
                                      << QStringList{"1||TAB", "2||e|--[0]--3--|", "3|E|y"} << -1;
    QTest::newRow("comments skipped, unknown directive kept, bracket left open")
        << QStringList{"# note", "{x_custom: 1}", "[C]a [G", "[Verse]"}
        << QStringList{"1||{x_custom: 1}", "2|C|a [G", "3||[Verse]"} << -1;
    QTest::newRow("define with fingers, mute as -1")
        << QStringList{"{define: Am base-fret 1 frets -1 0 2 2 1 0 fingers 0 0 2 3 1 0}", "[Am]a"}
        << QStringList{"1|Am|a"} << -1;
    QTest::newRow("capo out of range ignored")
        << QStringList{"{capo: 12}", "[C]a"} << QStringList{"1|C|a"} << -1;
    // Not ChordPro: section headers alone and brackets that are no chord.
    QTest::newRow("chords over lyrics with a header")
        << QStringList{"[Verse]", "C   G", "la  li"}
        << QStringList{"1||[Verse]", "2|C|la  ", "2|G|li"} << -1;
}

void TestChordToken::chordPro() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, tokens);
    QFETCH(int, capo);
    ChordToken ct;
    ct.SetText(lines.join("\r\n"));
    QCOMPARE(Tokens(ct), tokens);
    QCOMPARE(int(ct.SheetCapo()), capo);
    for (const auto &d : ct.Defines()) {
        QCOMPARE(d.Name + " " + d.Position, QString("Am 0-1-2-2-0-X"));
    }
}

void TestChordToken::sheetSays_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("capo");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("transpose");
    QTest::addColumn<QString>("title");
    QTest::newRow("Capo 2") << "Song\r\nCapo 2\r\nG  D\r\nla li" << 2 << "" << 0 << "Song";
    QTest::newRow("capo: 3") << "capo: 3\r\nG\r\nla" << 3 << "" << 0 << "capo: 3";
    QTest::newRow("full-width, fret word")
        << "ＣＡＰＯ：３ fret\r\nG" << 3 << "" << 0 << "ＣＡＰＯ：３ fret";
    QTest::newRow("カポ2") << "カポ2\r\nG" << 2 << "" << 0 << "カポ2";
    QTest::newRow("カポ 5フレット") << "カポ 5フレット\r\nG" << 5 << "" << 0 << "カポ 5フレット";
    QTest::newRow("among metadata")
        << "Key: G　Capo 2\r\nG\r\nla" << 2 << "G" << 0 << "Key: G  Capo 2";
    QTest::newRow("a lyric mentions it")
        << "I put a capo 2 on\r\nG" << -1 << "" << 0 << "I put a capo 2 on";
    QTest::newRow("after the chords") << "G\r\nla\r\nCapo 3" << -1 << "" << 0 << "";
    QTest::newRow("two digits") << "Capo 10\r\nG" << -1 << "" << 0 << "Capo 10";
    QTest::newRow("キー") << "キー：E♭\r\nEb" << -1 << "E♭" << 0 << "キー：E♭";
    QTest::newRow("ChordPro")
        << "{title: Grace}\r\n{key: G}\r\n{capo: 4}\r\n{transpose: -2}\r\n[G]la" << 4 << "G" << -2
        << "Grace";
    QTest::newRow("ChordPro, no title")
        << "{capo: 1}\r\n[G]Amazing [D]grace" << 1 << "" << 0 << "Amazing";
}

// What the head of a sheet says of it: its capo, key, transposition, title.
void TestChordToken::sheetSays() {
    QFETCH(QString, text);
    QFETCH(int, capo);
    QFETCH(QString, key);
    QFETCH(int, transpose);
    QFETCH(QString, title);
    ChordToken ct;
    ct.SetText(text);
    QCOMPARE(int(ct.SheetCapo()), capo);
    QCOMPARE(ct.SheetKey(), key);
    QCOMPARE(int(ct.SheetTranspose()), transpose);
    QCOMPARE(ct.Title(), title);
    // A capo line is never read as chords.
    if (capo >= 0 && !text.startsWith('{')) {
        for (int16_t i = 1; i <= ct.Size(); ++i) {
            QVERIFY(!ct.ChordName(i).startsWith("Capo", Qt::CaseInsensitive));
        }
    }
}

QTEST_APPLESS_MAIN(TestChordToken)
#include "tst_chordtoken.moc"
