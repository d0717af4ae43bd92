#include "platform/qt/BareX11.h"

#include <QApplication>
#include <QCursor>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace dravelo::platform::qt {

namespace {

// An EWMH window manager names a window of its own on the root window,
// which names itself again; one that has gone leaves a stale name behind.
constexpr char kWindowManagerCheck[] = "_NET_SUPPORTING_WM_CHECK";

template <class Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
XcbReply<Reply> owned(Reply* reply)
{
    return {reply, &std::free};
}

// The window that this window's check property names, or none.
xcb_window_t namedWindow(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t check)
{
    xcb_generic_error_t* error = nullptr;
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, check, XCB_ATOM_WINDOW, 0, 1), &error));
    std::free(error); // a window that no longer exists
    if (!reply || xcb_get_property_value_length(reply.get()) != sizeof(xcb_window_t))
        return XCB_WINDOW_NONE;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

} // namespace

bool isBareX11(QWidget& window)
{
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return false; // Wayland: the compositor maximizes
    xcb_connection_t* connection = x11->connection();
    const auto atom = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, true, std::strlen(kWindowManagerCheck), kWindowManagerCheck),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return true; // no client ever named the property
    const auto tree = owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window.winId()), nullptr));
    if (!tree)
        return false;
    const xcb_window_t manager = namedWindow(connection, tree->root, atom->atom);
    return manager == XCB_WINDOW_NONE || namedWindow(connection, manager, atom->atom) != manager;
}

void focusWindowInFront(QWidget& hidden)
{
    if (!isBareX11(hidden))
        return;
    if (QWidget* front = QApplication::topLevelAt(QCursor::pos()); front && front != &hidden)
        front->activateWindow();
}

} // namespace dravelo::platform::qt
