#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>

namespace cdr::cli {

// Where a command's results and messages go. Messages always go to standard error, one line each. With --json
// every command prints one JSON document on standard output, on one line: its result, or when it has none, the first
// failure as {"error": {"kind": ..., "message": ..., ...}}.
class ToolOutput {
public:
    ToolOutput(std::ostream& out, std::ostream& err, bool json);

    bool json() const { return json_; }
    // Standard output, for results as text.
    std::ostream& out() { return out_; }

    // A line on standard error, "cdr55p4w-cli: TEXT".
    void note(const std::string& text);
    // A failure: its text on standard error; the first one is kept for the JSON error, with `details` added to it.
    void fail(const std::string& kind, const std::string& text,
              const nlohmann::ordered_json& details = nlohmann::ordered_json::object());
    // The command's JSON result on standard output.
    void result(const nlohmann::ordered_json& document);
    // With --json and no result given: the first failure, if any, as the error document.
    void finish();

private:
    std::ostream& out_;
    std::ostream& err_;
    bool json_;
    bool resultGiven_ = false;
    std::optional<nlohmann::ordered_json> firstError_;
};

}  // namespace cdr::cli
