// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/PrivateProfile.h"

#include "parsing/basPath.h"
#include "platform/AppError.h"
#include "platform/AppInfo.h"
#include "platform/AppPaths.h"
#include "platform/CodePage932.h"
#include "platform/Numeric.h"
#include "platform/ProfileFile.h"

namespace {
const QString kSource = QStringLiteral("PrivateProfile");
constexpr int kBufferBytes = 100;
// Paths are read whole: a Linux path may be 4,096 bytes, three times that
// percent-encoded.
constexpr int kPathBufferBytes = 16 * 1024;
// Marks a path kept as percent-encoded UTF-8. "<" and ">" cannot stand in a
// Windows path; a path that does start with it is encoded too, so that the
// marker never needs guessing.
const QString kUtf8Marker = QStringLiteral("<utf8>");

bool FitsCodePage(const QString &s) {
    return cp932::Decode(cp932::Encode(s)) == s;
}
} // namespace

const QString PrivateProfile::Sentinel = QStringLiteral("!!ERROR!!");

PrivateProfile::PrivateProfile() : m_iniFilename(MakeIniFilename()) {}

QString PrivateProfile::MakeIniFilename() {
    return apppaths::SettingsFile(appinfo::ExecutableName() + QStringLiteral(".INI"));
}

QString PrivateProfile::StripNull(const QString &s) {
    const qsizetype p = s.indexOf(QChar(0));
    return p < 0 ? s : s.left(p);
}

QString PrivateProfile::BoolToString(bool bVal) {
    return bVal ? QStringLiteral("True") : QStringLiteral("False");
}

bool PrivateProfile::StringToBool(const QString &s) {
    return s.toUpper() == u"TRUE";
}

QString PrivateProfile::GetString(const QString &sSection, const QString &sKey,
                                  const Default &sDefault) const {
    QString value = StripNull(
        profile::ReadString(m_iniFilename, sSection, sKey, sDefault.Text(), kBufferBytes));
    if (value == Sentinel) {
        throw AppError(ErrorMissing, QString(),
                       m_iniFilename + QStringLiteral("にｾｸｼｮﾝ\"") + sSection +
                           QStringLiteral("\",ｷｰ\"") + sKey + QStringLiteral("\"が見つかりません"));
    }
    return value;
}

void PrivateProfile::WriteString(const QString &sSection, const QString &sKey,
                                 const QString &sVal) const {
    profile::WriteString(m_iniFilename, sSection, sKey, sVal);
}

QString PrivateProfile::GetPath(const QString &sSection, const QString &sKey,
                                const Default &sDefault) const {
    QString value = StripNull(
        profile::ReadString(m_iniFilename, sSection, sKey, sDefault.Text(), kPathBufferBytes));
    if (!value.startsWith(kUtf8Marker)) {
        return value;
    }
    return QString::fromUtf8(
        QByteArray::fromPercentEncoding(value.mid(kUtf8Marker.size()).toLatin1()));
}

void PrivateProfile::WritePath(const QString &sSection, const QString &sKey,
                               const QString &sPath) const {
    // A line end would end the entry: such a path is stored encoded too.
    const bool lineEnd = sPath.contains(u'\r') || sPath.contains(u'\n');
    if (!lineEnd && FitsCodePage(sPath) && !sPath.startsWith(kUtf8Marker)) {
        WriteString(sSection, sKey, sPath);
        return;
    }
    WriteString(sSection, sKey,
                kUtf8Marker + QString::fromLatin1(sPath.toUtf8().toPercentEncoding("/")));
}

double PrivateProfile::ToNumber(const QString &sSection, const QString &sKey,
                                const QString &sText) const {
    const std::optional<double> value = numeric::ParseNumber(sText);
    if (!value) {
        throw AppError(AppError::TypeMismatch, kSource,
                       QStringLiteral("型が一致しません: %1 のセクション \"%2\" のキー \"%3\" の値 "
                                      "\"%4\" は数値ではありません")
                           .arg(m_iniFilename, sSection, sKey, sText));
    }
    return *value;
}

