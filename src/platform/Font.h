// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

#include <cstdint>

// A font as the settings store and the cells know it: eight properties,
// shared by reference (std::shared_ptr<Font>) and turned into a QFont to draw.
class Font {
public:
    Font() = default;
    Font(const QString &sName, double dSize, bool bBold = false);

    const QString &Name() const { return m_name; }
    void SetName(const QString &sName) { m_name = sName; }
    double Size() const { return m_size; }
    void SetSize(double dSize) { m_size = dSize; }
    bool Bold() const { return m_bold; }
    // Bold sets Weight to 700 or 400.
    void SetBold(bool bBold);
    bool Italic() const { return m_italic; }
    void SetItalic(bool bItalic) { m_italic = bItalic; }
    bool Underline() const { return m_underline; }
    void SetUnderline(bool bUnderline) { m_underline = bUnderline; }
    bool Strikethrough() const { return m_strikethrough; }
    void SetStrikethrough(bool bStrikethrough) { m_strikethrough = bStrikethrough; }
    int16_t Weight() const { return m_weight; }
    // Weight sets Bold to weight >= 600.
    void SetWeight(int16_t iWeight);
    // Kept and stored, not used for drawing.
    int16_t Charset() const { return m_charset; }
    void SetCharset(int16_t iCharset) { m_charset = iCharset; }

    // Size in whole points, halves to even (10.5 gives 10).
    int32_t RoundedSize() const;

    QFont ToQFont() const;
    static Font FromQFont(const QFont &font);

    bool operator==(const Font &other) const = default;

private:
    QString m_name = QStringLiteral("Arial");
    double m_size = 9.75;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
    int16_t m_weight = 400;
    int16_t m_charset = 0;
};
