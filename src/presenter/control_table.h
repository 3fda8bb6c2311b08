#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace cdr {

enum class ControlKind {
    GroupBox,
    EdgeCaptionGroupBox,  // a group box captioned by the control that lies across its top edge
    Container,            // a group box without caption or border that enables the settings area as a whole
    Label,
    TextField,
    CheckBox,
    OptionButton,
    Button,
    DropDownList,
    ListBox,
    Timer,
    FileDialog,
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kNoTabIndex = -1;

// One control of the main window as it is loaded. Positions and sizes are in twips from the top-left corner of
// the container (nullptr: the window); a negative top lays the control across the top edge of its group box.
// Array elements are named as "txtSS(0)".
struct ControlSpec {
    const char* name;
    ControlKind kind;
    const char* container;
    const char* caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    bool hidden;
};

// Every control of the main window, in the order of the window's control collection.
std::span<const ControlSpec> mainWindowControls();

// A control's position in that order by its name; nullopt for a name the table does not hold.
std::optional<std::size_t> controlIndex(std::string_view name);

// Whether a control belongs to the diagnostic panel: hidden as loaded and placed on the window itself, or inside
// such a control.
bool inDiagnosticPanel(const ControlSpec& spec);

// Twips to pixels at 15 twips per pixel, rounded to the nearest pixel.
int twipsToPixels(int twips);

}  // namespace cdr
