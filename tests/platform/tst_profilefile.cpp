// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/Chord.h"
#include "platform/AppError.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage932.h"
#include "platform/ProfileFile.h"
#include "platform/SheetFile.h"
#include "platform/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    f.write(bytes);
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void write_data();
    void write();
    void unwritable();
    void garbage();
    void killedMidWrite();
    void diskFull();
    void notRegularFiles();
    void batchIsOneCommit();
    void appendKeepsOrRefuses();
    void appendReplacesLink();
    void staleTemporaries();
};

void TestProfileFile::read_data() {
    QTest::addColumn<QByteArray>("file"); // "<absent>": no file at all
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<QString>("expected");

    const QByteArray basic = "[Window]\r\nHeight=300\r\nLeft = 12 \r\n";
    QTest::newRow("no file") << QByteArray("<absent>") << "Window"
                             << "Height"
                             << "7"
                             << "7";
    QTest::newRow("value") << basic << "Window"
                           << "Height"
                           << ""
                           << "300";
    QTest::newRow("names without regard to case") << basic << "WINDOW"
                                                  << "height"
                                                  << ""
                                                  << "300";
    QTest::newRow("blanks around the value") << basic << "Window"
                                             << "Left"
                                             << ""
                                             << "12";
    QTest::newRow("absent key") << basic << "Window"
                                << "Top"
                                << "5"
                                << "5";
    QTest::newRow("absent section") << basic << "Font"
                                    << "Height"
                                    << "x"
                                    << "x";
    QTest::newRow("quotes removed") << QByteArray("[s]\r\nk=  \" a b \"  \r\n") << "s"
                                    << "k"
                                    << ""
                                    << " a b ";
    QTest::newRow("one pair of quotes only") << QByteArray("[s]\r\nk=\"\"x\"\"\r\n") << "s"
                                             << "k"
                                             << ""
                                             << "\"x\"";
    QTest::newRow("a lone quote stays") << QByteArray("[s]\r\nk=\"x\r\n") << "s"
                                        << "k"
                                        << ""
                                        << "\"x";
    QTest::newRow("single quotes removed") << QByteArray("[s]\r\nq='x y'\r\n") << "s"
                                           << "q"
                                           << ""
                                           << "x y";
    QTest::newRow("single quotes: blanks inside stay")
        << QByteArray("[s]\r\nq=  ' x '  \r\n") << "s"
        << "q"
        << ""
        << " x ";
    QTest::newRow("single quotes: only the outer pair") << QByteArray("[s]\r\nq=''x''\r\n") << "s"
                                                        << "q"
                                                        << ""
                                                        << "'x'";
    QTest::newRow("quotes that do not match stay") << QByteArray("[s]\r\nq='x\"\r\n") << "s"
                                                   << "q"
                                                   << ""
                                                   << "'x\"";
    QTest::newRow("a lone single quote stays") << QByteArray("[s]\r\nq='\r\n") << "s"
                                               << "q"
                                               << ""
                                               << "'";
    // Names are characters: a trail byte equal to "]", "[", "\\" or a letter
    // is part of its character.
    QTest::newRow("section whose trail byte is ]") << QByteArray("[\x83\x5d]\r\nk=1\r\n") << "ゾ"
                                                   << "k"
                                                   << "d"
                                                   << "1";
    QTest::newRow("key and section with trail bytes [ and \\")
        << QByteArray("[\x83\x5b\x95\x5c]\r\n\x83\x5b=2\r\n") << "ゼ表"
        << "ゼ"
        << "d"
        << "2";
    QTest::newRow("case folds letters, never trail bytes")
        << QByteArray("[s]\r\n\x83\x61=ji\r\n\x83\x41=a\r\n") << "s"
        << "ア"
        << "d"
        << "a";
    QTest::newRow("empty value") << QByteArray("[s]\r\nk=\r\n") << "s"
                                 << "k"
                                 << "d"
                                 << "";
    QTest::newRow("first key wins") << QByteArray("[s]\r\nk=1\r\nk=2\r\n") << "s"
                                    << "k"
                                    << ""
                                    << "1";
    QTest::newRow("first section wins") << QByteArray("[s]\r\na=1\r\n[s]\r\nk=2\r\n") << "s"
                                        << "k"
                                        << "none"
                                        << "none";
    QTest::newRow("key of another section") << QByteArray("[a]\r\nk=1\r\n[b]\r\n") << "b"
                                            << "k"
                                            << "d"
                                            << "d";
    QTest::newRow("key before any section") << QByteArray("k=1\r\n[s]\r\n") << "s"
                                            << "k"
                                            << "d"
                                            << "d";
    QTest::newRow("line without =") << QByteArray("[s]\r\nk\r\nk=2\r\n") << "s"
                                    << "k"
                                    << ""
                                    << "2";
    QTest::newRow("comments") << QByteArray("; c\r\n[s]\r\n;k=1\r\n#k=2\r\nk=3\r\n") << "s"
                              << "k"
                              << ""
                              << "3";
    QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF[s]\r\nk=1\r\n") << "s"
                         << "k"
                         << ""
                         << "1";
    QTest::newRow("LF only") << QByteArray("[s]\nk=1\nj=2") << "s"
                             << "j"
                             << ""
                             << "2";
    QTest::newRow("CR only") << QByteArray("[s]\rk=1\rj=2\r") << "s"
                             << "j"
                             << ""
                             << "2";
    QTest::newRow("blanks in the header") << QByteArray("  [ s ]  \r\nk=1\r\n") << "s"
                                          << "k"
                                          << ""
                                          << "1";
    QTest::newRow("Shift-JIS value") << QByteArray("[s]\r\nk=\x83\x4d\x83\x5e\x81\x5b\r\n") << "s"
                                     << "k"
                                     << ""
                                     << "ギター";
    QTest::newRow("150 bytes cut to 99") << "[s]\r\nk=" + QByteArray(150, 'a') + "\r\n"
                                         << "s"
                                         << "k"
                                         << "" << QString(99, u'a');
    QTest::newRow("never half a double-byte char")
        << "[s]\r\nk=a" + QByteArray("\x82\xA0").repeated(60) + "\r\n"
        << "s"
        << "k"
        << ""
        << "a" + QString(49, QChar(0x3042));
    QTest::newRow("default cut too") << QByteArray("<absent>") << "s"
                                     << "k" << QString(120, u'z') << QString(99, u'z');
    QTest::newRow("default loses trailing blanks") << QByteArray("<absent>") << "s"
                                                   << "k"
                                                   << "abc  "
                                                   << "abc";
}

