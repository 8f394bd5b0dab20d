// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Font.h"

class QFontDialog;

// Moving font properties between font objects and the font dialog.
namespace basFont {

// Bold, Charset, Italic, Name, Size (exact), Strikethrough, Underline,
// Weight, in that order, from fntSource onto fntTarget.
void CopyFont(Font &fntTarget, const Font &fntSource);

// Bold, italic, face, size, strikethrough and underline into the dialog;
// Charset and Weight stay out.
void FontToDialog(QFontDialog &dialog, const Font &fnt);
// The same six back, each only where the dialog now differs from what
// FontToDialog showed; the weight follows from Bold.
void DialogToFont(const QFontDialog &dialog, Font &fnt);

} // namespace basFont
