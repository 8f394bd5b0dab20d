#pragma once

#include <QString>

#include <utility>
#include <vector>

class PrivateProfile;

// The fingerings the user chose for whole sheets: per sheet file (its full
// path), each chord name as shown with the position line chosen for it.
// The most recently used sheets come first; only MaxSheets are kept.
class VoicingMemory {
public:
    static constexpr int MaxSheets = 50;
    // Chord name (after the capo) and position line ("x-3-2-0-1-0").
    using Choices = std::vector<std::pair<QString, QString>>;

    // Section [Voicings]: Sheet1=path, Chords1=C=x-3-2-0-1-0 G=3-2-0-0-0-3, ...
    void Load(const PrivateProfile &profile);
    void Save(const PrivateProfile &profile) const;

    Choices Of(const QString &sPath) const;
    // Sets the choices of a sheet and makes it the most recent.
    void Set(const QString &sPath, const Choices &choices);
    int Size() const { return static_cast<int>(m_sheets.size()); }

private:
    std::vector<std::pair<QString, Choices>> m_sheets; // the most recent first
    int m_stored = 0;                                  // sheets the file had
};