void TestProfileFile::read() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, fallback);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.INI");
    if (file != "<absent>") {
        WriteAll(path, file);
    }
    QCOMPARE(profile::ReadString(path, section, key, fallback), expected);
}

void TestProfileFile::write_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("creates the file") << QByteArray("<absent>") << "Window"
                                      << "Height"
                                      << "300" << QByteArray("[Window]\r\nHeight=300\r\n");
    QTest::newRow("replaces in place keeping the rest")
        << QByteArray(
               "; mine\r\n[Window]\r\nLeft=1\r\nHEIGHT = 2\r\n; tail\r\n[Font]\r\nName=A\r\n")
        << "window"
        << "Height"
        << "300"
        << QByteArray(
               "; mine\r\n[Window]\r\nLeft=1\r\nHEIGHT =300\r\n; tail\r\n[Font]\r\nName=A\r\n");
    QTest::newRow("new key at the end of its section")
        << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << "a"
        << "z"
        << "3" << QByteArray("[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
    QTest::newRow("new key in an empty last section") << QByteArray("[a]") << "a"
                                                      << "z"
                                                      << "3" << QByteArray("[a]\r\nz=3\r\n");
    QTest::newRow("new section right after the last line")
        << QByteArray("[App1]\r\nkey1=s1\r\nkey2=s2\r\n") << "App2"
        << "key3"
        << "s3" << QByteArray("[App1]\r\nkey1=s1\r\nkey2=s2\r\n[App2]\r\nkey3=s3\r\n");
    QTest::newRow("blank lines already there stay")
        << QByteArray("[a]\r\nx=1\r\n\r\n") << "b"
        << "y"
        << "2" << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
    QTest::newRow("section whose trail byte is ] is found for writing")
        << QByteArray("[\x83\x5d]\r\nk=1\r\n") << "ゾ"
        << "k"
        << "2" << QByteArray("[\x83\x5d]\r\nk=2\r\n");
    QTest::newRow("line ends become CR LF") << QByteArray("[a]\nx=1\rq\n") << "a"
                                            << "x"
                                            << "2" << QByteArray("[a]\r\nx=2\r\nq\r\n");
    QTest::newRow("first of duplicate keys") << QByteArray("[a]\r\nx=1\r\nx=2\r\n") << "a"
                                             << "x"
                                             << "9" << QByteArray("[a]\r\nx=9\r\nx=2\r\n");
    QTest::newRow("line ends in a value are flattened")
        << QByteArray("<absent>") << "a"
        << "x"
        << "one\ntwo\r\n[evil]" << QByteArray("[a]\r\nx=one two  [evil]\r\n");
    QTest::newRow("Shift-JIS value") << QByteArray("<absent>") << "a"
                                     << "p"
                                     << "/曲/ギター.txt"
                                     << "[a]\r\np=" + cp932::Encode("/曲/ギター.txt") + "\r\n";
    QTest::newRow("BOM kept") << QByteArray("\xEF\xBB\xBF[a]\r\nx=1\r\n") << "a"
                              << "x"
                              << "2" << QByteArray("\xEF\xBB\xBF[a]\r\nx=2\r\n");
}

