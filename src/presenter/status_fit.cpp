#include "presenter/status_fit.h"

#include <algorithm>
#include <vector>

namespace cdr {

namespace {

constexpr std::u16string_view kEllipsis = u"\u2026";

bool isTrailingSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The positions at which the text can be cut without splitting a character, from 0 to its size.
std::vector<std::size_t> characterBoundaries(std::u16string_view text) {
    std::vector<std::size_t> boundaries;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (at == 0 || !isTrailingSurrogate(text[at])) {
            boundaries.push_back(at);
        }
    }
    boundaries.push_back(text.size());
    return boundaries;
}

}  // namespace

std::u16string elideMiddle(std::u16string_view text, int room, const TextMeasure& measure) {
    if (measure(text) <= room) {
        return std::u16string(text);
    }
    const std::vector<std::size_t> cuts = characterBoundaries(text);
    const std::size_t characters = cuts.size() - 1;
    for (std::size_t kept = characters; kept-- > 0;) {
        const std::size_t head = (kept + 1) / 2;
        const std::size_t tail = kept - head;
        std::u16string candidate(text.substr(0, cuts[head]));
        candidate += kEllipsis;
        candidate += text.substr(cuts[characters - tail]);
        if (measure(candidate) <= room) {
            return candidate;
        }
    }
    return {};
}

std::u16string elideRight(std::u16string_view text, int room, const TextMeasure& measure) {
    if (measure(text) <= room) {
        return std::u16string(text);
    }
    const std::vector<std::size_t> cuts = characterBoundaries(text);
    for (std::size_t kept = cuts.size() - 1; kept-- > 0;) {
        std::u16string candidate(text.substr(0, cuts[kept]));
        candidate += kEllipsis;
        if (measure(candidate) <= room) {
            return candidate;
        }
    }
    return {};
}

std::u16string fitStatusText(std::u16string_view text, std::u16string_view fileName, int room,
                             const TextMeasure& measure) {
    if (fileName.empty()) {
        return elideRight(text, room, measure);
    }
    const auto filledIn = [text](std::u16string_view name) {
        std::u16string line(text);
        if (const auto placeholder = line.find(u"%1"); placeholder != std::u16string::npos) {
            line.replace(placeholder, 2, name);
        }
        return line;
    };
    const int rest = measure(filledIn(u""));
    return elideRight(filledIn(elideMiddle(fileName, std::max(0, room - rest), measure)), room, measure);
}

}  // namespace cdr
