// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Font.h"

#include <QString>

#include <cstdint>
#include <optional>

// The settings file: string, integer, boolean and font values by section and
// key. Nothing is cached: every read reads the file, every write writes it.
class PrivateProfile {
public:
    static constexpr int32_t ErrorMissing = static_cast<int32_t>(0x80040000u);
    // Reserved text meaning "required and absent"; never written.
    static const QString Sentinel;

    // The default default: a value of any kind in its text form.
    class Default {
    public:
        Default(const QString &s) : m_text(s) {}
        Default(const char *s) : m_text(QString::fromUtf8(s)) {}
        Default(int32_t n) : m_text(QString::number(n)) {}
        Default(bool b) : m_text(b ? QStringLiteral("True") : QStringLiteral("False")) {}
        const QString &Text() const { return m_text; }

    private:
        QString m_text;
    };

    // The settings file beside the executable, named after it.
    PrivateProfile();

    const QString &IniFilename() const { return m_iniFilename; }
    void SetIniFilename(const QString &sName) { m_iniFilename = sName; }

    // At most 99 bytes of CP932. A result equal to the sentinel raises 0x80040000.
    QString GetString(const QString &sSection, const QString &sKey, const Default &sDefault) const;
    void WriteString(const QString &sSection, const QString &sKey, const QString &sVal) const;

    // A path: read whole, not cut to 99 bytes; one that CP932 cannot hold is
    // written percent-encoded behind a marker and comes back the same.
    QString GetPath(const QString &sSection, const QString &sKey, const Default &sDefault) const;
    void WritePath(const QString &sSection, const QString &sKey, const QString &sPath) const;

    // Reads the eight font keys of sSection into fnt; absent keys keep its values.
    void SetFont(const QString &sSection, Font &fnt) const;
    void WriteFont(const QString &sSection, const Font &fnt) const;

    // Without a default the entry is required. Text that is not a number
    // raises 13, one out of range 6.
    int32_t GetLong(const QString &sSection, const QString &sKey,
                    std::optional<int32_t> lDefault = std::nullopt) const;
    void WriteLong(const QString &sSection, const QString &sKey, int32_t lVal) const;
    bool GetBoolean(const QString &sSection, const QString &sKey,
                    std::optional<bool> bDefault = std::nullopt) const;
    void WriteBoolean(const QString &sSection, const QString &sKey, bool bVal) const;
    int16_t GetInt(const QString &sSection, const QString &sKey,
                   std::optional<int16_t> iDefault = std::nullopt) const;
    void WriteInt(const QString &sSection, const QString &sKey, int16_t iVal) const;

    // sText as a 32-bit number, with the errors of GetLong naming the entry.
    int32_t ToLong(const QString &sSection, const QString &sKey, const QString &sText) const;

    static QString MakeIniFilename();

private:
    static QString StripNull(const QString &s);
    static QString BoolToString(bool bVal);
    static bool StringToBool(const QString &s);
    double ToNumber(const QString &sSection, const QString &sKey, const QString &sText) const;
    [[noreturn]] void RaiseOverflow(const QString &sSection, const QString &sKey,
                                    const QString &sText) const;

    QString m_iniFilename;
};
