#pragma once

#include <cstddef>
#include <array>
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

// A control's place in twips, from the top-left corner of its container's client area.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    constexpr bool operator==(const TwipsRect&) const = default;
};

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

    constexpr TwipsRect rect() const { return {left, top, width, height}; }
};

namespace control_table_detail {

using enum ControlKind;

inline constexpr bool kHidden = true;
inline constexpr bool kShown = false;

// Every control of the main window, in the order of the window's control collection.
inline constexpr std::array kControls{
    ControlSpec{"fraSendAndReceive", GroupBox, nullptr, "Send and Receive Data", 180, 90, 8715, 855, 5, kShown},
    ControlSpec{"cmdRead", Button, "fraSendAndReceive", "Read Setting Config", 360, 330, 2205, 465, 11, kShown},
    ControlSpec{"cmdWrite", Button, "fraSendAndReceive", "Write Setting Config", 2535, 330, 2205, 465, 10, kShown},
    ControlSpec{"cmdVersion", Button, "fraSendAndReceive", "Version", 4740, 330, 1785, 465, 12, kShown},
    ControlSpec{"cmdOnce", Button, "fraSendAndReceive", "Connect", 6930, 330, 1635, 435, 6, kShown},
    ControlSpec{"cmdContinuous", Button, "fraSendAndReceive", "Continuous", 5850, -60, 1452, 372, 7, kHidden},
    ControlSpec{"frmSet", Container, nullptr, "", 180, 990, 8715, 3885, 13, kShown},
    ControlSpec{"Frame6", GroupBox, "frmSet", "", 210, 0, 6405, 585, 43, kShown},
    ControlSpec{"txtMsg", Label, "Frame6", "", 150, 180, 6165, 315, 44, kShown},
    ControlSpec{"cmdDefault", Button, "frmSet", "Factory Reset", 6900, 60, 1605, 465, 45, kShown},
    ControlSpec{"Frame1", GroupBox, "frmSet", "TRACK", 150, 690, 1845, 1545, 39, kShown},
    ControlSpec{"chkTrack(0)", CheckBox, "Frame1", "TRACK 1", 300, 270, 1185, 285, 42, kShown},
    ControlSpec{"chkTrack(1)", CheckBox, "Frame1", "TRACK 2", 300, 660, 1155, 225, 41, kShown},
    ControlSpec{"chkTrack(2)", CheckBox, "Frame1", "TRACK 3", 300, 1050, 1155, 225, 40, kShown},
    ControlSpec{"Frame3", EdgeCaptionGroupBox, "frmSet", "", 2040, 690, 2595, 1545, 28, kShown},
    ControlSpec{"chkStart", CheckBox, "Frame3", "Track Start Sentinel", 150, -60, 2325, 405, 29, kShown},
    ControlSpec{"Label1(0)", Label, "Frame3", "Track1", 510, 390, 570, 180, 35, kShown},
    ControlSpec{"Label1(1)", Label, "Frame3", "Track2", 510, 765, 570, 180, 34, kShown},
    ControlSpec{"Label1(2)", Label, "Frame3", "Track3", 510, 1140, 570, 180, 33, kShown},
    ControlSpec{"txtSS(0)", TextField, "Frame3", "", 1230, 330, 855, 345, 32, kShown},
    ControlSpec{"txtSS(1)", TextField, "Frame3", "", 1230, 675, 855, 345, 31, kShown},
    ControlSpec{"txtSS(2)", TextField, "Frame3", "", 1230, 1020, 855, 345, 30, kShown},
    ControlSpec{"Frame4", EdgeCaptionGroupBox, "frmSet", "", 4680, 690, 2475, 1545, 20, kShown},
    ControlSpec{"chkEnd", CheckBox, "Frame4", "Track End Sentinel", 90, -60, 2175, 345, 24, kShown},
    ControlSpec{"Label1(3)", Label, "Frame4", "Track1", 330, 360, 570, 180, 27, kShown},
    ControlSpec{"Label1(4)", Label, "Frame4", "Track2", 330, 735, 570, 180, 26, kShown},
    ControlSpec{"Label1(5)", Label, "Frame4", "Track3", 330, 1110, 570, 180, 25, kShown},
    ControlSpec{"txtES(0)", TextField, "Frame4", "", 990, 330, 825, 345, 23, kShown},
    ControlSpec{"txtES(1)", TextField, "Frame4", "", 990, 675, 825, 345, 22, kShown},
    ControlSpec{"txtES(2)", TextField, "Frame4", "", 990, 1020, 825, 345, 21, kShown},
    ControlSpec{"cmdLoad", Button, "frmSet", "Load Config", 7230, 750, 1305, 645, 15, kShown},
    ControlSpec{"cmdSave", Button, "frmSet", "Save Config", 7230, 1410, 1305, 705, 14, kShown},
    ControlSpec{"Frame2", GroupBox, "frmSet", "Card Read Format", 120, 2310, 2175, 1455, 36, kShown},
    ControlSpec{"optFormat(0)", OptionButton, "Frame2", "ISO", 300, 360, 1305, 315, 38, kShown},
    ControlSpec{"optFormat(1)", OptionButton, "Frame2", "AAMVA", 300, 750, 1305, 315, 37, kShown},
    ControlSpec{"Frame5", GroupBox, "frmSet", "Enter", 2340, 2310, 6255, 1455, 16, kShown},
    ControlSpec{"optCR(0)", OptionButton, "Frame5", "None", 540, 270, 2835, 345, 17, kShown},
    ControlSpec{"optCR(1)", OptionButton, "Frame5", "Append Enter(CR) after each track card data ", 540, 600, 4335, 345,
                18, kShown},
    ControlSpec{"optCR(2)", OptionButton, "Frame5", "Append Enter(CR) after card data ", 540, 930, 3675, 345, 19,
                kShown},
    ControlSpec{"CommonDialog1", FileDialog, nullptr, "", 0, 0, 0, 0, kNoTabIndex, kShown},
    ControlSpec{"lstResults", ListBox, nullptr, "", 9030, 120, 5445, 4560, 0, kHidden},
    ControlSpec{"fraBytesReceived", GroupBox, nullptr, "Bytes Received", 9060, 1830, 1452, 1692, 2, kHidden},
    ControlSpec{"txtBytesReceived", TextField, "fraBytesReceived", "", 270, 360, 915, 1095, 3, kShown},
    ControlSpec{"fraBytesToSend", GroupBox, nullptr, "Bytes to Send", 9000, 3570, 2172, 1692, 1, kHidden},
    ControlSpec{"cboByte0", DropDownList, "fraBytesToSend", "", 420, 330, 1212, 300, 9, kShown},
    ControlSpec{"cboByte1", DropDownList, "fraBytesToSend", "", 420, 810, 1212, 300, 8, kShown},
    ControlSpec{"chkAutoincrement", CheckBox, "fraBytesToSend", "Autoincrement values", 240, 1200, 2412, 372, 4,
                kShown},
    ControlSpec{"tmrContinuousDataCollect", Timer, nullptr, "", 0, 0, 0, 0, kNoTabIndex, kShown},
};

consteval std::size_t positionOf(std::string_view name) {
    for (std::size_t index = 0; index < kControls.size(); ++index) {
        if (name == kControls[index].name) {
            return index;
        }
    }
    throw "the control table holds no control of this name";
}

// Every container a control names is a control of the table.
consteval bool containersKnown() {
    for (const ControlSpec& spec : kControls) {
        if (spec.container != nullptr) {
            positionOf(spec.container);
        }
    }
    return true;
}
static_assert(containersKnown());

}  // namespace control_table_detail

