// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/Capo.h"
#include "chords/PitchModel.h"

#include <QTest>

// What a cell shows for a written chord, from the sheet's capo, the
// transposition, the window's capo and the spelling.
class TestPitchModel : public QObject {
    Q_OBJECT

private slots:
    void shown_data();
    void shown();
    void capoAloneIsTheCapo();
    void keys();
};

void TestPitchModel::shown_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("sheetCapo");
    QTest::addColumn<int>("transpose");
    QTest::addColumn<int>("capo");
    QTest::addColumn<int>("spelling"); // 0 sharps, 1 flats, 2 by key
    QTest::addColumn<QString>("key");  // "" none; "*b" none, flats written
    QTest::addColumn<QString>("shown");
    QTest::newRow("as written") << "Db" << 0 << 0 << 0 << 0 << ""
                                << "Db";
    QTest::newRow("capo lands on sharps") << "F" << 0 << 0 << 2 << 0 << ""
                                          << "D#";
    QTest::newRow("sheet capo, played there") << "G7" << 2 << 0 << 2 << 0 << ""
                                              << "G7";
    QTest::newRow("sheet capo, sounding at 0") << "G" << 2 << 0 << 0 << 0 << ""
                                               << "A";
    QTest::newRow("up a tone, slash") << "C/E" << 0 << 2 << 0 << 0 << ""
                                      << "D/F#";
    QTest::newRow("up a tone, on") << "ConE" << 0 << 2 << 0 << 0 << ""
                                   << "DonF#";
    QTest::newRow("down, wraps") << "C" << 0 << -1 << 0 << 0 << ""
                                 << "B";
    QTest::newRow("marks kept") << "(C7)" << 0 << 1 << 0 << 0 << ""
                                << "(C#7)";
    QTest::newRow("star kept") << "Em*" << 0 << 1 << 0 << 1 << ""
                               << "Fm*";
    QTest::newRow("music signs") << "C♯m" << 0 << 0 << 1 << 0 << ""
                                 << "Cm";
    QTest::newRow("flats always") << "F#m" << 0 << 0 << 0 << 1 << ""
                                  << "Gbm";
    QTest::newRow("no chord") << "N.C." << 0 << 3 << 0 << 2 << "F"
                              << "N.C.";
    QTest::newRow("empty") << "" << 0 << 3 << 0 << 0 << ""
                           << "";
    // By key: the key of the shapes decides.
    QTest::newRow("F, capo 2: E♭ shapes") << "Bb7" << 0 << 0 << 2 << 2 << "F"
                                          << "Ab7";
    QTest::newRow("F up 2 is G: sharps") << "Bb" << 0 << 2 << 0 << 2 << "F"
                                         << "C";
    QTest::newRow("G down 2 is F: flats") << "C7" << 0 << -2 << 0 << 2 << "G"
                                          << "Bb7";
    QTest::newRow("Dm: flats") << "A#dim" << 0 << 0 << 0 << 2 << "Dm"
                               << "Bbdim";
    QTest::newRow("E: sharps") << "Ab" << 0 << 0 << 0 << 2 << "E"
                               << "G#";
    QTest::newRow("E♭ written, unmoved") << "D#" << 0 << 0 << 0 << 2 << "*b"
                                         << "Eb";
    QTest::newRow("bass by key") << "Eb/G" << 0 << 0 << 2 << 2 << "Eb"
                                 << "Db/F";
    QTest::newRow("sharps: as written") << "D#" << 0 << 0 << 0 << 0 << "Eb"
                                        << "D#";
}

void TestPitchModel::shown() {
    QFETCH(QString, written);
    QFETCH(int, sheetCapo);
    QFETCH(int, transpose);
    QFETCH(int, capo);
    QFETCH(int, spelling);
    QFETCH(QString, key);
    QFETCH(QString, shown);
    PitchModel model;
    model.SetSheetCapo(int16_t(sheetCapo));
    model.SetTranspose(int16_t(transpose));
    model.SetCapo(int16_t(capo));
    model.SetSpelling(PitchModel::Spelling(spelling));
    model.SetWrittenKey(key.startsWith('*') ? std::nullopt : Key::Read(key), key == "*b");
    QCOMPARE(model.Chord(written), shown);
}

// With no sheet capo, no transposition and sharps, the model is the capo.
void TestPitchModel::capoAloneIsTheCapo() {
    const QStringList names{"C",  "C#m7", "Db",  "D/F#", "Ebmaj7", "E7(9)", "Fon G",
                            "Gb", "G#m",  "Ab7", "A",    "Bb",     "B7/D#", "Cbm",
                            "H7", "(G)",  "am",  "E♭",   "Bsus4",  "F#*"};
    for (int16_t c = 0; c <= 9; ++c) {
        Capo capo;
        capo.SetCapo(c);
        PitchModel model;
        model.SetCapo(c);
        for (const QString &name : names) {
            QCOMPARE(model.Chord(name), capo.Chord(name));
        }
    }
}

void TestPitchModel::keys() {
    QCOMPARE(Key::Read("E♭")->Name(), QString("E♭"));
    QCOMPARE(Key::Read("f#m")->Name(), QString("F#m"));
    QCOMPARE(Key::Read("Bb minor")->Name(), QString("B♭m"));
    QVERIFY(!Key::Read("H"));
    QVERIFY(!Key::Read("Gsus4"));
    QCOMPARE(Key::Read("F")->Moved(2).Name(), QString("G"));
    bool flats = false;
    const auto key = PitchModel::KeyOfChords({"Cm", "Ab", "Eb", "Bb7", "G7"}, &flats);
    QVERIFY(flats);
    QCOMPARE(key->Name(), QString("Cm"));
}

QTEST_GUILESS_MAIN(TestPitchModel)
#include "tst_pitchmodel.moc"
