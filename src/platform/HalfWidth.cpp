// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HalfWidth.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>

namespace halfwidth {
namespace {

icu::Transliterator *Transliterator() {
    thread_local std::unique_ptr<icu::Transliterator> t = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> created(icu::Transliterator::createInstance(
            icu::UnicodeString("Fullwidth-Halfwidth"), UTRANS_FORWARD, status));
        if (U_FAILURE(status) || !created) {
            throw std::runtime_error("ICU transliterator Fullwidth-Halfwidth is not available");
        }
        return created;
    }();
    return t.get();
}

} // namespace

QString ToHalfWidth(const QString &text) {
    // The transliterator touches nothing below U+1100 (Hangul jamo) (a test holds this), and
    // chord names are mostly ASCII: skip the costly call for them.
    bool plain = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x1100) {
            plain = false;
            break;
        }
    }
    if (plain) {
        return text;
    }
    icu::UnicodeString s(reinterpret_cast<const UChar *>(text.utf16()),
                         static_cast<int32_t>(text.size()));
    Transliterator()->transliterate(s);
    return QString(reinterpret_cast<const QChar *>(s.getBuffer()), s.length());
}

} // namespace halfwidth
