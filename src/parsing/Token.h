// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parsing/basString.h"

#include <QString>

#include <cstdint>
#include <vector>

// Splits one line into maximal runs of non-separator characters and reports
// where each lies in byte columns of the line's code page 932 form.
class Token {
public:
    Token();

    const QString &Separator() const { return m_separator; }
    void SetSeparator(const QString &sSeparator) { m_separator = sSeparator; }

    // Sets the line; the scan position stays (call FirstToken). A line of
    // more than 32,767 characters raises error 6.
    void SetSource(const QString &sSource);
    // A line longer than 32,767 characters is refused (error 6), whatever
    // kind of sheet it is in.
    static void CheckLineLength(const QString &sLine);
    // How characters count in columns (code page bytes unless set); applies
    // from the next SetSource.
    void SetColumnRule(basString::ColumnRule rule) {
        m_rule = rule;
        m_measured = false;
    }

    QString FirstToken();
    QString NextToken();

    // 1-based byte column of the last token's first character (of its second
    // byte when it is a double-byte character) and of its last byte.
    int16_t TokenStartPositionB() const;
    int16_t TokenEndPositionB() const;
    // 1-based character index of the last token's first character.
    int32_t TokenStart() const { return m_start; }

private:
    bool IsSeparatorChar(QChar c) const;
    int16_t BytesOfFirst(int32_t chars) const;

    QString m_source;
    // 1-based character indexes; held in 32 bits so that "length + 1" of a
    // full 32,767-character line cannot wrap.
    int32_t m_length = 0;
    int32_t m_start = 0;
    int32_t m_end = 0;
    int32_t m_scan = 1;
    QString m_separator;
    // Columns of every prefix, worked out at the first column asked for: a
    // line only read for its words needs none.
    mutable std::vector<int32_t> m_prefixBytes;
    mutable bool m_measured = false;
    basString::ColumnRule m_rule = basString::ColumnRule::CodePage;
};
