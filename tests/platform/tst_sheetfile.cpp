// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/SheetFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Reading a sheet file whole: which encoding its bytes show, the text in
// CR LF lines, and a refusal that names the file for everything else.
class TestSheetFile : public QObject {
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void encodings_data();
    void encodings();
};

namespace {
QString WriteSheet(const QTemporaryDir &dir, const QByteArray &bytes) {
    const QString path = dir.filePath("song.txt");
    QFile f(path);
    if (bytes == "<200MB>") {
        if (f.open(QIODevice::WriteOnly)) {
            f.resize(200LL * 1024 * 1024); // sparse: costs no disk
        }
    } else if (bytes == "<folder>") {
        QDir().mkpath(path);
    } else if (bytes != "<absent>" && f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
    }
    return path;
}
} // namespace

void TestSheetFile::refusals_data() {
    QTest::addColumn<QByteArray>("bytes"); // "<absent>": no file; "<folder>": a folder
    QTest::addColumn<int>("number");
    QTest::newRow("missing") << QByteArray("<absent>") << int(AppError::FileNotFound);
    QTest::newRow("folder") << QByteArray("<folder>") << int(AppError::FileIo);
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                            << int(AppError::TypeMismatch);
    QTest::newRow("UTF-16 of odd length") << QByteArray("\xFF\xFE"
                                                        "C\0\r",
                                                        5)
                                          << int(AppError::TypeMismatch);
    QTest::newRow("bad UTF-8 after a BOM") << QByteArray("\xEF\xBB\xBF"
                                                         "C\r\n\x80\x80")
                                           << int(AppError::TypeMismatch);
    // Broken after a BOM: lone surrogate halves, overlong forms, an encoded
    // surrogate, a character cut at the end.
    const int mismatch = AppError::TypeMismatch;
    QTest::newRow("UTF-16 LE, lone high half") << QByteArray("\xFF\xFE"
                                                             "C\0"
                                                             "\x00\xD8"
                                                             "a\0",
                                                             8)
                                               << mismatch;
    QTest::newRow("UTF-16 BE, lone low half") << QByteArray("\xFE\xFF"
                                                            "\0C"
                                                            "\xDC\x00",
                                                            6)
                                              << mismatch;
    QTest::newRow("UTF-16 LE, high half last") << QByteArray("\xFF\xFE"
                                                             "C\0"
                                                             "\x3D\xD8",
                                                             6)
                                               << mismatch;
    QTest::newRow("UTF-8, overlong") << QByteArray("\xEF\xBB\xBF"
                                                   "C\xC0\xAF")
                                     << mismatch;
    QTest::newRow("UTF-8, surrogate") << QByteArray("\xEF\xBB\xBF"
                                                    "C\xED\xA0\x80")
                                      << mismatch;
    QTest::newRow("UTF-8, cut at the end") << QByteArray("\xEF\xBB\xBF"
                                                         "C\xE3\x81")
                                           << mismatch;
    QTest::newRow("too large") << QByteArray(5 * 1024 * 1024, 'a') << int(AppError::OutOfMemory);
    QTest::newRow("200 MB") << QByteArray("<200MB>") << int(AppError::OutOfMemory);
}

// Refused at once, by the number the message box shows, naming the file.
void TestSheetFile::refusals() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, number);
    QTemporaryDir dir;
    const QString path = WriteSheet(dir, bytes);
    QElapsedTimer t;
    t.start();
    try {
        sheetfile::Read(path);
        QFAIL("the read must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), number);
        QVERIFY2(e.Description().contains(path), qPrintable(e.Description()));
    }
    QVERIFY(t.elapsed() < testsupport::AtOnceMs());
}

void TestSheetFile::encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encoding");
    const QString sheet = QStringLiteral("G   C\r\nさくら ｶﾅ\r\n");
    const auto utf16 = [&sheet](bool le) {
        QByteArray b = le ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        for (QChar c : sheet) {
            const char lo = char(c.unicode() & 0xFF);
            const char hi = char(c.unicode() >> 8);
            b.append(le ? lo : hi).append(le ? hi : lo);
        }
        return b;
    };
    using E = sheetfile::Encoding;
    QTest::newRow("CP932") << cp932::Encode(sheet) << sheet << int(E::Cp932);
    QTest::newRow("UTF-8") << sheet.toUtf8() << sheet << int(E::Utf8);
    QTest::newRow("UTF-8 BOM") << "\xEF\xBB\xBF" + sheet.toUtf8() << sheet << int(E::Utf8Bom);
    QTest::newRow("UTF-16 LE") << utf16(true) << sheet << int(E::Utf16Le);
    QTest::newRow("UTF-16 BE") << utf16(false) << sheet << int(E::Utf16Be);
    QTest::newRow("ASCII") << QByteArray("C\r\nla") << "C\r\nla" << int(E::Cp932);
    // CP932 that is not valid UTF-8 stays CP932 however short.
    QTest::newRow("short CP932") << QByteArray("\x82\xa0") << "あ" << int(E::Cp932);
    // Bytes valid as both are read as UTF-8.
    QTest::newRow("valid as both") << QByteArray("\xE8\x8A\xB1") << "花" << int(E::Utf8);
    // Unix and classic Mac line ends become CR LF; CR LF stays.
    QTest::newRow("LF") << QByteArray("G\n\x82\xb3\n\nAm\r\nla\n") << "G\r\nさ\r\n\r\nAm\r\nla\r\n"
                        << int(E::Cp932);
    QTest::newRow("CR alone") << QByteArray("G\r\x82\xb3\r\rAm\r\nla\r")
                              << "G\r\nさ\r\n\r\nAm\r\nla\r\n"
                              << int(E::Cp932);
}

void TestSheetFile::encodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, encoding);
    QTemporaryDir dir;
    sheetfile::Encoding found{};
    QCOMPARE(sheetfile::Read(WriteSheet(dir, bytes), &found), text);
    QCOMPARE(int(found), encoding);
}

QTEST_GUILESS_MAIN(TestSheetFile)
#include "tst_sheetfile.moc"
