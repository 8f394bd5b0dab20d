// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Font.h"

#include <QColor>

#include <cstdint>

// How a score looks, as the settings file and the settings dialog know it:
// the fret-start rule, the two fonts and the four colours. One value, which
// the score's template cell holds; the dialog edits a copy and hands it
// back on OK.
struct DisplayStyle {
    // Start the diagram at fret 1 when the fingering fits in four frets.
    bool AdjustFlatStart = false;
    Font ChordNameFont;
    Font WordFont;
    // 0x00BBGGRR: a name the dictionary knows, one it lacks; a word under a
    // chord, plain text.
    int32_t EnableChordNameColor = 0;
    int32_t UnEnableChordNameColor = 0xC0C0C0;
    int32_t EnableWordColor = 0;
    int32_t UnEnableWordColor = 0xC0C0C0;

    bool operator==(const DisplayStyle &other) const = default;

    // Colours of the 0x00BBGGRR form, as the settings file stores them.
    static QColor ToColor(int32_t lColor);
    static int32_t FromColor(const QColor &color);
};
