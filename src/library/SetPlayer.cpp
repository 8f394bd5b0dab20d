// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/SetPlayer.h"

void SetPlayer::Start(std::vector<Song> songs, int iCurrent) {
    m_songs = std::move(songs);
    m_current = iCurrent >= 0 && iCurrent < Count() ? iCurrent : -1;
}

const SetPlayer::Song *SetPlayer::CurrentSong() const {
    return m_current >= 0 ? &m_songs[static_cast<size_t>(m_current)] : nullptr;
}

int SetPlayer::Neighbour(int iSteps) const {
    const int step = iSteps < 0 ? -1 : 1;
    // From nothing playing, "next" is the first song, "previous" none.
    int i = m_current < 0 && step > 0 ? 0 : m_current + step;
    for (; i >= 0 && i < Count(); i += step) {
        if (!m_songs[static_cast<size_t>(i)].Missing) {
            return i;
        }
    }
    return -1;
}

void SetPlayer::Go(int iIndex) {
    if (iIndex >= 0 && iIndex < Count()) {
        m_current = iIndex;
    }
}

bool SetPlayer::Follow(const QString &sPath) {
    if (CurrentSong() && CurrentSong()->Path == sPath) {
        return true;
    }
    for (int i = 0; i < Count(); ++i) {
        if (m_songs[static_cast<size_t>(i)].Path == sPath) {
            m_current = i;
            return true;
        }
    }
    m_current = -1;
    return false;
}

QString SetPlayer::Position() const {
    return m_current < 0 ? QString() : QStringLiteral("%1 / %2").arg(m_current + 1).arg(Count());
}

namespace pageturn {

Action Decide(bool bForward, int iValue, int iMinimum, int iMaximum) {
    if (bForward) {
        return iValue < iMaximum ? Action::Scroll : Action::NextSong;
    }
    return iValue > iMinimum ? Action::Scroll : Action::PreviousSong;
}

} // namespace pageturn
