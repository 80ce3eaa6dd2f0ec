#include "scenes/catalogue.h"

#include <algorithm>

#include "runtime/scene_checks.h"
#include "scenes/form10_hallway.h"
#include "scenes/form1_title.h"
#include "scenes/form2_street.h"
#include "scenes/form3_driveway.h"
#include "scenes/form4_door_handle.h"
#include "scenes/form5_car.h"
#include "scenes/form6_unfinished.h"
#include "scenes/form7_ground_floor.h"
#include "scenes/form9_game.h"

namespace varn::scenes {

namespace {

constexpr const Scene* kScenes[] = {&kForm1, &kForm2, &kForm3, &kForm4, &kForm5,
                                    &kForm6, &kForm7, &kForm9, &kForm10};

static_assert(CoversEveryScene(kScenes), "one scene record per SceneId");
static_assert(std::all_of(std::begin(kScenes), std::end(kScenes),
                          [](const Scene* s) { return IsWellFormed(*s); }),
              "unique item names and tab indices; markers name a label of their scene");

} // namespace

std::span<const Scene* const> All() {
    return kScenes;
}

} // namespace varn::scenes
