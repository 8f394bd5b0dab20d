// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/DictionaryEdit.h"
#include "platform/AppInfo.h"
#include "platform/AppPaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// A tree of bin/, share/tamblin/ and the user's XDG folders in a temporary
// folder; files are made empty.
namespace {
const QByteArray kShipped =
    "# new\r\n[C]\r\n0-1-0-2-3-X\r\n[G]\r\n3-0-0-0-2-3\r\n[D]\r\n2-3-2-0-X-X\r\n";
} // namespace

class TestAppPaths : public QObject {
    Q_OBJECT

private slots:
    void places_data();
    void places();
    void copyToUserData();
    void userCopyOnNewShipped_data();
    void userCopyOnNewShipped();
};

void TestAppPaths::places_data() {
    QTest::addColumn<QStringList>("files"); // under the temporary folder
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("found");      // where POSITION.INI is found
    QTest::addColumn<QStringList>("listed"); // the settings dialog's names
    QTest::newRow("portable: everything beside the program")
        << QStringList{"bin/POSITION.INI", "bin/UKULELE.INI", "bin/tamblin.INI"}
        << "bin/tamblin.INI"
        << "bin/POSITION.INI" << QStringList{"POSITION.INI", "UKULELE.INI"};
    QTest::newRow("installed: settings in the config folder, the user's files first")
        << QStringList{"share/tamblin/POSITION.INI", "share/tamblin/UKULELE.INI",
                       "data/tamblin/MINE.INI", "data/tamblin/UKULELE.INI"}
        << "config/tamblin/tamblin.INI"
        << "share/tamblin/POSITION.INI" << QStringList{"MINE.INI", "UKULELE.INI", "POSITION.INI"};
    QTest::newRow("installed: the user's copy comes before the installed one")
        << QStringList{"share/tamblin/POSITION.INI", "data/tamblin/POSITION.INI"}
        << "config/tamblin/tamblin.INI"
        << "data/tamblin/POSITION.INI" << QStringList{"POSITION.INI"};
    // "ro:" marks a file made read-only.
    QTest::newRow("portable, read-only: the user's copy, which took the additions")
        << QStringList{"ro:bin/POSITION.INI", "data/tamblin/POSITION.INI"} << "bin/tamblin.INI"
        << "data/tamblin/POSITION.INI" << QStringList{"POSITION.INI"};
    QTest::newRow("nowhere: expected beside the program") << QStringList{} << "bin/tamblin.INI"
                                                          << "bin/POSITION.INI" << QStringList{};
}

void TestAppPaths::places() {
    QFETCH(QStringList, files);
    QFETCH(QString, settings);
    QFETCH(QString, found);
    QFETCH(QStringList, listed);
    QTemporaryDir dir;
    const QString root = dir.path();
    QDir().mkpath(root + "/bin");
    for (QString f : files) {
        const bool readOnly = f.startsWith("ro:");
        f.remove(0, readOnly ? 3 : 0);
        QDir().mkpath(QFileInfo(root + '/' + f).absolutePath());
        QFile file(root + '/' + f);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (readOnly) {
            file.setPermissions(QFile::ReadOwner | QFile::ReadOther);
            if (::geteuid() == 0) {
                QSKIP("root may write any file");
            }
        }
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/data"));
    appinfo::SetProgramDirectory(root + "/bin");
    QCOMPARE(apppaths::SettingsFile("tamblin.INI"), root + '/' + settings);
    QCOMPARE(apppaths::FindDataFile("POSITION.INI"), root + '/' + found);
    QCOMPARE(apppaths::PositionFileNames("tamblin.INI"), listed);
    appinfo::SetProgramDirectory(QString());
}

// A read-only installed file gets a writable copy among the user's files,
// made once: a second call keeps what the user added.
void TestAppPaths::copyToUserData() {
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    const QString installed = dir.filePath("POSITION.INI");
    {
        QFile f(installed);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[C]\r\n0-1-0-2-3-X\r\n");
    }
    QFile::setPermissions(installed, QFile::ReadOwner | QFile::ReadOther);
    const QString copy = apppaths::CopyToUserData(installed);
    QCOMPARE(copy, dir.filePath("data/tamblin/POSITION.INI"));
    QVERIFY(apppaths::Writable(copy));
    {
        QFile f(copy);
        QVERIFY(f.open(QIODevice::Append));
        f.write("[G]\r\n3-0-0-0-2-3\r\n");
    }
    QCOMPARE(apppaths::CopyToUserData(installed), copy);
    QFile f(copy);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("[G]"));
}

void TestAppPaths::userCopyOnNewShipped_data() {
    QTest::addColumn<QByteArray>("copy");
    QTest::addColumn<QByteArray>("base"); // the shipped file the copy records, or none
    QTest::addColumn<QByteArray>("after");
    const QByteArray oldShipped = "# old\r\n[C]\r\n0-1-0-2-3-X\r\n[G]\r\n3-0-0-0-2-3\r\n";
    const QByteArray added = "[Cadd9]\r\n0-3-0-2-3-X\r\n# mine\r\n";
    QTest::newRow("made from today's file") << kShipped + added << kShipped << kShipped + added;
    QTest::newRow("from before .base files, of today's file")
        << kShipped + added << QByteArray() << kShipped + added;
    QTest::newRow("from before .base files, of an older file")
        << oldShipped + added << QByteArray() << kShipped + added;
    // A shipped chord the user changed is the shipped file's again; the
    // backup keeps theirs.
    QTest::newRow("of an older file, a shipped chord changed")
        << QByteArray("[C]\r\nX-1-0-2-3-X\r\n[G]\r\n3-3-0-0-2-3\r\n") + added << oldShipped
        << kShipped + added;
    QTest::newRow("no line end at its end") << QByteArray("[Cadd9]\r\n0-3-0-2-3-X") << oldShipped
                                            << kShipped + "[Cadd9]\r\n0-3-0-2-3-X";
}

// A user's copy of a shipped dictionary (made when a chord was added to a
// read-only one) is rebuilt once on a newer shipped file, the old one kept.
void TestAppPaths::userCopyOnNewShipped() {
    QFETCH(QByteArray, copy);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString root = dir.path();
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    const auto read = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    };
    const QString own = root + "/data/tamblin/POSITION.INI";
    QVERIFY(write(root + "/share/tamblin/POSITION.INI", kShipped));
    QVERIFY(write(own, copy));
    if (!base.isEmpty()) {
        QVERIFY(write(own + ".base",
                      QCryptographicHash::hash(base, QCryptographicHash::Sha256).toHex()));
    }
    QDir().mkpath(root + "/bin");
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/data"));
    appinfo::SetProgramDirectory(root + "/bin");
    const auto rebuilt = apppaths::RebaseUserCopies(dictionaryedit::Rebase);
    QCOMPARE(read(own), after);
    QCOMPARE(rebuilt.size(), size_t(after == copy ? 0 : 1));
    if (!rebuilt.empty()) {
        QCOMPARE(rebuilt.front().Copy, own);
        QVERIFY(rebuilt.front().Backup.endsWith(".bak"));
        QCOMPARE(read(rebuilt.front().Backup), copy);
    }
    // Once: the next start leaves it.
    QVERIFY(apppaths::RebaseUserCopies(dictionaryedit::Rebase).empty());
    QCOMPARE(read(own), after);
    appinfo::SetProgramDirectory(QString());
}

QTEST_APPLESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