void TestProfileFile::write() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.INI");
    if (before != "<absent>") {
        WriteAll(path, before);
    }
    profile::WriteString(path, section, key, value);
    QCOMPARE(ReadAll(path), after);
    QCOMPARE(profile::ReadString(path, section, key, "?"),
             QString(value).replace(u'\r', u' ').replace(u'\n', u' '));
}

// Runs f as an ordinary user: root writes through any permission. As root
// the work is done in a child that gives up its rights first.
void AsOrdinaryUser(const std::function<void()> &f) {
    if (geteuid() != 0) {
        f();
        return;
    }
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) {
            _exit(2);
        }
        f();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

void TestProfileFile::unwritable() {
    // A read-only file in a folder anyone may write: the atomic rename could
    // replace it, and must not.
    QTemporaryDir dir;
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                     QFile::WriteOther | QFile::ExeOther;
    QFile::setPermissions(dir.path(), all);
    const QString path = dir.filePath("t.INI");
    WriteAll(path, "[a]\r\nx=1\r\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
    // A folder nobody else may write.
    QVERIFY(QDir(dir.path()).mkdir("ro"));
    QFile::setPermissions(dir.filePath("ro"), all & ~QFile::WriteOther);
    AsOrdinaryUser([&] {
        profile::WriteString(path, "a", "x", "2");
        profile::WriteString(dir.filePath("ro/new.INI"), "a", "x", "1");
    });
    QCOMPARE(ReadAll(path), QByteArray("[a]\r\nx=1\r\n"));
    QVERIFY(!QFile::exists(dir.filePath("ro/new.INI")));
    QCOMPARE(profile::ReadString(path, "a", "x", ""), QString("1"));

    // A file we may not read is not rewritten from nothing.
    QFile::setPermissions(path, QFile::WriteOwner | QFile::WriteOther);
    AsOrdinaryUser([&] { profile::WriteString(path, "a", "y", "2"); });
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(ReadAll(path), QByteArray("[a]\r\nx=1\r\n"));
}

void TestProfileFile::garbage() {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.INI");
    QByteArray junk(10 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < junk.size(); ++i) {
        junk[i] = static_cast<char>((i * 7919 + (i >> 9)) & 0xFF);
    }
    WriteAll(path, junk);
    QCOMPARE(profile::ReadString(path, "Window", "Height", "300"), QString("300"));
    profile::WriteString(path, "Window", "Height", "301");
    QCOMPARE(profile::ReadString(path, "Window", "Height", "300"), QString("301"));
    QVERIFY(ReadAll(path).size() >= junk.size());
}

// A writer killed at a random moment leaves the old file or the new one,
// complete, never a mix or a torn file.
void TestProfileFile::killedMidWrite() {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.INI");
    const QByteArray filler =
        "[Pad]\r\n" + QByteArray("Line=").append(QByteArray(200, 'p')).append("\r\n").repeated(200);
    WriteAll(path, "[S]\r\nCounter=0\r\n" + filler);
    for (int round = 0; round < 10; ++round) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int n = 1;; ++n) {
                profile::WriteString(path, "S", "Counter", QString::number(n));
            }
        }
        usleep(static_cast<useconds_t>(2000 + round * 3000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const QByteArray now = ReadAll(path);
        QVERIFY(now.startsWith("[S]\r\nCounter="));
        const qsizetype end = now.indexOf("\r\n", 13);
        bool ok = false;
        now.mid(13, end - 13).toInt(&ok);
        QVERIFY(ok);
        QCOMPARE(now.mid(end + 2), filler);
    }
}

