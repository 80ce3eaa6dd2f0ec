// The run-time error raised when a window operation fails. Nothing in the
// program recovers from it: it is reported and the program ends.
#pragma once

#include "runtime/platform.h"

#include <stdexcept>
#include <string>

namespace varn {

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(std::string operation, SceneId scene, std::string detail);

    const std::string& Operation() const { return operation_; }
    SceneId Scene() const { return scene_; }

  private:
    std::string operation_;
    SceneId scene_;
};

// Throws RuntimeError naming the operation when the status reports a failure.
void Check(const Status& status, const char* operation, SceneId scene);

} // namespace varn
