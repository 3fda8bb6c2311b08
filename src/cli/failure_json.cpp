#include "cli/failure_json.h"

namespace cdr::cli {

nlohmann::json failureJson(const std::string& path, const ReaderFailure& failure) {
    nlohmann::json json{{"kind", failureKindName(failure.kind)}, {"message", failureText(failure)}, {"path", path}};
    if (failure.kind == FailureKind::Refused) {
        json["status"] = failure.status;
    }
    if (failure.cause.code != 0 || !failure.cause.text.empty()) {
        json["system"] = {{"code", failure.cause.code}, {"text", failure.cause.text}};
    }
    return json;
}

}  // namespace cdr::cli
