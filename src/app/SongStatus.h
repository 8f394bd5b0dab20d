// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class PitchModel;

// What the right end of the menu bar says of the song on screen: its title,
// its key as written and where the transposition takes it, and the shapes
// the capo asks for, e.g. "ふるさと　Key: F → G (+2)　カポ 2: F の形".
namespace songstatus {

QString Text(const QString &sTitle, const PitchModel &pitch);

} // namespace songstatus
