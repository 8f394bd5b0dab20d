// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Font.h"

#include <QFont>

#include <memory>

// Fonts of the cells. Windows face names that settings files carry ("Arial",
// "ＭＳ Ｐゴシック") are mapped onto the installed Liberation and IPA fonts.
namespace scorefonts {

// Once per process, before the first cell is drawn.
void InstallFontSubstitutions();

// Arial 9.75 pt bold: chord names.
std::shared_ptr<Font> DefaultChordNameFont();
// The desktop's default font: lyric words.
std::shared_ptr<Font> DefaultWordFont();
// Arial 8.25 pt: the fret number of a diagram.
const QFont &FretNumberFont(int iPercent = 100);

} // namespace scorefonts
