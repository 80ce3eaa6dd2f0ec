// A platform that records every call as a line of text (named as the fault
// injector names them), keeps label captions
// in memory, and can be told to fail one chosen call.
#pragma once

#include "runtime/fault_injection.h"
#include "runtime/platform.h"

#include <map>
#include <string>
#include <vector>

namespace varn::testing {

class FakePlatform : public Platform {
  public:
    std::vector<std::string> calls;
    std::string failOn;                          // the call, as recorded, that reports a failure
    std::map<std::string, std::string> captions; // "Form2.Label3" -> caption

    Status CreateScene(const Scene& scene) override { return Record(CallName("Create", scene.id)); }
    Status ShowScene(SceneId id) override { return Record(CallName("Show", id)); }
    Status HideScene(SceneId id) override { return Record(CallName("Hide", id)); }

    Status ReadCaption(SceneId id, std::string_view label, std::string& caption) override {
        const std::string key = Key(id, label);
        Status status = Record(CallName("Read", id, label));
        if (status.ok)
            caption = captions[key];
        return status;
    }
    Status WriteCaption(SceneId id, std::string_view label, std::string_view caption) override {
        const std::string key = Key(id, label);
        Status status = Record(CallName("Write", id, label) + "=" + std::string(caption));
        if (status.ok)
            captions[key] = caption;
        return status;
    }

  private:
    static std::string Key(SceneId id, std::string_view label) {
        return std::string(SceneName(id)) + "." + std::string(label);
    }
    Status Record(std::string call) {
        calls.push_back(call);
        return call == failOn ? Status::Failed("injected failure") : Status::Ok();
    }
};

} // namespace varn::testing
