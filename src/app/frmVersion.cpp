// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmVersion.h"

#include "app/AppIcon.h"
#include "app/frmChordScore.h"
#include "platform/AppInfo.h"
#include "platform/Twips.h"
#include "score/ChordScore.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

using twips::kTwipsPerPixel;
using twips::Px;

namespace {

QFont Gothic(double points) {
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSizeF(points);
    return f;
}

QLabel *SizedLabel(QWidget *parent, const QString &text, int32_t left, int32_t top) {
    auto *l = new QLabel(text, parent);
    l->move(Px(left), Px(top));
    l->adjustSize();
    return l;
}

} // namespace

const QString frmVersion::Url = appinfo::Homepage();

frmVersion::frmVersion(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(Px(3510), Px(2910));
    setFont(Gothic(9));

    Image1 = new QLabel(this);
    Image1->setPixmap(appicon::Pixmap(32));
    Image1->setGeometry(Px(120), Px(360), Px(480), Px(480));
    Label1 = SizedLabel(this, QStringLiteral("Tamblin"), 960, 120);
    Label1->setFont(Gothic(9.75));
    Label1->adjustSize();
    Label2 = SizedLabel(this, QStringLiteral("Version"), 960, 480);
    lblVersion = SizedLabel(this, QString(), 1680, 480);
    lblCopyRight = SizedLabel(this, QString(), 960, 720);
    Label3 = new QLabel(QStringLiteral("Special Thanks! 小島 葵"), this);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setGeometry(Px(120), Px(1080), Px(3315), Px(180) + 2);
    lblUrl = new QLabel(Url, this);
    QFont link = Gothic(9);
    link.setUnderline(true);
    lblUrl->setFont(link);
    QPalette blue = lblUrl->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lblUrl->setPalette(blue);
    lblUrl->setAlignment(Qt::AlignCenter);
    lblUrl->setCursor(Qt::PointingHandCursor);
    lblUrl->setGeometry(Px(120), Px(1320), Px(3255), Px(255));
    lblUrl->installEventFilter(this);
    txtInfo = new QPlainTextEdit(this);
    txtInfo->setFont(Gothic(8.25));
    txtInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtInfo->setGeometry(Px(120), Px(1680), Px(3255), Px(495));
    QPalette face = txtInfo->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    txtInfo->setPalette(face);
    // Typing changes nothing; selecting and scrolling still work.
    txtInfo->setReadOnly(true);
    txtInfo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(Px(1080), Px(2400), Px(1335), Px(375));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(cmdOK, Label1);
    setTabOrder(Label1, txtInfo);
    Form_Load();
}

void frmVersion::Form_Load() {
    lblVersion->setText(appinfo::Version());
    lblVersion->adjustSize();
    lblCopyRight->setText(appinfo::LegalCopyright());
    lblCopyRight->adjustSize();
}

void frmVersion::lblUrl_Click() {
    // No browser, no network: nothing to say.
    QDesktopServices::openUrl(QUrl(lblUrl->text()));
}

bool frmVersion::eventFilter(QObject *watched, QEvent *event) {
    if (watched == lblUrl && event->type() == QEvent::MouseButtonPress) {
        lblUrl_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmVersion::ShowModal(frmChordScore *main) {
    frmVersion box(main);
    box.txtInfo->setPlainText(
        QStringLiteral("ChordView:%1").arg(main->chsChord()->ChordViewCount()));
    // Client rectangles on both sides: the box's frame is not known before it
    // is shown, and a window manager decorates both windows alike.
    QRect r(QPoint(), box.size());
    r.moveCenter(main->geometry().center());
    box.setGeometry(r);
    box.cmdOK->setFocus();
    box.exec();
}
