// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage932.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace cp932 {
namespace {

struct ConverterCloser {
    void operator()(UConverter *c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr OpenConverter() {
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr conv(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status) || !conv) {
        throw std::runtime_error("ICU converter windows-31j is not available");
    }
    // The original platform wrote "?" for what the code page lacks.
    ucnv_setSubstChars(conv.get(), "?", 1, &status);
    ucnv_setFallback(conv.get(), false);
    return conv;
}

// Converters are not thread-safe; the UI thread and each test thread get their own.
UConverter *Converter() {
    thread_local ConverterPtr conv = OpenConverter();
    return conv.get();
}

// Byte width of every BMP unit, read from the converter one block of 256
// units at a time when a unit of that block is first met: a sheet touches a
// few blocks, and start-up need not convert all 65,536 units.
class WidthTable {
public:
    uint8_t operator[](char16_t u) {
        const size_t block = u >> 8;
        if (!m_ready[block].load(std::memory_order_acquire)) {
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_ready[block].load(std::memory_order_relaxed)) {
                Fill(block);
                m_ready[block].store(true, std::memory_order_release);
            }
        }
        return m_width[u];
    }
    // False for a unit the code page lacks (it became "?").
    bool Encodable(char16_t u) {
        (*this)[u];
        return !m_lacking[u];
    }
    // True when decoding the unit's bytes gives the unit back.
    bool RoundTrips(char16_t u) {
        (*this)[u];
        return m_stable[u];
    }

private:
    void Fill(size_t block) {
        const auto first = static_cast<uint32_t>(block << 8);
        if (first >= 0xD800 && first <= 0xDFFF) {
            // Lone surrogates are illegal input and become one "?".
            for (uint32_t u = first; u < first + 256; ++u) {
                m_width[u] = 1;
                m_lacking[u] = true;
            }
            return;
        }
        std::array<UChar, 256> units{};
        for (uint32_t i = 0; i < 256; ++i) {
            units[i] = static_cast<UChar>(first + i);
        }
        std::array<char, 512 + 16> out{};
        std::array<int32_t, 512 + 16> offsets{};
        ConverterPtr conv = OpenConverter();
        char *target = out.data();
        const UChar *source = units.data();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_fromUnicode(conv.get(), &target, out.data() + out.size(), &source,
                         units.data() + units.size(), offsets.data(), true, &status);
        if (U_FAILURE(status)) {
            throw std::runtime_error("ICU conversion to windows-31j failed");
        }
        const auto written = static_cast<size_t>(target - out.data());
        for (size_t i = 0; i < written; ++i) {
            const uint32_t u = first + static_cast<uint32_t>(offsets[i]);
            ++m_width[u];
            // The substitute "?" stands for a unit the code page lacks.
            m_lacking[u] = out[i] == '?' && u != u'?';
        }
        // Ignorable units vanish, and a few private-use units share bytes with
        // a standard character.
        size_t at = 0;
        for (uint32_t i = 0; i < 256; ++i) {
            const uint32_t u = first + i;
            const size_t width = m_width[u];
            if (width > 0 && !m_lacking[u]) {
                std::array<UChar, 4> back{};
                UErrorCode err = U_ZERO_ERROR;
                const int32_t n = ucnv_toUChars(conv.get(), back.data(), back.size(),
                                                out.data() + at, static_cast<int32_t>(width), &err);
                m_stable[u] = U_SUCCESS(err) && n == 1 && back[0] == units[i];
            }
            at += width;
        }
    }

    std::array<uint8_t, 0x10000> m_width{};
    std::array<bool, 0x10000> m_lacking{};
    std::array<bool, 0x10000> m_stable{};
    std::array<std::atomic<bool>, 256> m_ready{};
    std::mutex m_mutex;
};

WidthTable &Widths() {
    static WidthTable table;
    return table;
}

} // namespace

QByteArray Encode(const QString &text) {
    if (text.isEmpty()) {
        return {};
    }
    UConverter *conv = Converter();
    const auto length = static_cast<int32_t>(text.size());
    // One unit never yields more than two bytes.
    QByteArray out(static_cast<qsizetype>(length) * 2 + 2, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n =
        ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()),
                        reinterpret_cast<const UChar *>(text.utf16()), length, &status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("ICU conversion to windows-31j failed");
    }
    out.truncate(n);
    return out;
}

QString Decode(const char *bytes, qsizetype length) {
    if (length <= 0) {
        return {};
    }
    UConverter *conv = Converter();
    // One byte never yields more than one unit.
    QString out(length + 1, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n =
        ucnv_toUChars(conv, reinterpret_cast<UChar *>(out.data()), static_cast<int32_t>(out.size()),
                      bytes, static_cast<int32_t>(length), &status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("ICU conversion from windows-31j failed");
    }
    out.truncate(n);
    return out;
}

QString Decode(const QByteArray &bytes) {
    return Decode(bytes.constData(), bytes.size());
}

qsizetype ByteLength(const QChar *text, qsizetype length) {
    WidthTable &table = Widths();
    qsizetype total = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < length &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            total += 1; // a supplementary character: one "?"
            ++i;
        } else {
            total += table[u];
        }
    }
    return total;
}

qsizetype ByteLength(const QString &text) {
    return ByteLength(text.constData(), text.size());
}

bool RoundTrips(const QString &text) {
    WidthTable &table = Widths();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x80 && !table.RoundTrips(u)) {
            return false;
        }
    }
    return true;
}

namespace {

// Prefix sums of the units' widths: a unit the code page has counts its
// bytes; anything else (a supplementary character counted at its high half)
// what `lacking` says.
template <typename Lacking> std::vector<int32_t> Prefix(const QString &text, Lacking lacking) {
    WidthTable &table = Widths();
    const qsizetype length = text.size();
    std::vector<int32_t> prefix(static_cast<size_t>(length) + 1);
    int32_t total = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isLowSurrogate(u) && i > 0 && QChar::isHighSurrogate(text[i - 1].unicode())) {
            // The pair was counted at its high half.
        } else if (!QChar::isSurrogate(u) && table.Encodable(u)) {
            total += table[u];
        } else {
            char32_t c = u;
            if (QChar::isHighSurrogate(u) && i + 1 < length &&
                QChar::isLowSurrogate(text[i + 1].unicode())) {
                c = QChar::surrogateToUcs4(u, text[i + 1].unicode());
            }
            total += lacking(c);
        }
        prefix[static_cast<size_t>(i) + 1] = total;
    }
    return prefix;
}

} // namespace

std::vector<int32_t> PrefixByteLengths(const QString &text) {
    // What the code page lacks becomes one "?".
    return Prefix(text, [](char32_t) { return 1; });
}

std::vector<int32_t> PrefixColumns(const QString &text) {
    return Prefix(text, UnicodeWidth);
}

int UnicodeWidth(char32_t c) {
    const auto type = static_cast<UCharCategory>(u_charType(static_cast<UChar32>(c)));
    if (type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK || type == U_FORMAT_CHAR) {
        return 0;
    }
    const auto width = u_getIntPropertyValue(static_cast<UChar32>(c), UCHAR_EAST_ASIAN_WIDTH);
    return width == U_EA_WIDE || width == U_EA_FULLWIDTH ? 2 : 1;
}

} // namespace cp932
