// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/basFont.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QVariant>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace basFont {

namespace {

// The font as the dialog can show it: the family that substitution (or the
// machine's fallback) resolves the face name to, since the dialog only lists
// installed families and would otherwise fall back to its own default.
QFont ShownFont(const Font &fnt) {
    QFont f(fnt.Name());
    f.setBold(fnt.Bold());
    f.setItalic(fnt.Italic());
    f.setPointSizeF(static_cast<float>(fnt.Size() > 0 ? fnt.Size() : 9.0));
    f.setStrikeOut(fnt.Strikethrough());
    f.setUnderline(fnt.Underline());
    f.setFamily(QFontInfo(f).family());
    // Named styles ("Book", "Oblique") that the dialog cannot map from bold
    // and italic alone make it pick the wrong one; name the closest.
    int best = std::numeric_limits<int>::max();
    for (const QString &style : QFontDatabase::styles(f.family())) {
        // Oblique counts as italic, as the dialog's own font says.
        const QFont face = QFontDatabase::font(f.family(), style, 9);
        const bool slanted = face.style() != QFont::StyleNormal;
        // Among equals the shortest name: "Book" before "Condensed".
        const int miss = 100 * std::abs(face.weight() - f.weight()) +
                         (slanted != f.italic() ? 1000000 : 0) + int(style.size());
        if (miss < best) {
            best = miss;
            f.setStyleName(style);
        }
    }
    return f;
}

constexpr const char *kShownFont = "tamblinShownFont";

bool SameSize(double a, double b) {
    // The dialog keeps sizes to a tenth of a point or so.
    return std::abs(a - b) < 0.15;
}

} // namespace

void CopyFont(Font &fntTarget, const Font &fntSource) {
    fntTarget.SetBold(fntSource.Bold());
    fntTarget.SetCharset(fntSource.Charset());
    fntTarget.SetItalic(fntSource.Italic());
    fntTarget.SetName(fntSource.Name());
    fntTarget.SetSize(fntSource.Size());
    fntTarget.SetStrikethrough(fntSource.Strikethrough());
    fntTarget.SetUnderline(fntSource.Underline());
    fntTarget.SetWeight(fntSource.Weight());
}

void FontToDialog(QFontDialog &dialog, const Font &fnt) {
    dialog.setCurrentFont(ShownFont(fnt));
    // What the dialog made of it (a family without a bold face shows its
    // regular one): DialogToFont compares with this.
    dialog.setProperty(kShownFont, dialog.currentFont());
}

void DialogToFont(const QFontDialog &dialog, Font &fnt) {
    // Only what the user changed is taken, so that an untouched dialog keeps
    // the stored face name ("Arial", not what it resolves to), the exact size
    // and the weight.
    const QVariant stored = dialog.property(kShownFont);
    const QFont shown = stored.isValid() ? stored.value<QFont>() : ShownFont(fnt);
    const QFont f = dialog.selectedFont();
    if (f.bold() != shown.bold()) {
        fnt.SetBold(f.bold());
    }
    if (f.italic() != shown.italic()) {
        fnt.SetItalic(f.italic());
    }
    if (f.family() != shown.family()) {
        fnt.SetName(f.family());
    }
    if (!SameSize(f.pointSizeF(), shown.pointSizeF())) {
        fnt.SetSize(static_cast<float>(f.pointSizeF()));
    }
    if (f.strikeOut() != shown.strikeOut()) {
        fnt.SetStrikethrough(f.strikeOut());
    }
    if (f.underline() != shown.underline()) {
        fnt.SetUnderline(f.underline());
    }
}

} // namespace basFont
