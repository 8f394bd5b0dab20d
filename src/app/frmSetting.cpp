// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmSetting.h"

#include "app/MainWindowSettings.h"
#include "app/basMain.h"
#include "app/frmChordScore.h"
#include "chords/Chord.h"
#include "parsing/basPath.h"
#include "platform/AppError.h"
#include "platform/AppInfo.h"
#include "platform/AppPaths.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/WidgetHelpers.h"
#include "platform/basFont.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"
#include "settings/PrivateProfile.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using twips::kTwipsPerPixel;
using twips::Px;

// Height added below the first settings for the library and page turning.
constexpr int32_t kExtra = 2760;

namespace {

void Place(QWidget *w, int32_t left, int32_t top, int32_t width, int32_t height) {
    w->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

// The etched line above the buttons: grey, with white one pixel below.
class EtchedLine : public QWidget {
public:
    explicit EtchedLine(QWidget *parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(0, 0, width(), 1, QColor(128, 128, 128));
        p.fillRect(0, 1, width(), 1, Qt::white);
    }
};

} // namespace

const QString frmSetting::SampleSheet =
    QStringLiteral("       G        F#dim\r\nそして ケンカし 仲直り");

frmSetting::frmSetting(frmChordScore *main)
    : QDialog(main,
              Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_main(main) {
    setWindowTitle(QStringLiteral("設定"));
    setFixedSize(Px(7215), Px(4215 + kExtra));
    // The face the layout was measured in; it maps to IPA P Gothic here.
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));

    Picture1 = new QWidget(this);
    widgethelpers::SetWhiteBackground(Picture1);
    Place(Picture1, 120, 120, 3495, 2535);
    m_chsChord = new ChordScore(Picture1);
    Place(m_chsChord, 0, 0, 2175, 2175);

