// The placement rules both window layers share, checked on the scene tables
// themselves at several screen resolutions. Built for Linux and for Windows
// (where it runs under Wine), so both compilers' builds are held to them.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "runtime/geometry.h"
#include "scenes/catalogue.h"

#include <doctest/doctest.h>

#include <string_view>
#include <vector>

using namespace varn;

namespace {

const Scene& SceneOf(SceneId id) {
    for (const Scene* scene : scenes::All())
        if (scene->id == id)
            return *scene;
    throw std::logic_error("no such scene");
}

std::string_view LabelNameAt(SceneId scene, int x, int y, int dpi) {
    const SceneItem* label = LabelAt(SceneOf(scene), x, y, dpi);
    return label != nullptr ? label->name : "none";
}

} // namespace

TEST_CASE("twips become whole pixels at every resolution, halves away from zero") {
    struct Row {
        int twips, dpi, pixels;
    };
    for (const Row row : {Row{4680, 96, 312},
                          {3090, 96, 206},
                          {1680, 96, 112},
                          {255, 96, 17},
                          {4680, 144, 468},
                          {3090, 144, 309},
                          {255, 144, 26},
                          {1680, 120, 140},
                          {3090, 120, 258},
                          {4680, 192, 624},
                          {7, 96, 0},
                          {8, 96, 1},
                          {-15, 96, -1},
                          {-8, 96, -1}}) {
        CAPTURE(row.twips);
        CAPTURE(row.dpi);
        CHECK(TwipsToPixels(row.twips, row.dpi) == row.pixels);
    }
    // Pen widths follow the resolution but never vanish.
    CHECK(ScalePixels(3, 96) == 3);
    CHECK(ScalePixels(3, 144) == 5);
    CHECK(ScalePixels(1, 120) == 1);
    CHECK(ScalePixels(1, 144) == 2);
}

TEST_CASE("a label takes clicks up to its last pixel, and no further") {
    struct Row {
        SceneId scene;
        int x, y, dpi;
        std::string_view label;
    };
    using enum SceneId;
    for (const Row row : {
             Row{Form2, 208, 112, 96, "Label2"}, // "512", top-left corner
             {Form2, 232, 128, 96, "Label2"},    // bottom-right corner
             {Form2, 233, 128, 96, "none"},
             {Form2, 207, 112, 96, "none"},
             {Form2, 312, 168, 144, "Label2"}, // the same corners at 144 dpi
             {Form2, 349, 193, 144, "Label2"},
             {Form2, 350, 193, 144, "none"},
             {Form2, 100, 150, 96, "Label1"}, // the street name: a label, without action
             {Form7, 56, 80, 96, "Label1"},   // "TV is here"
             {Form7, 80, 144, 96, "Label1"},
             {Form7, 55, 80, 96, "none"},     // the rectangle it stands in
             {Form3, 236, 80, 96, "none"},    // the car's outline around "TR-6"
             {Form3, 248, 136, 96, "Label2"}, // "TR-6", bottom-right corner
         }) {
        CAPTURE(SceneName(row.scene));
        CAPTURE(row.x);
        CAPTURE(row.y);
        CAPTURE(row.dpi);
        CHECK(LabelNameAt(row.scene, row.x, row.y, row.dpi) == row.label);
    }
}

TEST_CASE("Tab walks buttons and text boxes by tab index; the picture has no tab stop") {
    struct Row {
        SceneId scene;
        std::vector<std::string_view> order;
    };
    using enum SceneId;
    for (const Row& row : {
             Row{Form1, {"Command1"}},
             {Form4, {"Command1", "Text1"}},
             {Form5, {"Text1", "Command1"}},
             {Form9, {"Text1", "Command1"}},
             {Form7, {"Command1", "Command2", "Command3", "Command4", "Command5"}},
         }) {
        CAPTURE(SceneName(row.scene));
        std::vector<std::string_view> order;
        for (const SceneItem* item : TabOrder(SceneOf(row.scene)))
            order.push_back(item->name);
        CHECK(order == row.order);
    }
}

TEST_CASE("a centred window sits in the middle of the work area, rounded down") {
    CHECK(CentredOrigin({0, 0, 1024, 768}, 320, 140) == Origin{352, 314});
    CHECK(CentredOrigin({0, 30, 1024, 738}, 320, 140) == Origin{352, 329});
    CHECK(CentredOrigin({1920, 0, 1280, 1024}, 321, 235) == Origin{2399, 394});
    // A window larger than the area hangs over both edges alike.
    CHECK(CentredOrigin({0, 0, 800, 600}, 1000, 700) == Origin{-100, -50});
}
