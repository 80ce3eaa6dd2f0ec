// Prints the map of the tour as a Graphviz graph, read from the compiled scene
// tables: one node per scene, with its window caption where that differs from
// the scene's name, and one edge per item whose click moves to another scene,
// labelled with the item's caption. Moves that hide the old scene before
// showing the new one are drawn dashed.
// Usage: transition_map > map.dot && dot -Tpng map.dot > map.png
#include "scenes/catalogue.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

// A DOT string literal; line breaks in the text become centred label lines.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out + '"';
}

} // namespace

int main() {
    using varn::ClickAction;
    std::cout << "digraph tour {\n"
                 "  rankdir=LR;\n"
                 "  label=\"Dashed: the old scene is hidden before the new one is shown\";\n"
                 "  fontname=\"DejaVu Sans\";\n"
                 "  fontsize=10;\n"
                 "  node [shape=box, style=rounded, fontname=\"DejaVu Sans\"];\n"
                 "  edge [fontname=\"DejaVu Sans\", fontsize=10];\n";
    for (const varn::Scene* scene : varn::scenes::All()) {
        const std::string name(varn::SceneName(scene->id));
        std::string label = name;
        if (scene->caption != name)
            label += "\n\"" + std::string(scene->caption) + "\"";
        std::cout << "  " << name << " [label=" << Quoted(label) << "];\n";
    }
    for (const varn::Scene* scene : varn::scenes::All()) {
        for (const varn::SceneItem& item : scene->items) {
            if (item.action.kind != ClickAction::Kind::GoTo)
                continue;
            std::cout << "  " << varn::SceneName(scene->id) << " -> "
                      << varn::SceneName(item.action.target) << " [label=" << Quoted(item.caption);
            if (item.action.order == varn::TransitionOrder::HideThenShow)
                std::cout << ", style=dashed";
            std::cout << "];\n";
        }
    }
    std::cout << "}\n";
    return std::cout.good() ? 0 : 1;
}
