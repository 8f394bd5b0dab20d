#include "settings/basFont.h"

#include <QFontDialog>

namespace basFont {

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
    QFont f(fnt.Name());
    f.setBold(fnt.Bold());
    f.setItalic(fnt.Italic());
    f.setPointSizeF(static_cast<float>(fnt.Size() > 0 ? fnt.Size() : 9.0));
    f.setStrikeOut(fnt.Strikethrough());
    f.setUnderline(fnt.Underline());
    dialog.setCurrentFont(f);
}

void DialogToFont(const QFontDialog &dialog, Font &fnt) {
    const QFont f = dialog.selectedFont();
    fnt.SetBold(f.bold());
    fnt.SetItalic(f.italic());
    fnt.SetName(f.family());
    fnt.SetSize(static_cast<float>(f.pointSizeF()));
    fnt.SetStrikethrough(f.strikeOut());
    fnt.SetUnderline(f.underline());
}

} // namespace basFont
