#include "runtime/runtime_error.h"

namespace varn {

namespace {
std::string Describe(const std::string& operation, SceneId scene, const std::string& detail) {
    std::string message =
        "Run-time error: " + operation + " failed for " + std::string(SceneName(scene));
    if (!detail.empty())
        message += ": " + detail;
    return message;
}
} // namespace

RuntimeError::RuntimeError(std::string operation, SceneId scene, std::string detail)
    : std::runtime_error(Describe(operation, scene, detail)), operation_(std::move(operation)),
      scene_(scene) {}

void Check(const Status& status, const char* operation, SceneId scene) {
    if (!status.ok)
        throw RuntimeError(operation, scene, status.detail);
}

} // namespace varn
