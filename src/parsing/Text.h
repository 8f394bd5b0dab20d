// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Walks a text line by line. Only CR LF ends a line; a lone CR or LF is an
// ordinary character.
class Text {
public:
    void SetText(const QString &sText);

    // The line at the position, without its CR LF; the position stays.
    QString CurrentLine() const;
    // CurrentLine, then the position moves past the line and its CR LF.
    QString NextLine();
    bool EndOfText() const;
    // Removes every CR LF pair at the end of the text.
    void RemoveLastCrLf();

private:
    QString m_text;
    qsizetype m_position = 1; // 1-based start of the current line
};
