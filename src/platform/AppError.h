// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <string>

// The one exception type of Tamblin. Numbers are the program's own 0x8004xxxx
// values as signed 32-bit, or the runtime's 6 (overflow), 13 (type mismatch),
// 53 (file not found) and so on.
class AppError : public std::exception {
public:
    AppError(int32_t number, QString source, QString description);

    int32_t Number() const { return m_number; }
    const QString &Source() const { return m_source; }
    const QString &Description() const { return m_description; }

    const char *what() const noexcept override { return m_what.c_str(); }

    // Runtime error numbers kept from the original platform.
    static constexpr int32_t Overflow = 6;
    static constexpr int32_t TypeMismatch = 13;
    static constexpr int32_t FileNotFound = 53;
    static constexpr int32_t PathNotFound = 76;
    static constexpr int32_t FileIo = 75;
    static constexpr int32_t DeviceIo = 57;
    static constexpr int32_t DuplicateKey = 457;
    static constexpr int32_t SubscriptOutOfRange = 9;
    static constexpr int32_t OutOfMemory = 7;

    // Error 6 with a Japanese description that says what overflowed.
    static AppError overflow(const QString &source, const QString &what);

private:
    int32_t m_number;
    QString m_source;
    QString m_description;
    std::string m_what;
};