    const char *frames[] = {"コード名", "歌詞"};
    for (int f = 0; f < 2; ++f) {
        fraFont[f] = new QGroupBox(QString::fromUtf8(frames[f]), this);
        Place(fraFont[f], 3840, 120 + 720 * f, 3255, 615);
        cmdFont[f] = new QPushButton(QStringLiteral("フォント"), fraFont[f]);
        Place(cmdFont[f], 240, 240, 855, 255);
        connect(cmdFont[f], &QPushButton::clicked, this, [this, f] { cmdFont_Click(f); });
        for (int k = 0; k < 2; ++k) {
            const int i = 2 * f + k;
            cmdColor[i] =
                new QPushButton(k == 0 ? QStringLiteral("色1") : QStringLiteral("色2"), fraFont[f]);
            Place(cmdColor[i], 1200 + 960 * k, 240, 855, 255);
            connect(cmdColor[i], &QPushButton::clicked, this, [this, i] { cmdColor_Click(i); });
        }
    }
    chkAdjustFlatStart = new QCheckBox(QStringLiteral("なるべく1フレットから表示する(&F)"), this);
    Place(chkAdjustFlatStart, 3840, 1680, 3015, 255);
    connect(chkAdjustFlatStart, &QCheckBox::clicked, this, &frmSetting::chkAdjustFlatStart_Click);
    Label2 = new QLabel(QStringLiteral("POSITIONデータ(&P):"), this);
    Place(Label2, 3840, 2160, 1575, 255);
    cboPositionIni = new QComboBox(this);
    Place(cboPositionIni, 3840, 2400, 3255, 300);
    Label2->setBuddy(cboPositionIni);
    frmTabSize = new QGroupBox(QStringLiteral("タブの文字数(&T)"), this);
    Place(frmTabSize, 120, 2880, 1935, 615);
    int x = 120;
    for (int t : {2, 4, 8}) {
        auto *o = new QRadioButton(QString::number(t), frmTabSize);
        Place(o, x, 300, 495, 180 + 60);
        optTabSize[t] = o;
        x += 600;
    }
    Label1 = new QLabel(QStringLiteral("※次回、コード譜を開く時から有効"), this);
    Place(Label1, 2160, 3240, 3015, 255);
    fraLibrary = new QGroupBox(QStringLiteral("ライブラリのフォルダー"), this);
    Place(fraLibrary, 120, 3600, 6975, 1335);
    lstLibraryFolders = new QListWidget(fraLibrary);
    Place(lstLibraryFolders, 120, 240, 5235, 975);
    lstLibraryFolders->setAccessibleName(QStringLiteral("ライブラリのフォルダー"));
    cmdAddFolder = new QPushButton(QStringLiteral("追加(&A)..."), fraLibrary);
    Place(cmdAddFolder, 5475, 240, 1335, 315);
    cmdRemoveFolder = new QPushButton(QStringLiteral("外す(&R)"), fraLibrary);
    Place(cmdRemoveFolder, 5475, 615, 1335, 315);
    connect(cmdAddFolder, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(
            this, QStringLiteral("ライブラリのフォルダー"), QDir::homePath());
        if (!folder.isEmpty() && lstLibraryFolders->findItems(folder, Qt::MatchExactly).isEmpty() &&
            lstLibraryFolders->count() < MainWindowSettings::MaxLibraryFolders) {
            lstLibraryFolders->addItem(QDir::cleanPath(folder));
        }
    });
    connect(cmdRemoveFolder, &QPushButton::clicked, this,
            [this] { delete lstLibraryFolders->currentItem(); });

    fraPageTurner = new QGroupBox(QStringLiteral("ページめくり (ペダル)"), this);
    Place(fraPageTurner, 120, 5040, 6975, 1215);
    chkPageTurner = new QCheckBox(QStringLiteral("ページめくりモード(&M)"), fraPageTurner);
    Place(chkPageTurner, 120, 240, 3255, 255);
    chkPageTurnerFullScreen =
        new QCheckBox(QStringLiteral("全画面では常にページめくり(&U)"), fraPageTurner);
    Place(chkPageTurnerFullScreen, 3480, 240, 3375, 255);
    auto *nextLabel = new QLabel(QStringLiteral("次へのキー(&X):"), fraPageTurner);
    Place(nextLabel, 120, 660, 1200, 255);
    txtNextKeys = new QLineEdit(fraPageTurner);
    Place(txtNextKeys, 1320, 630, 2040, 300);
    nextLabel->setBuddy(txtNextKeys);
    auto *backLabel = new QLabel(QStringLiteral("前へのキー(&K):"), fraPageTurner);
    Place(backLabel, 3480, 660, 1200, 255);
    txtBackKeys = new QLineEdit(fraPageTurner);
    Place(txtBackKeys, 4680, 630, 2160, 300);
    backLabel->setBuddy(txtBackKeys);
    for (QLineEdit *e : {txtNextKeys, txtBackKeys}) {
        e->setToolTip(QStringLiteral("カンマで区切ったキーの名前: PgDown, Right, Down"));
    }

    cmdCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Place(cmdCancel, 4680, 3720 + kExtra, 1095, 375);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    Place(cmdOK, 5880, 3720 + kExtra, 1095, 375);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmSetting::cmdOK_Click);
    auto *line = new EtchedLine(this);
    line->setGeometry(Px(120), Px(3600 + kExtra), Px(7080 - 120), 2);

    // Tab order of the table; the OK button takes the first focus as the default.
    QWidget *order[] = {fraFont[0],         cmdFont[0],
                        cmdColor[0],        cmdColor[1],
                        fraFont[1],         cmdFont[1],
                        cmdColor[2],        cmdColor[3],
                        chkAdjustFlatStart, cboPositionIni,
                        optTabSize[2],      optTabSize[4],
                        optTabSize[8],      lstLibraryFolders,
                        cmdAddFolder,       cmdRemoveFolder,
                        chkPageTurner,      chkPageTurnerFullScreen,
                        txtNextKeys,        txtBackKeys,
                        cmdCancel,          cmdOK};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    Form_Load();
}

frmSetting::~frmSetting() = default;

void frmSetting::ShowModal(frmChordScore *main) {
    frmSetting dialog(main);
    dialog.move(main->pos() + QPoint(Px(200), Px(750)));
    dialog.exec();
}

void frmSetting::Form_Load() {
    m_chord = std::make_shared<Chord>();
    m_chord->RegistChord(QStringLiteral("G"), QStringLiteral("3-0-0-0-2-3"));
    m_chord->RegistChord(QStringLiteral("G"), QStringLiteral("3*6-3-4-5-5-3"));
    ChordView *preview = m_chsChord->Properties();
    const ChordView *main = m_main->chsChord()->Properties();
    preview->SetChord(m_chord);
    // A copy: the dialog may change it and be cancelled.
    preview->SetStyle(main->Style());
    chkAdjustFlatStart->setChecked(preview->AdjustFlatStart());
    m_chsChord->SetTabSize(m_main->chsChord()->TabSize());
    m_chsChord->SetText(SampleSheet);
    m_chsChord->Refresh();

    const auto it = optTabSize.find(m_main->chsChord()->TabSize());
    (it != optTabSize.end() ? it->second : optTabSize[4])->setChecked(true);
    FillPositionList();
    lstLibraryFolders->addItems(m_main->LibraryFolders());
    const frmChordScore::PageTurnerSettings &turner = m_main->PageTurner();
    chkPageTurner->setChecked(turner.On);
    chkPageTurnerFullScreen->setChecked(turner.InFullScreen);
    txtNextKeys->setText(turner.NextKeys);
    txtBackKeys->setText(turner.BackKeys);
}

