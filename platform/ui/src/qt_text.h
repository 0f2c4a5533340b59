#pragma once

// Texts at the toolkit's edge: code page 936 inside the program, UTF-16 in Qt.

#include <QString>

#include "platform/codepage.h"
#include "platform/text.h"

namespace fernwick::platform::ui {

inline QString to_qstring(const Text& text)
{
    const std::u16string units = text_to_utf16(text);
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

inline Text from_qstring(const QString& string)
{
    return text_from_utf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(string.utf16()), static_cast<std::size_t>(string.size())));
}

} // namespace fernwick::platform::ui
