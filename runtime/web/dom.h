// The page's elements as the web layer sees them: numbered handles to
// elements, made, changed and listened to through a few small JavaScript
// functions compiled into the program. Nothing else in the program touches
// the page. A call that the page refuses reports it (a zero handle or false)
// rather than throwing inside JavaScript.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace varn::web::dom {

using Node = int; // 0 is no element
inline constexpr Node kNoNode = 0;
// Handles that always exist: the document (for page-wide keys) and its body.
inline constexpr Node kDocument = 1;
inline constexpr Node kBody = 2;

enum class Namespace { Html, Svg };

// Makes an element and appends it to `parent`; kNoNode if the page refused.
Node Create(std::string_view tag, Node parent, Namespace ns = Namespace::Html);
// The same, an HTML element of the given class (or classes, space-separated).
Node Create(std::string_view tag, Node parent, std::string_view cssClass);
// Takes the element (and everything in it) out of the page and forgets it.
void Remove(Node node);

bool SetAttribute(Node node, std::string_view name, std::string_view value);
bool SetStyle(Node node, std::string_view property, std::string_view value);
bool SetText(Node node, std::string_view text);
// The element's text box contents, for text areas.
bool SetValue(Node node, std::string_view value);
bool SetHidden(Node node, bool hidden);
// Opens a <dialog> modally: the rest of the page takes no input until it closes.
bool ShowModal(Node node);
bool IsShown(Node node); // in the page and drawn
void Focus(Node node);
Node FocusedNode(); // the focused element if it has a handle, else kNoNode
// Shows `size` bytes as the element's image (an <img>), with this MIME type.
bool SetImage(Node node, const void* bytes, std::size_t size, std::string_view mime);
void CapturePointer(Node node, int pointerId);
// Draws the program's icon, decoded before the program started, into a
// <canvas>: there in the element's first frame, and redrawn sharp whenever
// the screen's scale changes.
void DrawIcon(Node canvas);

struct Box {
    double left = 0, top = 0, width = 0, height = 0;
};
Box Bounds(Node node); // on the page, in CSS pixels
Box Viewport();

// What a listener is told of an event. Positions are the page's, in CSS pixels.
struct Event {
    double x = 0, y = 0;
    int button = 0; // 0 is the main button
    int pointerId = 0;
    bool shift = false;
    bool tab = false;         // the key is Tab
    bool onControl = false;   // it happened on a button, text box or picture
    bool fromPointer = false; // a click made by a pointer, not by a key or assistive technology
    int part = -1; // the data-part number of the nearest element around the target that has one
    bool activate = false; // the key is Enter or Space
    int arrow = 0;         // +1 for the Right or Down arrow key, -1 for Left or Up
};
// A listener returns true when it handled the event: the page's own
// response to it (focus moves, text selection, scrolling) is then cancelled.
using Listener = std::function<bool(const Event&)>;
void Listen(Node node, std::string_view type, Listener listener);
// Drops every listener the program added, wherever it was.
void StopListening();

// The page as served may already hold the elements the program builds
// first (the title window, written into the page when the site is built):
// until this is called, Create takes each served element in turn, where it
// is what would have been made, rather than making a new one. This ends
// that: served elements not taken go, and a press on a served button made
// before the program ran is carried out now.
void FinishAdopting();

// Registers the site's service worker once the next frame has been painted.
// A browser that refuses (a private window, a page served neither over HTTPS
// nor from this computer) simply plays online.
void RegisterServiceWorkerAfterFirstPaint(std::string_view script);

} // namespace varn::web::dom
