// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppError.h"

#include <utility>

AppError::AppError(int32_t number, QString source, QString description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)),
      m_what(m_description.toStdString()) {}

AppError AppError::overflow(const QString &source, const QString &what) {
    return AppError(Overflow, source, QStringLiteral("オーバーフローしました: ") + what);
}
