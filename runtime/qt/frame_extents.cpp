#include "runtime/qt/frame_extents.h"

#include <QGuiApplication>
#include <QMargins>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>
#include <xcb/xcb.h>

namespace varn::qt {

namespace {

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, name.size(), name.data()),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

Owned<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                         xcb_atom_t property, xcb_atom_t type) {
    return {xcb_get_property_reply(connection,
                                   xcb_get_property(connection, 0, window, property, type, 0, 1024),
                                   nullptr),
            &std::free};
}

// Whether the window manager lists the atom among what it supports.
bool Supports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t wanted) {
    const auto supported =
        Property(connection, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (!supported || supported->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
    const int count = xcb_get_property_value_length(supported.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == wanted)
            return true;
    return false;
}

// The frame's left, right, top and bottom widths, once the window manager has set them.
std::optional<QMargins> FrameExtents(xcb_connection_t* connection, xcb_window_t window,
                                     xcb_atom_t extents) {
    const auto reply = Property(connection, window, extents, XCB_ATOM_CARDINAL);
    if (!reply || reply->format != 32 || reply->value_len != 4)
        return std::nullopt;
    const auto* sides = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(sides[0]), int(sides[2]), int(sides[1]), int(sides[3]));
}

} // namespace

std::optional<QMargins> FrameBeforeShowing(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const Owned<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr), &std::free);
    if (!tree)
        return std::nullopt;
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    if (const auto known = FrameExtents(connection, id, extents))
        return *known;
    if (!Supports(connection, tree->root, request))
        return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    // A window manager answers within a few milliseconds; one that does not
    // costs a tenth of a second once, and the window is centred without it.
    using namespace std::chrono_literals;
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (const auto answered = FrameExtents(connection, id, extents))
            return *answered;
        std::this_thread::sleep_for(5ms);
    }
    return std::nullopt;
}

} // namespace varn::qt
