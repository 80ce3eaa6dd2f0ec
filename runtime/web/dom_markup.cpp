#include "runtime/web/dom_markup.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

namespace varn::web::dom {

namespace {

// Names and values, in the order first set.
using Entries = std::vector<std::pair<std::string, std::string>>;

struct Element {
    std::string tag;
    Node parent = kNoNode;
    std::vector<Node> children;
    Entries attributes;
    Entries style;
    std::string text;
    bool removed = false;
};

struct Page {
    std::vector<Element> elements{3}; // no element, the document, the body
    Node focused = kNoNode;
};

Page& ThePage() {
    static Page page;
    return page;
}

Element* Find(Node node) {
    Page& page = ThePage();
    if (node <= kDocument || node >= Node(page.elements.size()) || page.elements[node].removed)
        return node == kDocument ? &page.elements[kDocument] : nullptr;
    return &page.elements[node];
}

template <class List> auto Entry(List& list, std::string_view name) {
    return std::find_if(list.begin(), list.end(),
                        [name](const auto& entry) { return entry.first == name; });
}

void Put(Entries& list, std::string_view name, std::string_view value) {
    if (auto found = Entry(list, name); found != list.end())
        found->second = value;
    else
        list.emplace_back(name, value);
}

const std::string* Attribute(const Element& element, std::string_view name) {
    const auto found = Entry(element.attributes, name);
    return found == element.attributes.end() ? nullptr : &found->second;
}

std::string Escaped(std::string_view text, bool quoted) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"' && quoted)
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

bool IsVoid(std::string_view tag) {
    static const std::set<std::string_view> kVoid{"area",  "br",   "col",  "embed",  "hr", "img",
                                                  "input", "link", "meta", "source", "wbr"};
    return kVoid.contains(tag);
}

void Write(Node node, std::string& out) {
    const Element& element = *Find(node);
    out += "<" + element.tag;
    for (const auto& [name, value] : element.attributes)
        out += " " + name + (value.empty() ? "" : "=\"" + Escaped(value, true) + "\"");
    if (ThePage().focused == node)
        out += " autofocus";
    out += ">";
    if (IsVoid(element.tag))
        return;
    out += Escaped(element.text, false);
    for (Node child : element.children)
        Write(child, out);
    out += "</" + element.tag + ">";
}

// The element's place from the nearest element that names its scene, as a
// selector more specific than any of the stylesheet's own.
std::string Selector(Node node) {
    const Element& element = *Find(node);
    if (const std::string* scene = Attribute(element, "data-scene"))
        return element.tag + "[data-scene=\"" + *scene + "\"]";
    if (element.parent <= kBody)
        throw std::runtime_error("a style set outside any scene's window, on a " + element.tag);
    const auto& siblings = Find(element.parent)->children;
    const auto index = std::find(siblings.begin(), siblings.end(), node) - siblings.begin();
    return Selector(element.parent) + " > " + element.tag + ":nth-child(" +
           std::to_string(index + 1) + ")";
}

void WriteRules(Node node, std::string& out) {
    const Element& element = *Find(node);
    if (!element.style.empty()) {
        out += Selector(node) + " {";
        for (const auto& [property, value] : element.style)
            out += " " + property + ": " + value + ";";
        out += " }\n";
    }
    for (Node child : element.children)
        WriteRules(child, out);
}

} // namespace

Node Create(std::string_view tag, Node parent, Namespace) {
    Page& page = ThePage();
    if (Find(parent) == nullptr)
        return kNoNode;
    const Node node = Node(page.elements.size());
    page.elements.push_back({std::string(tag), parent, {}, {}, {}, {}, false});
    page.elements[parent].children.push_back(node);
    return node;
}

Node Create(std::string_view tag, Node parent, std::string_view cssClass) {
    const Node node = Create(tag, parent);
    SetAttribute(node, "class", cssClass);
    return node;
}

void Remove(Node node) {
    Element* element = Find(node);
    if (element == nullptr || node <= kBody)
        return;
    auto& siblings = ThePage().elements[element->parent].children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
    element->removed = true;
}

bool SetAttribute(Node node, std::string_view name, std::string_view value) {
    Element* element = Find(node);
    if (element != nullptr)
        Put(element->attributes, name, value);
    return element != nullptr;
}

bool SetStyle(Node node, std::string_view property, std::string_view value) {
    Element* element = Find(node);
    if (element != nullptr)
        Put(element->style, property, value);
    return element != nullptr;
}

bool SetText(Node node, std::string_view text) {
    Element* element = Find(node);
    if (element == nullptr)
        return false;
    for (Node child : element->children)
        ThePage().elements[child].removed = true;
    element->children.clear();
    element->text = text;
    return true;
}

bool SetValue(Node node, std::string_view value) {
    return SetText(node, value); // a text area's served value is its content
}

bool SetHidden(Node node, bool hidden) {
    Element* element = Find(node);
    if (element == nullptr)
        return false;
    auto& list = element->attributes;
    if (auto found = Entry(list, "hidden"); found != list.end())
        list.erase(found);
    if (hidden)
        list.emplace_back("hidden", "");
    return true;
}

bool ShowModal(Node) {
    return false;
}

bool IsShown(Node node) {
    for (; node > kBody; node = Find(node)->parent)
        if (Find(node) == nullptr || Attribute(*Find(node), "hidden") != nullptr)
            return false;
    return node == kBody;
}

void Focus(Node node) {
    ThePage().focused = node;
}

Node FocusedNode() {
    return ThePage().focused;
}

// Nothing is laid out, drawn or listened to here.
bool SetImage(Node, const void*, std::size_t, std::string_view) {
    return true;
}
void CapturePointer(Node, int) {}
void DrawIcon(Node) {}
Box Bounds(Node) {
    return {};
}
Box Viewport() {
    return {};
}
void Listen(Node, std::string_view, Listener) {}
void StopListening() {}
void FinishAdopting() {}
void RegisterServiceWorkerAfterFirstPaint(std::string_view) {}

std::string InnerHtml(Node node) {
    std::string out;
    for (Node child : Find(node)->children)
        Write(child, out);
    return out;
}

std::string StyleRules(Node node) {
    std::string out;
    for (Node child : Find(node)->children)
        WriteRules(child, out);
    return out;
}

} // namespace varn::web::dom
