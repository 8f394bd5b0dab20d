// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SongMemory.h"

#include "settings/PrivateProfile.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Songs");
const QString kOldSection = QStringLiteral("Voicings");
constexpr int kOldMax = 50;

// Chord names hold no blank, position lines no "=": "C=x-3-2-0-1-0 G=3-2-0-0-0-3".
QString Join(const SongMemory::Choices &choices) {
    QStringList parts;
    for (const auto &[name, line] : choices) {
        parts << name + u'=' + line;
    }
    return parts.join(u' ');
}

SongMemory::Choices Split(const QString &sText) {
    SongMemory::Choices choices;
    for (const QString &part : sText.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype eq = part.lastIndexOf(u'=');
        if (eq > 0 && eq + 1 < part.size()) {
            choices.emplace_back(part.left(eq), part.mid(eq + 1));
        }
    }
    return choices;
}

// "capo transpose zoom x y"; anything out of range leaves no state.
bool ReadState(const QString &sText, SongMemory::Song &song) {
    const QStringList parts = sText.split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 5) {
        return false;
    }
    int v[5] = {};
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        v[i] = parts[i].toInt(&ok);
        if (!ok) {
            return false;
        }
    }
    if (v[0] < 0 || v[0] > 9 || v[1] < -11 || v[1] > 11 || v[2] < 10 || v[2] > 1000 || v[3] < 0 ||
        v[4] < 0) {
        return false;
    }
    song.Capo = static_cast<int16_t>(v[0]);
    song.Transpose = static_cast<int16_t>(v[1]);
    song.Zoom = static_cast<int16_t>(v[2]);
    song.ScrollX = v[3];
    song.ScrollY = v[4];
    song.HasState = true;
    return true;
}

} // namespace

void SongMemory::Load(const PrivateProfile &profile) {
    m_songs.clear();
    m_stored = 0;
    m_hadVoicings = false;
    const auto known = [this](const QString &path) {
        return std::any_of(m_songs.begin(), m_songs.end(),
                           [&](const auto &s) { return s.first == path; });
    };
    for (int i = 1; i <= MaxSongs; ++i) {
        const QString n = QString::number(i);
        const QString path = profile.GetPath(kSection, QStringLiteral("Sheet") + n, QString());
        if (path.isEmpty()) {
            break;
        }
        m_stored = i;
        Song song;
        ReadState(profile.GetPath(kSection, QStringLiteral("State") + n, QString()), song);
        song.Voicings = Split(profile.GetPath(kSection, QStringLiteral("Chords") + n, QString()));
        if ((song.HasState || !song.Voicings.empty()) && !known(path)) {
            m_songs.emplace_back(path, song);
        }
    }
    for (int i = 1; i <= kOldMax && static_cast<int>(m_songs.size()) < MaxSongs; ++i) {
        const QString n = QString::number(i);
        const QString path = profile.GetPath(kOldSection, QStringLiteral("Sheet") + n, QString());
        if (path.isEmpty()) {
            break;
        }
        m_hadVoicings = true;
        Song song;
        song.Voicings =
            Split(profile.GetPath(kOldSection, QStringLiteral("Chords") + n, QString()));
        if (!song.Voicings.empty() && !known(path)) {
            m_songs.emplace_back(path, song);
        }
    }
}

void SongMemory::Save(const PrivateProfile &profile) const {
    for (size_t k = 0; k < m_songs.size(); ++k) {
        const QString n = QString::number(k + 1);
        const Song &song = m_songs[k].second;
        profile.WritePath(kSection, QStringLiteral("Sheet") + n, m_songs[k].first);
        profile.WritePath(kSection, QStringLiteral("State") + n,
                          song.HasState ? QStringLiteral("%1 %2 %3 %4 %5")
                                              .arg(song.Capo)
                                              .arg(song.Transpose)
                                              .arg(song.Zoom)
                                              .arg(song.ScrollX)
                                              .arg(song.ScrollY)
                                        : QString());
        profile.WritePath(kSection, QStringLiteral("Chords") + n, Join(song.Voicings));
    }
    // The list ends at the first empty sheet: what a longer list left stays unread.
    if (m_songs.size() < static_cast<size_t>(m_stored)) {
        profile.WritePath(kSection, QStringLiteral("Sheet%1").arg(m_songs.size() + 1), QString());
    }
    // The older section has been read in: it is not read again.
    if (m_hadVoicings) {
        profile.WritePath(kOldSection, QStringLiteral("Sheet1"), QString());
    }
}

const SongMemory::Song *SongMemory::Find(const QString &sPath) const {
    for (const auto &[path, song] : m_songs) {
        if (path == sPath) {
            return &song;
        }
    }
    return nullptr;
}

SongMemory::Choices SongMemory::Of(const QString &sPath) const {
    const Song *song = Find(sPath);
    return song ? song->Voicings : Choices();
}

void SongMemory::Set(const QString &sPath, const Song &song) {
    m_songs.erase(std::remove_if(m_songs.begin(), m_songs.end(),
                                 [&](const auto &s) { return s.first == sPath; }),
                  m_songs.end());
    if (!song.HasState && song.Voicings.empty()) {
        return;
    }
    m_songs.insert(m_songs.begin(), {sPath, song});
    if (m_songs.size() > static_cast<size_t>(MaxSongs)) {
        m_songs.resize(static_cast<size_t>(MaxSongs));
    }
}

void SongMemory::SetVoicings(const QString &sPath, const Choices &choices) {
    Song song;
    if (const Song *known = Find(sPath)) {
        song = *known;
    }
    song.Voicings = choices;
    Set(sPath, song);
}
