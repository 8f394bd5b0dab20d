// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class QAction;
class PrivateProfile;

// The recently opened sheets, most recent first, shown as numbered items of
// the File menu and kept in a section of the settings file. Each slot's path
// lives in its menu item's data; "" marks an empty slot.
class FileHistory {
public:
    int16_t HistorySize() const { return m_historySize; }
    // A new, empty slot table 1..iSize; earlier bindings are dropped.
    void SetHistorySize(int16_t iSize);
    // Binds slot iNo to mnu and hides it.
    void SetMenu(int16_t iNo, QAction *mnu);
    // Binds the separator below the list and hides it.
    void SetDummy(QAction *mnu);
    // Non-empty slots counted from slot 1 up to the first empty one.
    int16_t HistoryCount() const;
    // Puts sFile at the front; an equal path (upper-case comparison) moves up.
    void AddHistory(const QString &sFile);
    void SetProfile(PrivateProfile *cls, const QString &sSec);
    void LoadHistoryFile();
    void SaveHistoryFile() const;

    // Paths longer than this many characters are shortened in captions.
    static constexpr int16_t CaptionPathLimit = 20;

    QString HistoryItem(int16_t i) const;
    QString MakeCaption(int16_t i) const;

private:
    int16_t FindHistory(const QString &sFile) const;
    void RemoveHistory(int16_t i);
    void InsertHistory(const QString &sFile);
    void RefreshCaptions();
    void SetItem(int16_t i, const QString &sFile);
    QAction *Slot(int16_t i) const;

    int16_t m_historySize = 0;
    std::vector<QAction *> m_slots; // index 0 unused
    QAction *m_separator = nullptr;
    PrivateProfile *m_profile = nullptr;
    QString m_section;
};
