// Writes the site's page and stylesheet with the title window already in
// them, so that the browser paints it while parsing, before any script. The
// window is built by the program's own start, StartTour, run here on the
// recording back end of the page's elements (runtime/web/dom_markup.cpp):
// the served markup is what the program builds, and the program takes these
// elements over when it starts. Styles the program sets on an element become
// rules appended to the stylesheet: the page's policy allows no style
// attributes.
// Usage: title_page PAGE_IN PAGE_OUT STYLESHEET_IN STYLESHEET_OUT
// PAGE_IN holds the line "<!-- the title window -->" where the window goes.
#include "runtime/web/application.h"
#include "runtime/web/dom_markup.h"
#include "scenes/catalogue.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

constexpr std::string_view kPlace = "<!-- the title window -->";

bool Read(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return bool(in);
}

bool Write(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out.flush());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: title_page PAGE_IN PAGE_OUT STYLESHEET_IN STYLESHEET_OUT\n");
        return 2;
    }
    std::string page, stylesheet;
    if (!Read(argv[1], page) || !Read(argv[3], stylesheet)) {
        std::fprintf(stderr, "title_page: cannot read %s or %s\n", argv[1], argv[3]);
        return 1;
    }
    const std::size_t place = page.find(kPlace);
    if (place == std::string::npos) {
        std::fprintf(stderr, "title_page: %s has no place for the title window\n", argv[1]);
        return 1;
    }
    using namespace varn::web;
    StartTour(varn::scenes::All(), {});
    page.replace(place, kPlace.size(), dom::InnerHtml(dom::kBody));
    try {
        stylesheet += "\n/* The title window as served, placed and lettered as the program does"
                      " it (written when the site is built). */\n" +
                      dom::StyleRules(dom::kBody);
    } catch (const std::runtime_error& error) {
        std::fprintf(stderr, "title_page: %s\n", error.what());
        return 1;
    }
    if (!Write(argv[2], page) || !Write(argv[4], stylesheet)) {
        std::fprintf(stderr, "title_page: cannot write %s or %s\n", argv[2], argv[4]);
        return 1;
    }
    return 0;
}
