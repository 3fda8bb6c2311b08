#include "cli/failure_json.h"

namespace cdr::cli {

nlohmann::ordered_json failureDetails(const std::string& path, const ReaderFailure& failure) {
    nlohmann::ordered_json details{{"path", path}};
    if (failure.kind == FailureKind::Refused) {
        details["status"] = failure.status;
    }
    if (failure.cause.code != 0 || !failure.cause.text.empty()) {
        details["system"] = {{"code", failure.cause.code}, {"text", failure.cause.text}};
    }
    return details;
}

}  // namespace cdr::cli
