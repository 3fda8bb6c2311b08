#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace cdr {

// Measures a text's width in a view's pixels.
using TextMeasure = std::function<int(std::u16string_view text)>;

// Shortens a text to `room` pixels by putting an ellipsis in place of characters from its middle, or from its end;
// a character is never cut in half. Unchanged when it fits.
std::u16string elideMiddle(std::u16string_view text, int room, const TextMeasure& measure);
std::u16string elideRight(std::u16string_view text, int room, const TextMeasure& measure);

// The status line that fits `room`, for a text whose first "%1" stands for a file name (an empty fileName names
// none and leaves the text as it is): the file name elided in the middle to the room the rest leaves it, and if
// the rest alone is too wide, the end elided.
std::u16string fitStatusText(std::u16string_view text, std::u16string_view fileName, int room,
                             const TextMeasure& measure);

}  // namespace cdr
