#include "settings/VoicingMemory.h"

#include "settings/PrivateProfile.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Voicings");

// Chord names hold no blank, position lines no "=": "C=x-3-2-0-1-0 G=3-2-0-0-0-3".
QString Join(const VoicingMemory::Choices &choices) {
    QStringList parts;
    for (const auto &[name, line] : choices) {
        parts << name + u'=' + line;
    }
    return parts.join(u' ');
}

VoicingMemory::Choices Split(const QString &sText) {
    VoicingMemory::Choices choices;
    for (const QString &part : sText.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype eq = part.lastIndexOf(u'=');
        if (eq > 0 && eq + 1 < part.size()) {
            choices.emplace_back(part.left(eq), part.mid(eq + 1));
        }
    }
    return choices;
}

} // namespace

void VoicingMemory::Load(const PrivateProfile &profile) {
    m_sheets.clear();
    m_stored = 0;
    for (int i = 1; i <= MaxSheets; ++i) {
        const QString n = QString::number(i);
        const QString path = profile.GetPath(kSection, QStringLiteral("Sheet") + n, QString());
        if (path.isEmpty()) {
            break;
        }
        m_stored = i;
        const Choices choices =
            Split(profile.GetPath(kSection, QStringLiteral("Chords") + n, QString()));
        const bool seen = std::any_of(m_sheets.begin(), m_sheets.end(),
                                      [&](const auto &s) { return s.first == path; });
        if (!choices.empty() && !seen) {
            m_sheets.emplace_back(path, choices);
        }
    }
}

void VoicingMemory::Save(const PrivateProfile &profile) const {
    for (size_t k = 0; k < m_sheets.size(); ++k) {
        const QString n = QString::number(k + 1);
        profile.WritePath(kSection, QStringLiteral("Sheet") + n, m_sheets[k].first);
        profile.WritePath(kSection, QStringLiteral("Chords") + n, Join(m_sheets[k].second));
    }
    // The list ends at the first empty sheet: what a longer list left stays unread.
    if (m_sheets.size() < static_cast<size_t>(m_stored)) {
        profile.WritePath(kSection, QStringLiteral("Sheet%1").arg(m_sheets.size() + 1), QString());
    }
}

VoicingMemory::Choices VoicingMemory::Of(const QString &sPath) const {
    for (const auto &[path, choices] : m_sheets) {
        if (path == sPath) {
            return choices;
        }
    }
    return {};
}

void VoicingMemory::Set(const QString &sPath, const Choices &choices) {
    m_sheets.erase(std::remove_if(m_sheets.begin(), m_sheets.end(),
                                  [&](const auto &s) { return s.first == sPath; }),
                   m_sheets.end());
    if (choices.empty()) {
        return;
    }
    m_sheets.insert(m_sheets.begin(), {sPath, choices});
    if (m_sheets.size() > static_cast<size_t>(MaxSheets)) {
        m_sheets.resize(static_cast<size_t>(MaxSheets));
    }
}