void frmSetting::FillPositionList() {
    // Beside the program, the user's own, the installed ones: each name once.
    const QString own = basPath::GetFileName(basMain::oProfile().IniFilename());
    for (const QString &name : apppaths::PositionFileNames(own)) {
        cboPositionIni->addItem(name);
    }
    const QString current = basPath::GetFileName(basMain::oChord()->Filename());
    // The file in use stays choosable even if it has gone from the folder.
    if (cboPositionIni->findText(current) < 0 && !current.isEmpty()) {
        cboPositionIni->addItem(current);
    }
    cboPositionIni->setCurrentText(current);
}

void frmSetting::chkAdjustFlatStart_Click() {
    m_chsChord->Properties()->SetAdjustFlatStart(chkAdjustFlatStart->isChecked());
    m_chsChord->Refresh();
}

void frmSetting::cmdFont_Click(int index) {
    ChordView *preview = m_chsChord->Properties();
    Font &font = index == 0 ? *preview->ChordNameFont() : *preview->WordFont();
    QFontDialog dialog(this);
    dialog.setOption(QFontDialog::DontUseNativeDialog, true);
    basFont::FontToDialog(dialog, font);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    basFont::DialogToFont(dialog, font);
    m_chsChord->Refresh();
}

namespace {
// The four colour buttons, in their order.
constexpr int32_t DisplayStyle::*kColorOf[] = {
    &DisplayStyle::EnableChordNameColor, &DisplayStyle::UnEnableChordNameColor,
    &DisplayStyle::EnableWordColor, &DisplayStyle::UnEnableWordColor};
} // namespace

int32_t frmSetting::Color(int index) const {
    return m_chsChord->Properties()->Style().*kColorOf[std::clamp(index, 0, 3)];
}

void frmSetting::SetColor(int index, int32_t lColor) {
    DisplayStyle style = m_chsChord->Properties()->Style();
    style.*kColorOf[std::clamp(index, 0, 3)] = lColor;
    m_chsChord->Properties()->SetStyle(style);
}

void frmSetting::cmdColor_Click(int index) {
    QColorDialog dialog(DisplayStyle::ToColor(Color(index)), this);
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    SetColor(index, DisplayStyle::FromColor(dialog.selectedColor()));
    m_chsChord->Refresh();
}

void frmSetting::cmdOK_Click() {
    // Key names a pedal sends: each one must read as a key.
    for (QLineEdit *e : {txtNextKeys, txtBackKeys}) {
        for (const QString &name : e->text().split(u',', Qt::SkipEmptyParts)) {
            const QKeySequence key(name.trimmed());
            if (key.isEmpty() || key[0].key() == Qt::Key_unknown) {
                msgbox::ShowError(this,
                                  QStringLiteral("キーの名前 \"%1\" がわかりません。"
                                                 "PgDown, Right, Space のように書いてください。")
                                      .arg(name.trimmed()));
                e->setFocus();
                return;
            }
        }
    }
    hide();
    // The main window repaints where the dialog was before the work starts.
    QCoreApplication::processEvents();
    {
        frmChordScore::BusyScope busy(*m_main);
        const ChordView *preview = m_chsChord->Properties();
        ChordView *main = m_main->chsChord()->Properties();
        main->SetStyle(preview->Style());
        int16_t tab = 4;
        for (int t : {2, 4, 8}) {
            if (optTabSize[t]->isChecked()) {
                tab = static_cast<int16_t>(t);
            }
        }
        m_main->chsChord()->SetTabSize(tab);
        try {
            m_main->chsChord()->Refresh();
        } catch (const AppError &e) {
            msgbox::ShowError(m_main, e.Description());
        }
        if (cboPositionIni->currentText() != basPath::GetFileName(basMain::oChord()->Filename())) {
            m_main->ReloadPositionIni(cboPositionIni->currentText());
        }
    }
    QStringList folders;
    for (int i = 0; i < lstLibraryFolders->count(); ++i) {
        folders << lstLibraryFolders->item(i)->text();
    }
    if (folders != m_main->LibraryFolders()) {
        m_main->SetLibraryFolders(folders);
    }
    m_main->SetPageTurner({chkPageTurner->isChecked(), chkPageTurnerFullScreen->isChecked(),
                           txtNextKeys->text().trimmed(), txtBackKeys->text().trimmed()});
    accept();
}
