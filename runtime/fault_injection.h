// A platform wrapper that makes one chosen window operation fail, for tests
// of the failure path. Calls are named like "Show Form3", "Create Form9" or
// "Write Form2.Label3"; the named call reports a failure instead of running,
// every other call passes through; a hook may look at the program after each
// scene shown. Not part of the shipped program.
#pragma once

#include "runtime/platform.h"

#include <functional>
#include <string>

namespace varn {

inline std::string CallName(std::string_view operation, SceneId id, std::string_view label = {}) {
    std::string name(operation);
    name += ' ';
    name += SceneName(id);
    if (!label.empty()) {
        name += '.';
        name += label;
    }
    return name;
}

class FaultInjectingPlatform : public Platform {
  public:
    FaultInjectingPlatform(Platform& inner, std::string failOn)
        : inner_(inner), failOn_(std::move(failOn)) {}

    Status CreateScene(const Scene& scene) override {
        return Fails(CallName("Create", scene.id)) ? Injected() : inner_.CreateScene(scene);
    }
    Status ShowScene(SceneId id) override {
        if (Fails(CallName("Show", id)))
            return Injected();
        Status shown = inner_.ShowScene(id);
        if (shown.ok && afterShow)
            afterShow(id);
        return shown;
    }
    Status HideScene(SceneId id) override {
        return Fails(CallName("Hide", id)) ? Injected() : inner_.HideScene(id);
    }
    Status ReadCaption(SceneId id, std::string_view label, std::string& caption) override {
        return Fails(CallName("Read", id, label)) ? Injected()
                                                  : inner_.ReadCaption(id, label, caption);
    }
    Status WriteCaption(SceneId id, std::string_view label, std::string_view caption) override {
        return Fails(CallName("Write", id, label)) ? Injected()
                                                   : inner_.WriteCaption(id, label, caption);
    }

    // Chooses the call that fails from now on.
    void FailOn(std::string call) { failOn_ = std::move(call); }

    // Runs after every scene shown, with the tour at rest between moves.
    std::function<void(SceneId)> afterShow;

  private:
    bool Fails(const std::string& call) const { return call == failOn_; }
    static Status Injected() { return Status::Failed("injected failure"); }

    Platform& inner_;
    std::string failOn_;
};

} // namespace varn
