#include "platform/x11/WindowProperties.h"

#include <utility>
#include <vector>

namespace platform::x11 {
namespace {

std::optional<std::string> ReadStringProperty(const Connection& connection, Window window,
                                              Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    ErrorTrap trap(connection.Get());
    int status = XGetWindowProperty(connection.Get(), window, property, 0, 4096, 0, AnyPropertyType,
                                    &type, &format, &count, &remaining, &data);
    if (trap.Failed() || status != Success || data == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (format == 8) {
        text = std::string(reinterpret_cast<const char*>(data), count);
    }
    XFree(data);
    return text;
}

// Where a window lies in the tree: its parent (0 for the root) and its children.
struct TreePlace {
    Window parent = 0;
    std::vector<Window> children;
};

// Empty when the window does not exist (any more).
std::optional<TreePlace> PlaceOf(const Connection& connection, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    ErrorTrap trap(connection.Get());
    if (XQueryTree(connection.Get(), window, &root, &parent, &children, &count) == 0) {
        return std::nullopt;
    }
    TreePlace place{parent, std::vector<Window>(children, children + count)};
    if (children != nullptr) {
        XFree(children);
    }
    return place;
}

// The window's parent; 0 when it has none or does not exist.
Window ParentOf(const Connection& connection, Window window) {
    std::optional<TreePlace> place = PlaceOf(connection, window);
    return place ? place->parent : 0;
}

std::vector<Window> ChildrenOf(const Connection& connection, Window window) {
    std::optional<TreePlace> place = PlaceOf(connection, window);
    return place ? std::move(place->children) : std::vector<Window>{};
}

bool HasProperty(const Connection& connection, Window window, Atom property) {
    int count = 0;
    ErrorTrap trap(connection.Get());
    Atom* atoms = XListProperties(connection.Get(), window, &count);
    bool found = false;
    for (int i = 0; i < count; ++i) {
        found = found || atoms[i] == property;
    }
    if (atoms != nullptr) {
        XFree(atoms);
    }
    return found;
}

bool Matches(const Connection& connection, Window window, const char* className,
             const char* title) {
    if (className != nullptr && ReadClass(connection, window) != className) {
        return false;
    }
    return title == nullptr || ReadTitle(connection, window) == title;
}

// A frame of a window manager holds the client window, the one with WM_STATE, below it.
std::optional<Window> ClientBelowFrame(const Connection& connection, Window frame) {
    for (Window child : ChildrenOf(connection, frame)) {
        if (HasProperty(connection, child, connection.Names().wmState)) {
            return child;
        }
    }
    return std::nullopt;
}

}  // namespace

void SetTitle(const Connection& connection, Window window, const std::string& title) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(title.data());
    int length = static_cast<int>(title.size());
    XChangeProperty(connection.Get(), window, XA_WM_NAME, XA_STRING, 8, PropModeReplace, bytes,
                    length);
    XChangeProperty(connection.Get(), window, connection.Names().netWmName,
                    connection.Names().utf8String, 8, PropModeReplace, bytes, length);
}

void SetClass(const Connection& connection, Window window, const std::string& className) {
    std::string both = className + '\0' + className + '\0';
    XChangeProperty(connection.Get(), window, XA_WM_CLASS, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(both.data()),
                    static_cast<int>(both.size()));
}

std::string ReadTitle(const Connection& connection, Window window) {
    std::optional<std::string> title =
        ReadStringProperty(connection, window, connection.Names().netWmName);
    if (!title) {
        title = ReadStringProperty(connection, window, XA_WM_NAME);
    }
    return title.value_or(std::string());
}

// WM_CLASS holds the instance name and the class name, each ended by a zero byte.
std::string ReadClass(const Connection& connection, Window window) {
    std::string both = ReadStringProperty(connection, window, XA_WM_CLASS).value_or("");
    size_t end = both.find('\0');
    if (end == std::string::npos) {
        return {};
    }
    std::string rest = both.substr(end + 1);
    return rest.substr(0, rest.find('\0'));
}

std::optional<Window> FindTopLevel(const Connection& connection, const char* className,
                                   const char* title) {
    for (Window window : ChildrenOf(connection, connection.Root())) {
        if (Matches(connection, window, className, title)) {
            return window;
        }
        std::optional<Window> client = ClientBelowFrame(connection, window);
        if (client && Matches(connection, *client, className, title)) {
            return client;
        }
    }
    return std::nullopt;
}

// Up from the window to the first that has WM_STATE (a client of the window manager), or else
// to the child of the root it lies in, or the client that child frames.
Window TopLevelOf(const Connection& connection, Window window) {
    Window current = window;
    for (;;) {
        if (HasProperty(connection, current, connection.Names().wmState)) {
            return current;
        }
        Window parent = ParentOf(connection, current);
        if (parent == 0) {
            return window;  // gone meanwhile: the window as it was asked for
        }
        if (parent == connection.Root()) {
            return ClientBelowFrame(connection, current).value_or(current);
        }
        current = parent;
    }
}

}  // namespace platform::x11
