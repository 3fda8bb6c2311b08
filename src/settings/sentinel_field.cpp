#include "settings/sentinel_field.h"

namespace cdr {

std::u16string fieldCaption(SentinelField field) {
    std::u16string caption = field.kind == SentinelKind::Start ? u"Track Start Sentinel" : u"Track End Sentinel";
    caption += u", Track";
    caption += static_cast<char16_t>(u'1' + field.track);
    return caption;
}

RefusedSentinel refuseSentinel(SentinelField field, std::u16string_view reason) {
    return {field, fieldCaption(field) + u": " + std::u16string(reason)};
}

}  // namespace cdr
