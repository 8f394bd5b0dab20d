// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "app/basMain.h"
#include "app/frmChordScore.h"
#include "app/frmSetting.h"
#include "app/frmVersion.h"
#include "chords/Chord.h"
#include "platform/AppInfo.h"
#include "platform/MessageBox.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"
#include "score/Fonts.h"
#include "settings/PrivateProfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

using namespace testsupport;

const QString kBin = QStringLiteral(TAMBLIN_BIN_DIR);

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opensWithMainSettings();
    void colourPreviewThenOk();
    void cancelChangesNothing();
    void fontDialog();
    void okWithoutChanges();
    void untouchedFontDialog_data();
    void untouchedFontDialog();
    void positionList();
    void oddTabSize();
    void failingPositionFileOnOk();
    void placement();
    void aboutBox();

private:
    std::unique_ptr<frmChordScore> m_main;
    QStringList m_messages;
    QStringList m_created;
    QTemporaryDir m_dir;
};

void TestDialogs::initTestCase() {
    // The settings and position files the dialogs write go here.
    appinfo::SetProgramDirectory(m_dir.path());
    scorefonts::InstallFontSubstitutions();
    msgbox::SetSink([this](const QString &m) { m_messages << m; });
}

void TestDialogs::init() {
    m_messages.clear();
    basMain::CreateGlobals();
    QFile::remove(basMain::oProfile().IniFilename());
    const QString pos = appinfo::ProgramDirectory() + "/POSITION.INI";
    QFile::remove(pos);
    QVERIFY(QFile::copy(kBin + "/POSITION.INI", pos));
    m_created << pos;
    basMain::oChord()->LoadChordPosition(pos);
    m_main = std::make_unique<frmChordScore>();
    basMain::SetMainWindow(m_main.get());
    m_main->show();
    QGuiApplication::clipboard()->setText("G    F#dim  Am\r\nla   li     lo");
    m_main->mnuEdit_Paste->trigger();
}

void TestDialogs::cleanup() {
    m_main.reset();
    basMain::DestroyGlobals();
    for (const QString &f : m_created) {
        QFile::remove(f);
    }
    m_created.clear();
}

void TestDialogs::opensWithMainSettings() {
    ChordView *t = m_main->chsChord()->Properties();
    t->SetAdjustFlatStart(true);
    t->SetEnableChordNameColor(0x0000FF);
    t->SetUnEnableWordColor(0x00FF00);
    t->ChordNameFont()->SetName("Liberation Serif");
    m_main->chsChord()->SetTabSize(8);
    frmSetting d(m_main.get());
    QCOMPARE(d.windowTitle(), QString("設定"));
    // The first settings, then the library folders and page turning below them.
    QCOMPARE(d.size(), QSize(481, 465));
    const ChordView *p = d.chsChord()->Properties();
    QVERIFY(p->AdjustFlatStart());
    QVERIFY(d.chkAdjustFlatStart->isChecked());
    QCOMPARE(p->EnableChordNameColor(), 0x0000FF);
    QCOMPARE(p->UnEnableWordColor(), 0x00FF00);
    QCOMPARE(p->ChordNameFont()->Name(), QString("Liberation Serif"));
    QVERIFY(p->ChordNameFont() != t->ChordNameFont()); // a copy, not the same object
    QVERIFY(d.optTabSize[8]->isChecked());
    // The sample: a word without a chord, G with its diagram, F#dim without.
    ChordScore *s = d.chsChord();
    QCOMPARE(s->ChordViewCount(), int16_t(3));
    QCOMPARE(s->Cell(1)->Word(), QString("そして "));
    QCOMPARE(s->Cell(1)->WordColor(), QColor(0, 255, 0));
    QCOMPARE(s->Cell(2)->ChordName(), QString("G"));
    QCOMPARE(s->Cell(2)->PositionSize(), int16_t(2));
    QCOMPARE(s->Cell(2)->ChordNameColor(), QColor(255, 0, 0));
    QVERIFY(!s->Cell(3)->PositionShown());
    QCOMPARE(s->Cell(3)->ChordNameColor(), QColor(192, 192, 192));
    QCOMPARE(d.cboPositionIni->currentText(), QString("POSITION.INI"));
    QCOMPARE(d.cmdCancel->text(), QString("ｷｬﾝｾﾙ"));
    QVERIFY(d.cmdOK->isDefault());
    QCOMPARE(d.cmdColor[3]->geometry(), QRect(144, 16, 57, 17));
}

