#include "app/font_config_warm_up.h"

#ifdef CDR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace cdr {

#ifdef CDR_HAVE_FONTCONFIG
namespace {

// A failure is left for the font database to meet and report when it reads the configuration itself.
std::string readConfigurationAndFindSansSerif() {
    if (FcInit() == FcFalse) {
        return {};
    }
    FcPattern* request = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    if (request == nullptr) {
        return {};
    }
    std::string family;
    FcConfigSubstitute(nullptr, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, request, &result)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch && name != nullptr) {
            family = reinterpret_cast<const char*>(name);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(request);
    return family;
}

}  // namespace

FontConfigWarmUp::FontConfigWarmUp() : reader_([this] { sansSerifFamily_ = readConfigurationAndFindSansSerif(); }) {}
#else
FontConfigWarmUp::FontConfigWarmUp() = default;
#endif

void FontConfigWarmUp::finish() {
    if (reader_.joinable()) {
        reader_.join();
    }
}

}  // namespace cdr
