#pragma once

// The regular-expression object of this platform, in the shape of the
// automation class "VBScript.RegExp": the properties IgnoreCase, Multiline,
// Global and Pattern, written by name, and Execute, which returns a
// collection of matches. Patterns follow the JScript dialect and match over
// UTF-16, the strings of that class, so a surrogate pair is one character and
// a double-byte character of a Text, once converted, never looks like a digit
// or a letter. Unlike the automation class it needs no per-thread
// initialisation, and no pattern or subject can make Execute run unbounded.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fernwick::platform {

// One member of a match collection: what Item(i).Value reads.
struct RegExpMatch {
    std::u16string value;
};

class RegExpMatchCollection {
public:
    explicit RegExpMatchCollection(std::vector<RegExpMatch> matches) : matches_(std::move(matches)) {}

    int count() const;
    // The match at a 0-based index, as Item counts; null outside 0..count()-1.
    const RegExpMatch* item(int index) const;

private:
    std::vector<RegExpMatch> matches_;
};

class RegExp {
public:
    // Writes the flag "IgnoreCase", "Multiline" or "Global". Names are
    // compared ignoring ASCII case, as automation names are. Any other name
    // (the class has no "Singleline") is refused with false and changes
    // nothing.
    bool set_bool_property(std::u16string_view name, bool value);
    // Writes "Pattern"; false for any other name.
    bool set_text_property(std::u16string_view name, std::u16string_view value);

    // Runs the pattern over the subject: every non-overlapping match from left
    // to right with Global, only the first without. No collection when the
    // pattern does not compile or the search exceeds its work limits.
    std::optional<RegExpMatchCollection> execute(std::u16string_view subject) const;

private:
    bool ignore_case_ = false;
    bool multiline_ = false;
    bool global_ = false;
    std::u16string pattern_;
};

} // namespace fernwick::platform