// A write that runs out of room (a file size limit stands in for a full
// disk) leaves the old file whole, and a batch's commit says why.
void TestProfileFile::diskFull() {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.INI");
    const QByteArray before =
        "[S]\r\nKey=old\r\n" + QByteArray("Pad=").append(QByteArray(3000, 'p')) + "\r\n";
    WriteAll(path, before);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{2048, 2048};
        setrlimit(RLIMIT_FSIZE, &limit);
        profile::WriteString(path, "S", "Key", "new");
        profile::WriteString(dir.filePath("other.INI"), "S", "Key", QString(5000, u'x'));
        // A batch says why, for the message naming the file.
        QString why;
        {
            profile::WriteBatch batch(path);
            profile::WriteString(path, "S", "Pad", QString(3000, u'q'));
            why = batch.Commit();
        }
        _exit(why == QStringLiteral("ファイルが大きすぎます") ? 0 : 3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QCOMPARE(ReadAll(path), before);
    QVERIFY(!QFile::exists(dir.filePath("other.INI")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.INI"}); // no temporary left
}

// A FIFO would block open() for ever: every reader refuses it at once with
// its "cannot open" message, and the settings file layer neither reads nor
// replaces it.
void TestProfileFile::notRegularFiles() {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("tamblin.INI");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(profile::ReadString(fifo, "S", "k", "dflt"), QString("dflt"));
    profile::WriteString(fifo, "S", "k", "v");
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile()); // still the FIFO
    const QString full = QFileInfo(fifo).absoluteFilePath();
    for (const auto &read : std::vector<std::function<void()>>{
             [&] { sheetfile::Read(fifo); }, [&] { Chord().LoadChordPosition(fifo); }}) {
        try {
            read();
            QFAIL("a FIFO was read");
        } catch (const AppError &e) {
            QCOMPARE(e.Description(), QStringLiteral("ファイルを開けません: %1").arg(full));
        }
    }
}

// A batch writes the same text as the single writes would, in one replace:
// killed at any moment, the file holds one round's values, never a mix, and
// the temporary files the kills left are cleared away.
void TestProfileFile::batchIsOneCommit() {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.INI");
    const QString twin = dir.filePath("twin.INI");
    const QByteArray before = "; kept\r\n\r\n[S]\r\nK1=old\r\n";
    WriteAll(path, before);
    WriteAll(twin, before);
    const auto writeAll = [](const QString &p, int n) {
        for (const char *sec : {"S", "T", "S"}) {
            for (int k = 1; k <= 6; ++k) {
                profile::WriteString(p, sec, QStringLiteral("K%1").arg(k), QString::number(n));
            }
        }
    };
    {
        profile::WriteBatch batch(path);
        writeAll(path, 7);
        QCOMPARE(profile::ReadString(path, "T", "K6", ""), QString("7")); // sees its writes
        QCOMPARE(ReadAll(path), before);                                  // nothing on disk yet
        batch.Commit();
    }
    writeAll(twin, 7);
    QCOMPARE(ReadAll(path), ReadAll(twin));

    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int n = 1;; ++n) {
                profile::WriteBatch batch(path);
                writeAll(path, n);
                batch.Commit();
            }
        }
        usleep(static_cast<useconds_t>(1000 + round * 1500));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const QString n = profile::ReadString(path, "S", "K1", "");
        for (const char *sec : {"S", "T"}) {
            for (int k = 1; k <= 6; ++k) {
                QCOMPARE(profile::ReadString(path, sec, QStringLiteral("K%1").arg(k), ""), n);
            }
        }
    }
    AtomicFile::RemoveStale(path, {}, QDateTime::currentDateTime().addSecs(1));
    QCOMPARE(QDir(dir.path()).entryList({"t.INI*"}, QDir::Files), QStringList{"t.INI"});
}

