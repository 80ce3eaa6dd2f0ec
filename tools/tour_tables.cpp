// Prints the compiled scene tables as JSON, and a walk through the house that
// takes every move between scenes at least once, for the end-to-end drivers of
// every platform (X, the accessibility bus, Windows, the browser): one
// description of the tour, read from the tables the programs are built from.
// tests/support/tour.json holds its output; a test keeps the two equal.
// Usage: tour_tables > tests/support/tour.json
#include "runtime/accessible_text.h"
#include "scenes/catalogue.h"

#include <cstdio>
#include <deque>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace varn;

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + '"';
}

std::string ColourText(const std::optional<varn::Colour>& colour) {
    if (!colour)
        return "null";
    char hex[16];
    std::snprintf(hex, sizeof hex, "\"#%02x%02x%02x\"", colour->Red(), colour->Green(),
                  colour->Blue());
    return hex;
}

std::string_view KindName(ItemKind kind) {
    switch (kind) {
    case ItemKind::CommandButton:
        return "CommandButton";
    case ItemKind::Label:
        return "Label";
    case ItemKind::TextBox:
        return "TextBox";
    case ItemKind::PictureBox:
        return "PictureBox";
    case ItemKind::Shape:
        return "Shape";
    case ItemKind::Line:
        return "Line";
    }
    return "?";
}

std::string_view OrderName(TransitionOrder order) {
    return order == TransitionOrder::ShowThenHide ? "ShowThenHide" : "HideThenShow";
}

std::string Action(const ClickAction& action) {
    switch (action.kind) {
    case ClickAction::Kind::None:
        break;
    case ClickAction::Kind::GoTo:
        return "{\"kind\": \"GoTo\", \"target\": " + Quoted(SceneName(action.target)) +
               ", \"order\": " + Quoted(OrderName(action.order)) + "}";
    case ClickAction::Kind::ToggleMarker:
        return "{\"kind\": \"ToggleMarker\", \"label\": " + Quoted(action.markerLabel) + "}";
    }
    return "null";
}

std::string Item(const SceneItem& item) {
    std::ostringstream out;
    const AccessibleText spoken = AccessibleTextOf(item);
    out << "{\"name\": " << Quoted(item.name) << ", \"kind\": " << Quoted(KindName(item.kind));
    if (item.kind == ItemKind::Line)
        out << ", \"line\": [" << item.line.x1 << ", " << item.line.y1 << ", " << item.line.x2
            << ", " << item.line.y2 << "], \"borderWidth\": " << item.borderWidth;
    else
        out << ", \"rect\": [" << item.rect.left << ", " << item.rect.top << ", " << item.rect.width
            << ", " << item.rect.height << "]";
    out << ", \"caption\": " << Quoted(item.caption) << ", \"text\": " << Quoted(item.text)
        << ", \"tabIndex\": " << item.tabIndex << ", \"backColor\": " << ColourText(item.backColor)
        << ", \"foreColor\": " << ColourText(item.foreColor)
        << ", \"graphical\": " << (item.style == ButtonStyle::Graphical ? "true" : "false")
        << ", \"mousePointer\": " << int(item.mousePointer)
        << ", \"alignment\": " << int(item.alignment)
        << ", \"transparent\": " << (item.backStyle == BackStyle::Transparent ? "true" : "false")
        << ", \"shape\": " << int(item.shape)
        << ", \"font\": " << (item.font ? Quoted(item.font->family) : "null")
        << ", \"accessibleName\": " << Quoted(spoken.name)
        << ", \"accessibleDescription\": " << Quoted(spoken.description)
        << ", \"action\": " << Action(item.action) << "}";
    return out.str();
}

struct Move {
    const Scene* from;
    const SceneItem* item;
};

// Every move, in the tables' order.
std::vector<Move> AllMoves() {
    std::vector<Move> moves;
    for (const Scene* scene : scenes::All())
        for (const SceneItem& item : scene->items)
            if (item.action.kind == ClickAction::Kind::GoTo)
                moves.push_back({scene, &item});
    return moves;
}

// From the title, again and again the shortest way to the nearest move not yet
// taken, then that move, until every move is taken.
std::vector<Move> Walk() {
    std::vector<Move> moves = AllMoves();
    std::vector<bool> taken(moves.size());
    std::vector<Move> walk;
    SceneId here = SceneId::Form1;
    for (std::size_t left = moves.size(); left > 0;) {
        // Breadth first over the moves, remembering how each scene was reached.
        std::map<SceneId, std::size_t> via; // scene -> index of the move that reached it
        std::deque<SceneId> queue{here};
        std::map<SceneId, bool> seen{{here, true}};
        std::size_t next = moves.size();
        while (!queue.empty() && next == moves.size()) {
            const SceneId at = queue.front();
            queue.pop_front();
            for (std::size_t i = 0; i < moves.size(); ++i) {
                if (moves[i].from->id != at)
                    continue;
                if (!taken[i]) {
                    next = i;
                    break;
                }
                const SceneId to = moves[i].item->action.target;
                if (!seen[to]) {
                    seen[to] = true;
                    via[to] = i;
                    queue.push_back(to);
                }
            }
        }
        if (next == moves.size())
            break; // the rest cannot be reached from here
        std::vector<std::size_t> path{next};
        for (SceneId at = moves[next].from->id; at != here; at = moves[via[at]].from->id)
            path.insert(path.begin(), via[at]);
        for (std::size_t i : path) {
            walk.push_back(moves[i]);
            if (!taken[i]) {
                taken[i] = true;
                --left;
            }
        }
        here = moves[next].item->action.target;
    }
    return walk;
}

} // namespace

int main() {
    std::cout << "{\n  \"scenes\": [";
    const char* sceneSeparator = "\n";
    for (const Scene* scene : scenes::All()) {
        std::cout << sceneSeparator << "    {\"id\": " << Quoted(SceneName(scene->id))
                  << ", \"caption\": " << Quoted(scene->caption)
                  << ", \"width\": " << scene->clientWidth
                  << ", \"height\": " << scene->clientHeight
                  << ", \"backColor\": " << ColourText(scene->backColor)
                  << ", \"startUpPosition\": " << scene->startUpPosition
                  << ", \"minButton\": " << (scene->minButton ? "true" : "false")
                  << ", \"maxButton\": " << (scene->maxButton ? "true" : "false")
                  << ", \"ending\": " << (scene->ending ? "true" : "false")
                  << ",\n     \"description\": " << Quoted(WindowDescription(*scene))
                  << ",\n     \"items\": [";
        const char* itemSeparator = "\n";
        for (const SceneItem& item : scene->items) {
            std::cout << itemSeparator << "       " << Item(item);
            itemSeparator = ",\n";
        }
        std::cout << "]}";
        sceneSeparator = ",\n";
    }
    std::cout << "],\n  \"messageBoxName\": " << Quoted(kMessageBoxAccessibleName);
    std::cout << ",\n  \"walk\": [";
    const char* moveSeparator = "\n";
    for (const Move& move : Walk()) {
        std::cout << moveSeparator << "    {\"from\": " << Quoted(SceneName(move.from->id))
                  << ", \"item\": " << Quoted(move.item->name)
                  << ", \"to\": " << Quoted(SceneName(move.item->action.target))
                  << ", \"order\": " << Quoted(OrderName(move.item->action.order)) << "}";
        moveSeparator = ",\n";
    }
    std::cout << "]\n}\n";
    return std::cout.good() ? 0 : 1;
}