void PrivateProfile::RaiseOverflow(const QString &sSection, const QString &sKey,
                                   const QString &sText) const {
    throw AppError::overflow(kSource,
                             QStringLiteral("%1 のセクション \"%2\" のキー \"%3\" の値 \"%4\" "
                                            "は範囲外です")
                                 .arg(m_iniFilename, sSection, sKey, sText));
}

int32_t PrivateProfile::ToLong(const QString &sSection, const QString &sKey,
                               const QString &sText) const {
    const std::optional<int32_t> n = numeric::ToInt32(ToNumber(sSection, sKey, sText));
    if (!n) {
        RaiseOverflow(sSection, sKey, sText);
    }
    return *n;
}

int32_t PrivateProfile::GetLong(const QString &sSection, const QString &sKey,
                                std::optional<int32_t> lDefault) const {
    const QString text =
        lDefault ? GetString(sSection, sKey, *lDefault) : GetString(sSection, sKey, Sentinel);
    return ToLong(sSection, sKey, text);
}

int16_t PrivateProfile::GetInt(const QString &sSection, const QString &sKey,
                               std::optional<int16_t> iDefault) const {
    const QString text = iDefault ? GetString(sSection, sKey, int32_t{*iDefault})
                                  : GetString(sSection, sKey, Sentinel);
    const std::optional<int16_t> n = numeric::ToInt16(ToNumber(sSection, sKey, text));
    if (!n) {
        RaiseOverflow(sSection, sKey, text);
    }
    return *n;
}

bool PrivateProfile::GetBoolean(const QString &sSection, const QString &sKey,
                                std::optional<bool> bDefault) const {
    const QString text = bDefault ? GetString(sSection, sKey, BoolToString(*bDefault))
                                  : GetString(sSection, sKey, Sentinel);
    return StringToBool(text);
}

void PrivateProfile::WriteLong(const QString &sSection, const QString &sKey, int32_t lVal) const {
    WriteString(sSection, sKey, QString::number(lVal));
}

void PrivateProfile::WriteInt(const QString &sSection, const QString &sKey, int16_t iVal) const {
    WriteString(sSection, sKey, QString::number(iVal));
}

void PrivateProfile::WriteBoolean(const QString &sSection, const QString &sKey, bool bVal) const {
    WriteString(sSection, sKey, BoolToString(bVal));
}

void PrivateProfile::SetFont(const QString &sSection, Font &fnt) const {
    fnt.SetBold(GetBoolean(sSection, QStringLiteral("Bold"), fnt.Bold()));
    fnt.SetCharset(GetInt(sSection, QStringLiteral("Charset"), fnt.Charset()));
    fnt.SetItalic(GetBoolean(sSection, QStringLiteral("Italic"), fnt.Italic()));
    fnt.SetName(GetString(sSection, QStringLiteral("Name"), fnt.Name()));
    fnt.SetSize(GetLong(sSection, QStringLiteral("Size"), fnt.RoundedSize()));
    fnt.SetStrikethrough(
        GetBoolean(sSection, QStringLiteral("Strikethrough"), fnt.Strikethrough()));
    fnt.SetUnderline(GetBoolean(sSection, QStringLiteral("Underline"), fnt.Underline()));
    const int32_t weight = GetLong(sSection, QStringLiteral("Weight"), int32_t{fnt.Weight()});
    if (weight < INT16_MIN || weight > INT16_MAX) {
        RaiseOverflow(sSection, QStringLiteral("Weight"), QString::number(weight));
    }
    fnt.SetWeight(static_cast<int16_t>(weight));
}

void PrivateProfile::WriteFont(const QString &sSection, const Font &fnt) const {
    WriteBoolean(sSection, QStringLiteral("Bold"), fnt.Bold());
    WriteString(sSection, QStringLiteral("Charset"), QString::number(fnt.Charset()));
    WriteBoolean(sSection, QStringLiteral("Italic"), fnt.Italic());
    WriteString(sSection, QStringLiteral("Name"), fnt.Name());
    WriteLong(sSection, QStringLiteral("Size"), fnt.RoundedSize());
    WriteBoolean(sSection, QStringLiteral("Strikethrough"), fnt.Strikethrough());
    WriteBoolean(sSection, QStringLiteral("Underline"), fnt.Underline());
    WriteLong(sSection, QStringLiteral("Weight"), fnt.Weight());
}
