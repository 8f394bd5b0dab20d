// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/Token.h"

#include "platform/AppError.h"
#include "platform/CodePage932.h"

#include <algorithm>

Token::Token() : m_separator(QStringLiteral(" \t\u3000")) {}

void Token::CheckLineLength(const QString &sLine) {
    if (sLine.size() > INT16_MAX) {
        throw AppError::overflow(
            QStringLiteral("Token"),
            QStringLiteral("1 行が 32767 文字を越えています (%1 文字)").arg(sLine.size()));
    }
}

void Token::SetSource(const QString &sSource) {
    CheckLineLength(sSource);
    m_source = sSource;
    m_length = static_cast<int32_t>(sSource.size());
    m_measured = false;
}

bool Token::IsSeparatorChar(QChar c) const {
    // The set is a handful of characters: a plain loop beats a library search.
    for (QChar s : m_separator) {
        if (s == c) {
            return true;
        }
    }
    return false;
}

QString Token::FirstToken() {
    m_scan = 1;
    return NextToken();
}

QString Token::NextToken() {
    int32_t i = m_scan;
    while (i <= m_length && IsSeparatorChar(m_source[i - 1])) {
        ++i;
    }
    if (i > m_length) {
        m_scan = i;
        return {};
    }
    m_start = i;
    while (i <= m_length && !IsSeparatorChar(m_source[i - 1])) {
        ++i;
    }
    m_end = i;
    m_scan = i;
    return m_source.mid(m_start - 1, m_end - m_start);
}

int16_t Token::BytesOfFirst(int32_t chars) const {
    if (!m_measured) {
        m_prefixBytes = basString::PrefixColumns(m_source, m_rule);
        m_measured = true;
    }
    const auto last = static_cast<int32_t>(m_prefixBytes.size()) - 1;
    const int32_t n = std::clamp(chars, 0, last);
    const int32_t bytes = m_prefixBytes[static_cast<size_t>(n)];
    if (bytes > INT16_MAX) {
        throw AppError::overflow(
            QStringLiteral("Token"),
            QStringLiteral("桁位置が 32767 バイトを越えています (%1 バイト目)").arg(bytes));
    }
    return static_cast<int16_t>(bytes);
}

int16_t Token::TokenStartPositionB() const {
    return BytesOfFirst(m_start);
}

int16_t Token::TokenEndPositionB() const {
    return BytesOfFirst(m_end - 1);
}
