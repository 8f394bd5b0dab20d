// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// Tamblin's icon: a small fretboard with two fingers on it, drawn here.
namespace appicon {

QPixmap Pixmap(int size = 32);
QIcon Icon();

} // namespace appicon
