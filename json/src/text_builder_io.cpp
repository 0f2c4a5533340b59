// The builder's formatting and file operations.

#include "json/text_builder.h"

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale.h>
#include <string>
#include <system_error>

#include "platform/codepage.h"

namespace fernwick {

namespace {

// sprintf follows the thread's locale, and the desktop toolkit switches the
// process to the user's, whose decimal point may be a comma. Formatting runs
// in the "C" locale for as long as this object lives.
class ClassicLocaleScope {
public:
    ClassicLocaleScope() : previous_(uselocale(classic())) {}
    ~ClassicLocaleScope() { uselocale(previous_); }
    ClassicLocaleScope(const ClassicLocaleScope&) = delete;
    ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;

private:
    // Created once; a failure gives the null locale, with which uselocale
    // changes nothing.
    static locale_t classic()
    {
        static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
        return locale;
    }

    locale_t previous_;
};

} // namespace

bool TextBuilder::appendFormatted(const char* format, ...)
{
    const ClassicLocaleScope classic_locale;
    va_list values;
    va_start(values, format);
    va_list measured;
    va_copy(measured, values);
    const int needed = std::vsnprintf(nullptr, 0, format, measured);
    va_end(measured);
    std::string formatted(needed > 0 ? static_cast<std::size_t>(needed) : 0, '\0');
    if (needed > 0)
        std::vsnprintf(formatted.data(), formatted.size() + 1, format, values);
    va_end(values);
    return append(formatted);
}

bool TextBuilder::loadFile(const Text& path)
{
    const std::filesystem::path name(platform::text_to_utf8(path));
    std::error_code ignored;
    // A directory opens for reading here but holds no bytes to read.
    if (std::filesystem::is_directory(name, ignored))
        return false;
    std::ifstream file(name, std::ios::binary);
    if (!file)
        return false;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    setText(bytes);
    return true;
}

bool TextBuilder::saveFile(const Text& path) const
{
    std::ofstream file(std::filesystem::path(platform::text_to_utf8(path)), std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(block_.data(), static_cast<std::streamsize>(length_));
    file.close();
    return length_ > 0 && !file.fail();
}

} // namespace fernwick