// Every control of the main window, in the order of the window's control collection.
constexpr std::span<const ControlSpec> mainWindowControls() { return control_table_detail::kControls; }

// One control of the main window. It is made from a name the table holds ("cmdOnce", "txtSS(0)"), and that name is
// looked up when the program is compiled: a misspelt name does not compile.
class ControlId {
public:
    template <std::size_t N>
    consteval ControlId(const char (&name)[N]) : index_(control_table_detail::positionOf(name)) {}

    // The control at a position of the table, which must be below its size.
    static constexpr ControlId at(std::size_t index) { return ControlId(index); }
    // The control that a row of the table describes.
    static ControlId of(const ControlSpec& spec) {
        return ControlId(static_cast<std::size_t>(&spec - mainWindowControls().data()));
    }

    constexpr std::size_t index() const { return index_; }
    constexpr const ControlSpec& spec() const { return mainWindowControls()[index_]; }
    constexpr std::string_view name() const { return spec().name; }
    constexpr bool operator==(const ControlId&) const = default;

private:
    constexpr explicit ControlId(std::size_t index) : index_(index) {}
    std::size_t index_;
};

// A control by a name known only at run time (a test's, a container's); nullopt for a name the table does not hold.
std::optional<ControlId> controlNamed(std::string_view name);
// The container of a control; nullopt for a control placed on the window itself.
std::optional<ControlId> containerOf(ControlId control);

// Whether a control belongs to the diagnostic panel: hidden as loaded and placed on the window itself, or inside
// such a control.
bool inDiagnosticPanel(ControlId control);

// Twips to pixels at 15 twips per pixel, rounded to the nearest pixel.
int twipsToPixels(int twips);

}  // namespace cdr
