// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/Text.h"

void Text::SetText(const QString &sText) {
    m_text = sText;
    m_position = 1;
}

QString Text::CurrentLine() const {
    if (m_position > m_text.size()) {
        return {};
    }
    const qsizetype from = m_position - 1;
    const qsizetype k = m_text.indexOf(QStringLiteral("\r\n"), from);
    return k < 0 ? m_text.mid(from) : m_text.mid(from, k - from);
}

QString Text::NextLine() {
    QString line = CurrentLine();
    m_position += line.size() + 2;
    return line;
}

bool Text::EndOfText() const {
    return m_position > m_text.size();
}

void Text::RemoveLastCrLf() {
    while (m_text.endsWith(QStringLiteral("\r\n"))) {
        m_text.chop(2);
    }
}
