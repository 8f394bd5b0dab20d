// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppError.h"
#include "settings/PrivateProfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

void WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    f.write(bytes);
}

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestPrivateProfile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void defaultPath();
    void missingEntry();
    void numbers_data();
    void numbers();
    void booleans_data();
    void booleans();
    void writes();
    void notCached();
    void paths_data();
    void paths();
    void fontRoundTrip();
    void fontKeys();
    void fontErrors_data();
    void fontErrors();

private:
    QTemporaryDir m_dir;
    PrivateProfile m_profile;
    QString m_path;
};

void TestPrivateProfile::init() {
    m_path = m_dir.filePath("app.INI");
    QFile::remove(m_path);
    m_profile.SetIniFilename(m_path);
}

void TestPrivateProfile::defaultPath() {
    PrivateProfile p;
    QCOMPARE(p.IniFilename(), QCoreApplication::applicationDirPath() + "/tst_privateprofile.INI");
}

void TestPrivateProfile::missingEntry() {
    const QString message =
        m_path + QStringLiteral("にｾｸｼｮﾝ\"Window\",ｷｰ\"Height\"が見つかりません");
    auto expectMissing = [&](const std::function<void()> &f) {
        try {
            f();
            QFAIL("the missing-entry error is due");
        } catch (const AppError &e) {
            QCOMPARE(e.Number(), int32_t(-2147221504));
            QCOMPARE(e.Source(), QString());
            QCOMPARE(e.Description(), message);
        }
    };
    expectMissing([&] { m_profile.GetString("Window", "Height", PrivateProfile::Sentinel); });
    expectMissing([&] { m_profile.GetLong("Window", "Height"); });
    expectMissing([&] { m_profile.GetInt("Window", "Height"); });
    expectMissing([&] { m_profile.GetBoolean("Window", "Height"); });
    QCOMPARE(m_profile.GetString("Window", "Height", "x"), QString("x"));
    QCOMPARE(m_profile.GetLong("Window", "Height", 3), 3);
    QVERIFY(!QFile::exists(m_path)); // reads never create the file
    // A stored sentinel counts as absent, whatever the default.
    WriteAll(m_path, "[Window]\r\nHeight=!!ERROR!!\r\n");
    expectMissing([&] { m_profile.GetString("Window", "Height", "300"); });
    expectMissing([&] { m_profile.GetLong("Window", "Height", 300); });
    // Compared case-sensitively.
    WriteAll(m_path, "[Window]\r\nHeight=!!error!!\r\n");
    QCOMPARE(m_profile.GetString("Window", "Height", ""), QString("!!error!!"));
}

void TestPrivateProfile::numbers_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("asInt"); // -1000000: error 13, -2000000: error 6
    QTest::addColumn<int>("asLong");
    const int mismatch = -1000000;
    const int overflow = -2000000;
    QTest::newRow("plain") << "300" << 300 << 300;
    QTest::newRow("negative") << "-7" << -7 << -7;
    QTest::newRow("blanks") << "  12\t" << 12 << 12;
    QTest::newRow("half to even down") << "2.5" << 2 << 2;
    QTest::newRow("half to even up") << "3.5" << 4 << 4;
    QTest::newRow("fraction") << "7.6" << 8 << 8;
    QTest::newRow("exponent") << "1e3" << 1000 << 1000;
    QTest::newRow("plus sign") << "+5" << 5 << 5;
    QTest::newRow("40000") << "40000" << overflow << 40000;
    QTest::newRow("int16 edge") << "-32768" << -32768 << -32768;
    QTest::newRow("int16 edge plus a half rounds up") << "32767.5" << overflow << 32768;
    QTest::newRow("beyond 32 bits") << "3000000000" << overflow << overflow;
    QTest::newRow("huge") << "1e400" << overflow << overflow;
    QTest::newRow("not a number") << "abc" << mismatch << mismatch;
    QTest::newRow("empty") << "" << mismatch << mismatch;
    QTest::newRow("trailing text") << "12px" << mismatch << mismatch;
    QTest::newRow("hex is not read") << "0x10" << mismatch << mismatch;
}

