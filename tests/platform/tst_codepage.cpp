// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage932.h"
#include "platform/HalfWidth.h"
#include "platform/SheetFile.h"

#include <QRandomGenerator>
#include <QTest>

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

class TestCodePage : public QObject {
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void byteLengthMatchesConversion();
    void roundTripsMatchesConversion();
    void decodeBrokenBytes_data();
    void decodeBrokenBytes();
    void sheetWithoutBom_data();
    void sheetWithoutBom();
    void halfWidth_data();
    void halfWidth();
    void halfWidthLeavesLowRangeAlone();
};

void TestCodePage::encode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ascii") << QStringLiteral("G/B") << QByteArray("G/B");
    QTest::newRow("hiragana") << QStringLiteral("あ") << QByteArray("\x82\xA0");
    QTest::newRow("wave dash (fullwidth tilde)") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("circled one (NEC row)") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("fullwidth backslash") << QStringLiteral("＼") << QByteArray("\x81\x5F");
    QTest::newRow("e acute is not in cp932") << QStringLiteral("é") << QByteArray("?");
    QTest::newRow("halfwidth katakana") << QStringLiteral("ｱｶﾞ") << QByteArray("\xB1\xB6\xDE");
    QTest::newRow("ideographic space") << QStringLiteral("\u3000") << QByteArray("\x81\x40");
    QTest::newRow("flat sign") << QStringLiteral("♭") << QByteArray("\x81\xF3");
    QTest::newRow("emoji becomes one byte") << QStringLiteral("a\U0001F3B8b") << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("nul kept") << QString(QChar(0)) << QByteArray(1, '\0');
    QTest::newRow("mixed line") << QStringLiteral("～①＼éｱ")
                                << QByteArray("\x81\x60\x87\x40\x81\x5F?\xB1");
}

void TestCodePage::encode() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(cp932::Encode(text), bytes);
    QCOMPARE(cp932::ByteLength(text), bytes.size());
    const std::vector<int32_t> prefix = cp932::PrefixByteLengths(text);
    QCOMPARE(prefix.size(), static_cast<size_t>(text.size()) + 1);
    QCOMPARE(prefix.back(), bytes.size());
}

// The width table must agree with the converter for any mix of characters,
// prefix by prefix.
void TestCodePage::byteLengthMatchesConversion() {
    QRandomGenerator rng(932);
    const char16_t ranges[][2] = {{0x20, 0x7E},     {0xA0, 0x2FF},    {0x3000, 0x30FF},
                                  {0x4E00, 0x9FFF}, {0xD800, 0xDFFF}, {0xE000, 0xF8FF},
                                  {0xFF00, 0xFFEF}, {0x2460, 0x24FF}};
    for (int round = 0; round < 300; ++round) {
        QString s;
        const int n = rng.bounded(1, 40);
        for (int i = 0; i < n; ++i) {
            const auto &r = ranges[rng.bounded(static_cast<int>(std::size(ranges)))];
            s.append(QChar(static_cast<char16_t>(rng.bounded(int(r[0]), int(r[1]) + 1))));
        }
        const std::vector<int32_t> prefix = cp932::PrefixByteLengths(s);
        for (qsizetype i = 0; i <= s.size(); ++i) {
            // A cut between the halves of a pair is not a real prefix.
            if (i > 0 && i < s.size() && s[i - 1].isHighSurrogate() && s[i].isLowSurrogate()) {
                continue;
            }
            QCOMPARE(prefix[static_cast<size_t>(i)], cp932::Encode(s.left(i)).size());
        }
    }
}

// Every BMP unit: the table's answer against a real round trip.
void TestCodePage::roundTripsMatchesConversion() {
    int stable = 0;
    for (char32_t u = 1; u < 0x10000; ++u) {
        const QString s(QChar(static_cast<char16_t>(u)));
        const bool expected = cp932::Decode(cp932::Encode(s)) == s;
        QCOMPARE(cp932::RoundTrips(s), expected);
        stable += expected ? 1 : 0;
    }
    QVERIFY(stable > 7000); // the code page itself, not an empty table
    QVERIFY(!cp932::RoundTrips(QStringLiteral("A\u00ADB")));
    QVERIFY(cp932::RoundTrips(QStringLiteral("ゾ G7 \u3000")));
}