void TestDialogs::colourPreviewThenOk() {
    frmSetting d(m_main.get());
    WhenModal<QColorDialog>([](QColorDialog *c) {
        QCOMPARE(c->currentColor(), QColor(0, 0, 0)); // starts from the current colour
        c->setCurrentColor(QColor(0, 0, 255));
        c->accept();
    });
    d.cmdColor[0]->click();
    QCOMPARE(d.chsChord()->Cell(2)->ChordNameColor(), QColor(0, 0, 255));
    QCOMPARE(m_main->chsChord()->Properties()->EnableChordNameColor(), 0);
    QCOMPARE(m_main->chsChord()->Cell(1)->ChordNameColor(), QColor(0, 0, 0));
    d.cmdOK->click();
    QCOMPARE(m_main->chsChord()->Properties()->EnableChordNameColor(), 0xFF0000);
    QCOMPARE(m_main->chsChord()->Cell(1)->ChordNameColor(), QColor(0, 0, 255));
    QVERIFY(!m_main->Busy());
    QVERIFY(m_messages.isEmpty());
}

void TestDialogs::cancelChangesNothing() {
    frmSetting d(m_main.get());
    WhenModal<QColorDialog>([](QColorDialog *c) {
        c->setCurrentColor(QColor(9, 9, 9));
        c->reject();
    });
    d.cmdColor[2]->click();
    QCOMPARE(d.chsChord()->Properties()->EnableWordColor(), 0);
    d.chkAdjustFlatStart->click();
    QVERIFY(d.chsChord()->Properties()->AdjustFlatStart());
    QVERIFY(!d.chsChord()->Cell(2)->Diagram().FretNumber().Visible); // preview redrawn at once
    d.optTabSize[2]->setChecked(true);
    d.cmdCancel->click();
    QVERIFY(!m_main->chsChord()->Properties()->AdjustFlatStart());
    QCOMPARE(m_main->chsChord()->TabSize(), int16_t(4));
}

void TestDialogs::fontDialog() {
    frmSetting d(m_main.get());
    const QString before = m_main->chsChord()->Properties()->WordFont()->Name();
    WhenModal<QFontDialog>([](QFontDialog *f) {
        QFont font("Liberation Serif");
        font.setPointSize(14);
        font.setItalic(true);
        f->setCurrentFont(font);
        f->accept();
    });
    d.cmdFont[1]->click();
    const Font &preview = *d.chsChord()->Properties()->WordFont();
    QCOMPARE(preview.Name(), QString("Liberation Serif"));
    QCOMPARE(preview.Size(), 14.0);
    QVERIFY(preview.Italic());
    QCOMPARE(m_main->chsChord()->Properties()->WordFont()->Name(), before);
    // A cancelled font dialog leaves the font as it was.
    WhenModal<QFontDialog>([](QFontDialog *f) { f->reject(); });
    d.cmdFont[1]->click();
    QCOMPARE(d.chsChord()->Properties()->WordFont()->Name(), QString("Liberation Serif"));
    d.cmdOK->click();
    QCOMPARE(m_main->chsChord()->Properties()->WordFont()->Name(), QString("Liberation Serif"));
    QCOMPARE(m_main->chsChord()->Cell(1)->WordFont()->Name(), QString("Liberation Serif"));
}

void TestDialogs::untouchedFontDialog_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");
    QTest::newRow("chord default, substituted") << 0 << "Arial" << 9.75 << 700 << false;
    QTest::newRow("word, substituted Japanese") << 1 << "ＭＳ Ｐゴシック" << 10.5 << 400 << false;
    QTest::newRow("missing everywhere") << 1 << "NoSuchFaceAnywhere" << 12.0 << 700 << true;
    QTest::newRow("installed, odd weight") << 0 << "Liberation Serif" << 8.25 << 600 << true;
    QTest::newRow("face without bold style") << 1 << "IPAPGothic" << 9.0 << 700 << false;
    QTest::newRow("named regular style") << 1 << "DejaVu Sans" << 9.0 << 400 << false;
}

// OK in a font dialog nobody touched changes nothing, down to the stored name.
void TestDialogs::untouchedFontDialog() {
    QFETCH(int, which);
    QFETCH(QString, name);
    QFETCH(double, size);
    QFETCH(int, weight);
    QFETCH(bool, italic);
    ChordView *t = m_main->chsChord()->Properties();
    Font &mainFont = which == 0 ? *t->ChordNameFont() : *t->WordFont();
    mainFont.SetName(name);
    mainFont.SetSize(size);
    mainFont.SetWeight(static_cast<int16_t>(weight));
    mainFont.SetItalic(italic);
    const Font before = mainFont;
    frmSetting d(m_main.get());
    QFont shown;
    WhenModal<QFontDialog>([&](QFontDialog *f) {
        shown = f->currentFont();
        f->accept();
    });
    d.cmdFont[which]->click();
    QFont asked(name);
    QCOMPARE(shown.family(), QFontInfo(asked).family());
    // The dialog lists whole points.
    QVERIFY2(std::abs(shown.pointSizeF() - size) <= 0.5, qPrintable(shown.toString()));
    QCOMPARE(shown.italic(), italic);
    // Bold where the family has a bold face.
    const bool canBold = QFontDatabase::styles(shown.family()).join(' ').contains("Bold");
    QCOMPARE(shown.bold(), weight >= 600 && canBold);
    QVERIFY(!shown.styleName().contains("Condensed"));
    const ChordView *p = d.chsChord()->Properties();
    QCOMPARE(which == 0 ? *p->ChordNameFont() : *p->WordFont(), before);
    d.cmdOK->click();
    QCOMPARE(mainFont, before);
}

