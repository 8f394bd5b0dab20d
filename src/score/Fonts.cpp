#include "score/Fonts.h"

#include <QGuiApplication>

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

const QFont &FretNumberFont() {
    static const QFont font = [] {
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(8.25);
        f.setWeight(QFont::Normal);
        return f;
    }();
    return font;
}

} // namespace scorefonts