void TestCodePage::decodeBrokenBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("truncated lead byte") << QByteArray("ab\x82");
    QTest::newRow("lead byte then nul") << QByteArray("\x82\x00z", 3);
    QTest::newRow("lead byte then ascii") << QByteArray("\x82"
                                                        "A");
    QTest::newRow("bytes never used") << QByteArray("\xFD\xFE\xFF\x80\xA0");
    QTest::newRow("nul bytes") << QByteArray("\0\0\0", 3);
    QTest::newRow("user-defined area") << QByteArray("\xF0\x40\xF9\xFC");
}

void TestCodePage::decodeBrokenBytes() {
    QFETCH(QByteArray, bytes);
    const QString text = cp932::Decode(bytes);
    QVERIFY(!text.isEmpty());
    QVERIFY(text.size() <= bytes.size());
    // Whatever came out has a defined width again.
    QCOMPARE(cp932::ByteLength(text), cp932::Encode(text).size());
}

// Bytes that are no valid UTF-8 and no valid CP932 are read as CP932 as
// ever, but nothing a broken sequence gives is half a surrogate pair.
void TestCodePage::sheetWithoutBom_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("overlong slash: katakana")
        << QByteArray("C\xC0\xAF") << QString("C\uFF80\uFF6F");
    QTest::newRow("encoded surrogate") << QByteArray("C\xED\xA0\x80") << QString("C\u605D\uFFFD");
    QTest::newRow("lead byte cut") << QByteArray("C\x81") << QString("C\uFFFD");
    QTest::newRow("cut UTF-8 character") << QByteArray("\xE3\x81") << QString("\u7E3A");
    QTest::newRow("valid Shift-JIS") << QByteArray("\x82\xA0") << QString("\u3042");
}

void TestCodePage::sheetWithoutBom() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    sheetfile::Encoding encoding{};
    const QString read = sheetfile::Decode(bytes, "x.txt", &encoding);
    QCOMPARE(encoding, sheetfile::Encoding::Cp932);
    QCOMPARE(read, text);
}

void TestCodePage::halfWidth_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fullwidth chord") << QStringLiteral("Ｃｍ７") << QStringLiteral("Cm7");
    QTest::newRow("fullwidth slash chord") << QStringLiteral("Ｇ／Ｂ") << QStringLiteral("G/B");
    QTest::newRow("fullwidth sharp") << QStringLiteral("Ｆ＃ｄｉｍ") << QStringLiteral("F#dim");
    QTest::newRow("katakana") << QStringLiteral("ギター") << QStringLiteral("ｷﾞﾀｰ");
    QTest::newRow("ascii unchanged") << QStringLiteral("Am7-5") << QStringLiteral("Am7-5");
    QTest::newRow("flat sign is not fullwidth") << QStringLiteral("B♭") << QStringLiteral("B♭");
    QTest::newRow("empty") << QString() << QString();
}

void TestCodePage::halfWidth() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(halfwidth::ToHalfWidth(text), expected);
}

// ToHalfWidth skips the transliterator below U+1100; that is only right while
// ICU leaves that whole range alone.
void TestCodePage::halfWidthLeavesLowRangeAlone() {
    QString all;
    for (char16_t u = 1; u < 0x1100; ++u) {
        all.append(QChar(u));
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
        icu::UnicodeString("Fullwidth-Halfwidth"), UTRANS_FORWARD, status));
    QVERIFY(U_SUCCESS(status));
    icu::UnicodeString s(reinterpret_cast<const UChar *>(all.utf16()),
                         static_cast<int32_t>(all.size()));
    t->transliterate(s);
    QCOMPARE(QString(reinterpret_cast<const QChar *>(s.getBuffer()), s.length()), all);
}

QTEST_APPLESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
