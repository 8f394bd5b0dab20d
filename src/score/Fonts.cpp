// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/Fonts.h"

#include <QGuiApplication>

#include <map>

namespace scorefonts {

void InstallFontSubstitutions() {
    static const bool done = [] {
        const QStringList gothic{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
        QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"),
                                                             QStringLiteral("IPAPGothic")});
        for (const char *name : {"ＭＳ Ｐゴシック", "MS PGothic", "ＭＳ ゴシック", "MS Gothic",
                                 "MS UI Gothic", "メイリオ", "Meiryo"}) {
            QFont::insertSubstitutions(QString::fromUtf8(name), gothic);
        }
        return true;
    }();
    (void)done;
}

std::shared_ptr<Font> DefaultChordNameFont() {
    return std::make_shared<Font>(QStringLiteral("Arial"), 9.75, true);
}

std::shared_ptr<Font> DefaultWordFont() {
    return std::make_shared<Font>(Font::FromQFont(QGuiApplication::font()));
}

const QFont &FretNumberFont(int iPercent) {
    // One per zoom step in use; painting happens on the UI thread only.
    static std::map<int, QFont> fonts;
    auto it = fonts.find(iPercent);
    if (it == fonts.end()) {
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(8.25 * iPercent / 100.0);
        f.setWeight(QFont::Normal);
        it = fonts.emplace(iPercent, f).first;
    }
    return it->second;
}

} // namespace scorefonts
