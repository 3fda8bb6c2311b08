#include "presenter/control_table.h"

#include <algorithm>
#include <cmath>

namespace cdr {

std::optional<ControlId> controlNamed(std::string_view name) {
    const auto table = mainWindowControls();
    const auto found = std::ranges::find(table, name, &ControlSpec::name);
    if (found == table.end()) {
        return std::nullopt;
    }
    return ControlId::of(*found);
}

std::optional<ControlId> containerOf(ControlId control) {
    const char* container = control.spec().container;
    return container == nullptr ? std::nullopt : controlNamed(container);
}

bool inDiagnosticPanel(ControlId control) {
    const std::optional<ControlId> container = containerOf(control);
    return container ? inDiagnosticPanel(*container) : control.spec().hidden;
}

int twipsToPixels(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel)); }

}  // namespace cdr