// Appending keeps every byte the file had; a read-only file is refused with
// a message naming it and stays as it was, even in a folder open to all.
void TestProfileFile::appendKeepsOrRefuses() {
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    const QString path = dir.filePath("P.INI");
    WriteAll(path, "[C]\r\n0-1-0-2-3-X");
    textfile::AppendAtomically(path, "[G]\r\n3-0-0-0-2-3\r\n");
    QCOMPARE(ReadAll(path), QByteArray("[C]\r\n0-1-0-2-3-X\r\n[G]\r\n3-0-0-0-2-3\r\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
    AsOrdinaryUser([&] {
        try {
            textfile::AppendAtomically(path, "[D]\r\n");
            QFAIL("a read-only file was written");
        } catch (const AppError &e) {
            QVERIFY(e.Description().contains(path));
        }
    });
    QCOMPARE(ReadAll(path), QByteArray("[C]\r\n0-1-0-2-3-X\r\n[G]\r\n3-0-0-0-2-3\r\n"));
}

// A link planted where the dictionary is written is replaced by the new
// file; its target is never written.
void TestProfileFile::appendReplacesLink() {
    QTemporaryDir dir;
    const QString target = dir.filePath("elsewhere.txt");
    const QString path = dir.filePath("POSITION.INI");
    WriteAll(target, "[C]\r\n0-1-0-2-3-X\r\n");
    QVERIFY(QFile::link(target, path));
    textfile::AppendAtomically(path, "[G]\r\n3-0-0-0-2-3\r\n");
    QVERIFY(!QFileInfo(path).isSymLink());
    QCOMPARE(ReadAll(path), QByteArray("[C]\r\n0-1-0-2-3-X\r\n[G]\r\n3-0-0-0-2-3\r\n"));
    QCOMPARE(ReadAll(target), QByteArray("[C]\r\n0-1-0-2-3-X\r\n"));
}

// Temporaries a killed write left are removed once they are older than the
// start; a newer one, a file of another pattern and a link are kept.
void TestProfileFile::staleTemporaries() {
    QTemporaryDir dir;
    const QString path = dir.filePath("POSITION.INI");
    WriteAll(path, "[C]\r\n");
    const QDateTime start = QDateTime::currentDateTime();
    const auto make = [&](const QString &name, qint64 age) {
        WriteAll(dir.filePath(name), "x");
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(start.addSecs(-age), QFileDevice::FileModificationTime));
    };
    make("POSITION.INI.ab12CD", 60);      // left by a kill: removed
    make("POSITION.INI.xy34EF", -5);      // being written now: kept
    make("POSITION.INI.bak", 60);         // the user's own: kept
    make("POSITION.INI.ab12CD.part", 60); // another suffix: kept
    make("other.INI.ab12CD", 60);         // another file's: kept
    QVERIFY(QFile::link(path, dir.filePath("POSITION.INI.lnk123")));
    AtomicFile::RemoveStale(path, {}, start);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System, QDir::Name),
             (QStringList{"POSITION.INI", "POSITION.INI.ab12CD.part", "POSITION.INI.bak",
                          "POSITION.INI.lnk123", "POSITION.INI.xy34EF", "other.INI.ab12CD"}));
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
