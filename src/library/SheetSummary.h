// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What a library entry shows and is searched by, read from a sheet's text.
namespace sheetsummary {

struct Summary {
    bool IsSheet = false; // it has at least one chord
    QString Title;
    QString Artist;
    QString Key;       // the key's own name ("B♭", "F#m"), empty when none
    int KeyPitch = -1; // 0 = C, -1 when no key
    bool KeyMinor = false;
    int Capo = -1;      // the capo the sheet says, -1 when none
    QStringList Chords; // each name once, in order
    QString Lyrics;     // the lyric lines, one a line
};

// A title line taken apart: "曲名：さくら／森山直太朗" is さくら sung by
// 森山直太朗; "ふるさと　（作詞 高野辰之）" has its credits in brackets.
struct TitleLine {
    QString Title;
    QString Credits; // what the brackets after the title held
    QString Singer;  // after " / ", "／" or " - "
};
TitleLine SplitTitle(const QString &sLine);

// sText as a sheet file reads (lines ended by CR LF). The title: {title},
// {meta: title}, else the first non-empty line; the artist: {artist},
// {subtitle}, a 歌/Artist/作曲/作詞 line; the key: {key}, a "Key:" line,
// else the one the chords show.
Summary Summarize(const QString &sText);

} // namespace sheetsummary
