// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FileHistory.h"

#include "settings/PrivateProfile.h"

#include <QAction>

void FileHistory::SetHistorySize(int16_t iSize) {
    m_historySize = iSize < 0 ? int16_t{0} : iSize;
    m_slots.assign(static_cast<size_t>(m_historySize) + 1, nullptr);
}

QAction *FileHistory::Slot(int16_t i) const {
    if (i < 1 || i > m_historySize) {
        return nullptr;
    }
    return m_slots[static_cast<size_t>(i)];
}

void FileHistory::SetMenu(int16_t iNo, QAction *mnu) {
    if (iNo < 1 || iNo > m_historySize || !mnu) {
        return;
    }
    m_slots[static_cast<size_t>(iNo)] = mnu;
    mnu->setVisible(false);
}

void FileHistory::SetDummy(QAction *mnu) {
    m_separator = mnu;
    if (mnu) {
        mnu->setVisible(false);
    }
}

QString FileHistory::HistoryItem(int16_t i) const {
    const QAction *a = Slot(i);
    return a ? a->data().toString() : QString();
}

void FileHistory::SetItem(int16_t i, const QString &sFile) {
    if (QAction *a = Slot(i)) {
        a->setData(sFile);
    }
}

int16_t FileHistory::HistoryCount() const {
    int16_t n = 0;
    while (n < m_historySize && !HistoryItem(static_cast<int16_t>(n + 1)).isEmpty()) {
        ++n;
    }
    return n;
}

int16_t FileHistory::FindHistory(const QString &sFile) const {
    const QString wanted = sFile.toUpper();
    for (int32_t i = 1; i <= m_historySize; ++i) {
        if (HistoryItem(i).toUpper() == wanted) {
            return i;
        }
    }
    return 0;
}

void FileHistory::RemoveHistory(int16_t i) {
    for (int32_t j = i; j < m_historySize; ++j) {
        SetItem(j, HistoryItem(static_cast<int16_t>(j + 1)));
    }
    SetItem(m_historySize, QString());
}

void FileHistory::InsertHistory(const QString &sFile) {
    for (int16_t j = m_historySize; j >= 2; --j) {
        SetItem(j, HistoryItem(static_cast<int16_t>(j - 1)));
    }
    SetItem(1, sFile);
}

void FileHistory::AddHistory(const QString &sFile) {
    if (sFile.isEmpty() || m_historySize < 1) {
        return;
    }
    const int16_t before = HistoryCount();
    const int16_t i = FindHistory(sFile);
    if (i > 0) {
        RemoveHistory(i);
    }
    InsertHistory(sFile);
    const int16_t after = HistoryCount();
    if (after > before) {
        if (QAction *a = Slot(after)) {
            a->setVisible(true);
        }
    }
    if (HistoryCount() > 0 && m_separator) {
        m_separator->setVisible(true);
    }
    RefreshCaptions();
}

QString FileHistory::MakeCaption(int16_t i) const {
    QString path = HistoryItem(i);
    if (path.size() > CaptionPathLimit) {
        path = QStringLiteral("...") + path.right(CaptionPathLimit);
    }
    // A "&" of the path would turn into an accelerator in a Qt menu.
    path.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(i).arg(path);
}

void FileHistory::RefreshCaptions() {
    for (int32_t i = 1; i <= m_historySize; ++i) {
        if (QAction *a = Slot(i)) {
            a->setText(MakeCaption(i));
        }
    }
}

void FileHistory::SetProfile(PrivateProfile *cls, const QString &sSec) {
    m_profile = cls;
    m_section = sSec;
}

void FileHistory::LoadHistoryFile() {
    if (!m_profile) {
        return;
    }
    for (int16_t n = m_historySize; n >= 1; --n) {
        AddHistory(m_profile->GetPath(m_section, QString::number(n), QString()));
    }
}

void FileHistory::SaveHistoryFile() const {
    if (!m_profile) {
        return;
    }
    for (int32_t i = 1; i <= m_historySize; ++i) {
        m_profile->WritePath(m_section, QString::number(i), HistoryItem(i));
    }
}