void TestPrivateProfile::numbers() {
    QFETCH(QString, stored);
    QFETCH(int, asInt);
    QFETCH(int, asLong);
    m_profile.WriteString("N", "v", stored);
    auto check = [&](int expected, const std::function<int()> &read) {
        try {
            const int got = read();
            QCOMPARE(got, expected);
        } catch (const AppError &e) {
            QCOMPARE(e.Number(), expected == -1000000 ? 13 : 6);
            QVERIFY(e.Description().contains(m_path));
            QVERIFY(e.Description().contains("\"N\""));
            QVERIFY(e.Description().contains("\"v\""));
            QVERIFY(e.Description().contains(stored.trimmed()));
        }
    };
    check(asInt, [&] { return m_profile.GetInt("N", "v", 1); });
    check(asLong, [&] { return m_profile.GetLong("N", "v", 1); });
}

void TestPrivateProfile::booleans_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("value");
    QTest::newRow("True") << "True" << true;
    QTest::newRow("true") << "true" << true;
    QTest::newRow("TRUE") << "TRUE" << true;
    QTest::newRow("quoted") << "\"True\"" << true;
    QTest::newRow("1") << "1" << false;
    QTest::newRow("yes") << "yes" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("False") << "False" << false;
}

void TestPrivateProfile::booleans() {
    QFETCH(QString, stored);
    QFETCH(bool, value);
    m_profile.WriteString("B", "v", stored);
    QCOMPARE(m_profile.GetBoolean("B", "v", !value), value);
}

void TestPrivateProfile::writes() {
    m_profile.WriteLong("Window", "Left", -120);
    m_profile.WriteInt("Window", "Capo", 3);
    m_profile.WriteBoolean("Window", "PageReturn", true);
    m_profile.WriteString("Window", "Folder", "/home/u/曲");
    QCOMPARE(ReadAll(m_path), QByteArray("[Window]\r\nLeft=-120\r\nCapo=3\r\nPageReturn=True\r\n"
                                         "Folder=/home/u/\x8b\xc8\r\n"));
    QCOMPARE(m_profile.GetLong("window", "LEFT"), -120);
    QCOMPARE(m_profile.GetInt("Window", "Capo"), int16_t(3));
    QVERIFY(m_profile.GetBoolean("Window", "PageReturn"));
    QCOMPARE(m_profile.GetString("Window", "Folder", ""), QString("/home/u/曲"));
}

void TestPrivateProfile::paths_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("stored"); // the start of the value in the file
    const QString longJapanese = "/home/u/" + QString("楽譜フォルダ/").repeated(12) + "曲.txt";
    QTest::newRow("CP932, as ever") << "/home/u/曲.txt" << QByteArray("/home/u/\x8b\xc8.txt");
    QTest::newRow("longer than 99 bytes") << longJapanese << QByteArray("/home/u/\x8a\x79");
    QTest::newRow("Korean") << "/home/u/노래.txt" << QByteArray("<utf8>/home/u/%EB%85%B8");
    QTest::newRow("emoji") << "/home/u/🎸.txt" << QByteArray("<utf8>/home/u/%F0%9F");
    QTest::newRow("accents outside CP932")
        << "/home/u/Señor.txt" << QByteArray("<utf8>/home/u/Se%C3");
    QTest::newRow("starts with the marker") << "<utf8>x" << QByteArray("<utf8>%3Cutf8%3Ex");
    QTest::newRow("percent signs") << "/a%41/b" << QByteArray("/a%41/b");
    QTest::newRow("line feed") << "/home/u/a\nb.txt" << QByteArray("<utf8>/home/u/a%0Ab.txt\r\n");
    QTest::newRow("CR LF") << "/a\r\nb" << QByteArray("<utf8>/a%0D%0Ab\r\n");
}

