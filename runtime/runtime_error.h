// The run-time error raised when a window operation fails. Nothing in the
// program recovers from it: it is reported and the program ends.
#pragma once

#include "runtime/platform.h"

#include <stdexcept>
#include <string>

namespace varn {

// How the program ends when it cannot go on, on every platform: a failed
// window operation, or no display to open windows on.
inline constexpr int kRuntimeErrorExitStatus = 1;
inline constexpr int kNoDisplayExitStatus = 2;
// The title of the message box that reports a run-time error.
inline constexpr char kRuntimeErrorTitle[] = "Varn's House \u2014 Run-time error";

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
