#include "utility/StringsNoCase.h"

#include "utility/Strings.h"
#include "utility/Utf8Win.h"

bool StartsWithNoCase(std::string_view prefix, std::string_view text) {
    if (text.size() < prefix.size()) {
        return false;
    }
    // A cut through a multi-byte character lower-cases to "?" and so does not match.
    return Utf8LowerCase(text.substr(0, prefix.size())) == Utf8LowerCase(prefix);
}

std::string RemovePrefix(std::string_view text, std::string_view prefix, bool caseSensitive) {
    return RemovePrefixWith(text, prefix,
                            caseSensitive ? CaseSensitiveStartsWith : StartsWithNoCase);
}
