#include "presenter/connect_caption.h"

#include <algorithm>

namespace cdr {

namespace {

constexpr std::u16string_view kNotConnectedCaption = u"CONNECT";

char16_t upperCase(char16_t character) {
    return character >= u'a' && character <= u'z' ? static_cast<char16_t>(character - u'a' + u'A') : character;
}

}  // namespace

bool readsConnect(std::u16string_view caption) {
    return std::ranges::equal(caption, kNotConnectedCaption, {}, upperCase);
}

}  // namespace cdr
