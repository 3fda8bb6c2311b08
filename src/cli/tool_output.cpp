#include "cli/tool_output.h"

namespace cdr::cli {

ToolOutput::ToolOutput(std::ostream& out, std::ostream& err, bool json) : out_(out), err_(err), json_(json) {}

void ToolOutput::note(const std::string& text) { err_ << "cdr55p4w-cli: " << text << '\n'; }

void ToolOutput::fail(const std::string& kind, const std::string& text, const nlohmann::ordered_json& details) {
    note(text);
    if (firstError_) return;
    nlohmann::ordered_json error = {{"kind", kind}, {"message", text}};
    error.update(details);
    firstError_ = std::move(error);
}

void ToolOutput::result(const nlohmann::ordered_json& document) {
    out_ << document.dump() << '\n' << std::flush;
    resultGiven_ = true;
}

void ToolOutput::finish() {
    if (json_ && !resultGiven_ && firstError_) {
        out_ << nlohmann::ordered_json{{"error", *firstError_}}.dump() << '\n' << std::flush;
    }
}

}  // namespace cdr::cli