// Path keys come back whole and the same, whatever CP932 can hold.
void TestPrivateProfile::paths() {
    QFETCH(QString, path);
    QFETCH(QByteArray, stored);
    m_profile.WritePath("History", "1", path);
    QVERIFY2(ReadAll(m_path).startsWith("[History]\r\n1=" + stored), ReadAll(m_path).constData());
    QCOMPARE(m_profile.GetPath("History", "1", ""), path);
}

void TestPrivateProfile::notCached() {
    QCOMPARE(m_profile.GetLong("W", "H", 5), 5);
    WriteAll(m_path, "[W]\r\nH=6\r\n");
    QCOMPARE(m_profile.GetLong("W", "H", 5), 6);
    WriteAll(m_path, "[W]\r\nH=7\r\n");
    QCOMPARE(m_profile.GetLong("W", "H", 5), 7);
    m_profile.SetIniFilename(m_dir.filePath("other.INI"));
    QCOMPARE(m_profile.GetLong("W", "H", 5), 5);
}

void TestPrivateProfile::fontRoundTrip() {
    Font f(QStringLiteral("ＭＳ Ｐゴシック"), 10.5, true);
    f.SetItalic(true);
    f.SetCharset(128);
    m_profile.WriteFont("FontWord", f);
    Font back(QStringLiteral("Arial"), 20);
    m_profile.SetFont("FontWord", back);
    QCOMPARE(back.Name(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(back.Size(), 10.0); // 10.5 is stored as 10
    QVERIFY(back.Bold());
    QVERIFY(back.Italic());
    QCOMPARE(back.Weight(), int16_t(700));
    QCOMPARE(back.Charset(), int16_t(128));
    f.SetSize(11.5);
    m_profile.WriteFont("FontWord", f);
    m_profile.SetFont("FontWord", back);
    QCOMPARE(back.Size(), 12.0);

    // Absent keys leave the font as it was.
    Font untouched(QStringLiteral("Arial"), 9.75, true);
    untouched.SetUnderline(true);
    m_profile.SetFont("NoSuchSection", untouched);
    QCOMPARE(untouched.Name(), QStringLiteral("Arial"));
    QCOMPARE(untouched.Size(), 10.0); // the default passes through whole points
    QVERIFY(untouched.Bold());
    QVERIFY(untouched.Underline());

    // The stored weight decides over the stored Bold.
    WriteAll(m_path, "[F]\r\nBold=True\r\nWeight=400\r\n");
    Font w;
    m_profile.SetFont("F", w);
    QVERIFY(!w.Bold());
    QCOMPARE(w.Weight(), int16_t(400));
}

void TestPrivateProfile::fontKeys() {
    Font f(QStringLiteral("Arial"), 9.75, true);
    m_profile.WriteFont("FontChordName", f);
    QCOMPARE(ReadAll(m_path),
             QByteArray("[FontChordName]\r\nBold=True\r\nCharset=0\r\nItalic=False\r\n"
                        "Name=Arial\r\nSize=10\r\nStrikethrough=False\r\n"
                        "Underline=False\r\nWeight=700\r\n"));
}

void TestPrivateProfile::fontErrors_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("number");
    QTest::newRow("empty size") << QByteArray("[F]\r\nSize=\r\n") << 13;
    QTest::newRow("size text") << QByteArray("[F]\r\nSize=big\r\n") << 13;
    QTest::newRow("charset overflow") << QByteArray("[F]\r\nCharset=99999\r\n") << 6;
    QTest::newRow("weight overflow") << QByteArray("[F]\r\nWeight=70000\r\n") << 6;
}

void TestPrivateProfile::fontErrors() {
    QFETCH(QByteArray, file);
    QFETCH(int, number);
    WriteAll(m_path, file);
    Font f;
    try {
        m_profile.SetFont("F", f);
        QFAIL("SetFont must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), number);
    }
}

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "tst_privateprofile.moc"
