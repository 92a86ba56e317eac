#pragma once
// A form description: the stored form of a window and its components, our own binary
// container. The root object is the form; its children are its components in stored order;
// each object carries its properties in stored order. Property names may be dotted paths into
// a component's persistent parts ("FrameList.Data", "ThreeD.Enabled", "Picture.Data").
//
// Stored form (little-endian): "VAF1", then the root object. An object is its class name and
// its name (each a length byte and characters), a 16-bit property count and the properties, a
// 16-bit child count and the children. A property is its name (length byte and characters), a
// type byte and the value: Integer i32; Boolean one byte 0 or 1; String u32 length and bytes;
// Color u32; Identifier, Component and Event a short string; Set a count byte and short
// strings; Bytes u32 length and bytes. Nothing may follow the root object.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace framework {

// A value written as a name: an enumeration value such as alClient.
struct Identifier {
    std::string name;
    friend bool operator==(const Identifier&, const Identifier&) = default;
};
// A reference to another component of the same form, by name.
struct ComponentRef {
    std::string name;
    friend bool operator==(const ComponentRef&, const ComponentRef&) = default;
};
// An event bound to a handler of the form, by the handler's name.
struct EventBinding {
    std::string handler;
    friend bool operator==(const EventBinding&, const EventBinding&) = default;
};
struct ColorValue {
    uint32_t color = 0;
    friend bool operator==(const ColorValue&, const ColorValue&) = default;
};
// A set of enumeration values, by name.
using SetValue = std::vector<std::string>;
using ByteBlock = std::vector<uint8_t>;
// A byte block of a description read in place: it points into the bytes the description was
// read from, so it is valid only while they are.
struct ByteView {
    std::span<const uint8_t> bytes;
    friend bool operator==(const ByteView& a, const ByteView& b) {
        return std::ranges::equal(a.bytes, b.bytes);
    }
};

using PropertyValue = std::variant<int32_t, bool, std::string, ColorValue, Identifier, SetValue,
                                   ComponentRef, EventBinding, ByteBlock, ByteView>;

struct Property {
    std::string name;
    PropertyValue value;
};

struct ObjectDescription {
    std::string className;
    std::string name;
    std::vector<Property> properties;
    std::vector<ObjectDescription> children;

    // The first property of that name, or null.
    const Property* FindProperty(std::string_view propertyName) const;
    // The first child of that name, or null.
    const ObjectDescription* FindChild(std::string_view childName) const;
};

// Children may nest this deep below the root; a deeper description is refused when read.
inline constexpr int kMaxDescriptionDepth = 8;

std::vector<uint8_t> WriteFormDescription(const ObjectDescription& root);

// Fails with base::EReadError naming the fault: a bad magic, a length or count beyond the
// bytes left, an unknown type byte, a boolean other than 0 or 1, nesting too deep, or bytes
// left after the root object. Its byte blocks are its own (ByteBlock).
ObjectDescription ReadFormDescription(std::span<const uint8_t> bytes);

// The same, but its byte blocks (ByteView) point into `bytes` instead of copying them, so
// `bytes` must outlive the description. A form read from the program's embedded description
// so takes its pictures and frame strips straight from where they are stored.
ObjectDescription ReadFormDescriptionInPlace(std::span<const uint8_t> bytes);

}  // namespace framework