void TestDialogs::okWithoutChanges() {
    ChordScore *s = m_main->chsChord();
    const int w = s->WidthTwips();
    const int h = s->HeightTwips();
    const int16_t positions = s->Cell(1)->PositionSize();
    const auto dictionary = basMain::oChord()->ChordDictionary();
    // Were the position file read again, its absence would be reported.
    QFile::remove(appinfo::ProgramDirectory() + "/POSITION.INI");
    frmSetting d(m_main.get());
    d.cmdOK->click();
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(s->WidthTwips(), w);
    QCOMPARE(s->HeightTwips(), h);
    QCOMPARE(s->Cell(1)->PositionSize(), positions);
    QCOMPARE(basMain::oChord()->ChordDictionary(), dictionary); // not loaded again
    QVERIFY(s->isVisible());
}

void TestDialogs::positionList() {
    const QString dir = appinfo::ProgramDirectory();
    for (const char *name : {"OTHER.ini", "TST_DIALOGS.ini", "notes.txt"}) {
        QFile f(dir + "/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        m_created << f.fileName();
    }
    frmSetting d(m_main.get());
    QStringList items;
    for (int i = 0; i < d.cboPositionIni->count(); ++i) {
        items << d.cboPositionIni->itemText(i);
    }
    QVERIFY(items.contains("POSITION.INI"));
    QVERIFY(items.contains("OTHER.ini"));
    QVERIFY(!items.contains("TST_DIALOGS.ini")); // the settings file, whatever its case
    QVERIFY(!items.contains("notes.txt"));
}

void TestDialogs::oddTabSize() {
    m_main->chsChord()->SetTabSize(3);
    frmSetting d(m_main.get());
    QVERIFY(d.optTabSize[4]->isChecked());
    d.cmdOK->click();
    QCOMPARE(m_main->chsChord()->TabSize(), int16_t(4));
}

void TestDialogs::failingPositionFileOnOk() {
    const QString bad = appinfo::ProgramDirectory() + "/BROKEN.INI";
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[C]\r\n0-1-0-2-3-X-9-9\r\n");
    f.close();
    m_created << bad;
    frmSetting d(m_main.get());
    d.cboPositionIni->setCurrentText("BROKEN.INI");
    QCOMPARE(d.cboPositionIni->currentText(), QString("BROKEN.INI"));
    d.optTabSize[8]->setChecked(true);
    d.cmdOK->click();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith("BROKEN.INI(2): "));
    QCOMPARE(m_main->chsChord()->TabSize(), int16_t(8)); // the rest applied
    QVERIFY(basMain::oChord()->Filename().endsWith("/POSITION.INI"));
    QVERIFY(!m_main->Busy());
}

void TestDialogs::placement() {
    m_main->move(100, 80);
    QPoint settingAt;
    WhenModal<frmSetting>([&](frmSetting *d) {
        settingAt = d->pos();
        d->reject();
    });
    m_main->mnuHelp_Setting->trigger();
    QCOMPARE(settingAt, QPoint(100 + 13, 80 + 50));
    QRect about;
    WhenModal<frmVersion>([&](frmVersion *v) {
        about = v->geometry();
        v->cmdOK->click();
    });
    m_main->mnuHelp_Version->trigger();
    // Centred client on client (the window manager's case is in the e2e test).
    const QPoint off = about.center() - m_main->geometry().center();
    QVERIFY2(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1,
             qPrintable(QString::number(off.y())));
}

void TestDialogs::aboutBox() {
    QString info;
    QString typed;
    WhenModal<frmVersion>([&](frmVersion *v) {
        QCOMPARE(v->windowTitle(), QString("バージョン情報"));
        QCOMPARE(v->Label1->text(), QString("Tamblin"));
        QCOMPARE(v->lblVersion->text(), appinfo::Version());
        QVERIFY(v->Label3->text().startsWith("Special Thanks!"));
        QVERIFY(v->lblUrl->text().contains(appinfo::Homepage()));
        QVERIFY(!v->Image1->pixmap().isNull());
        info = v->txtInfo->toPlainText();
        v->txtInfo->setFocus();
        QTest::keyClicks(v->txtInfo, "abc");
        QTest::keyClick(v->txtInfo, Qt::Key_Backspace);
        typed = v->txtInfo->toPlainText();
        v->txtInfo->selectAll();
        QVERIFY(v->txtInfo->textCursor().hasSelection());
        QVERIFY(v->cmdOK->isDefault());
        v->cmdOK->click();
    });
    m_main->mnuHelp_Version->trigger();
    QCOMPARE(info, QStringLiteral("ChordView:%1").arg(m_main->chsChord()->ChordViewCount()));
    QCOMPARE(typed, info);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
