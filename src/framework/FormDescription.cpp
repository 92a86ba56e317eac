#include "framework/FormDescription.h"

#include <string>

#include "base/ByteCount.h"
#include "base/Exceptions.h"
#include "base/MemoryStream.h"

namespace framework {

namespace {

constexpr char kMagic[4] = {'V', 'A', 'F', '1'};

// Whether a read description copies its byte blocks or points into the bytes read.
enum class Blocks { Copied, InPlace };

enum class TypeTag : uint8_t {
    Integer = 1,
    Boolean,
    String,
    Color,
    Identifier,
    Set,
    Component,
    Event,
    Bytes,
};

[[noreturn]] void Fail(const std::string& what, const base::MemoryStream& stream) {
    throw base::EReadError("Form description: " + what + " at offset " +
                           std::to_string(stream.Position()));
}

void WriteShortString(base::MemoryStream& stream, const std::string& text) {
    if (text.size() > 255) {
        throw base::EOverflow("Form description: name longer than 255 characters: " + text);
    }
    stream.WriteU8(static_cast<uint8_t>(text.size()));
    stream.Write(text.data(), text.size());
}

void WriteLongBytes(base::MemoryStream& stream, const void* data, size_t size) {
    stream.WriteU32(static_cast<uint32_t>(size));
    stream.Write(data, size);
}

std::string ReadShortString(base::MemoryStream& stream) {
    const std::span<const uint8_t> chars = stream.ReadSpan(stream.ReadU8());
    return std::string(chars.begin(), chars.end());
}

// A u32 length and that many bytes, where they lie; the length is checked against what is
// left before anything is made of them.
std::span<const uint8_t> ReadLongSpan(base::MemoryStream& stream) {
    return stream.ReadSpan(stream.ReadU32());
}

struct ValueWriter {
    base::MemoryStream& stream;

    void Tag(TypeTag tag) { stream.WriteU8(static_cast<uint8_t>(tag)); }
    void operator()(int32_t v) { Tag(TypeTag::Integer), stream.WriteI32(v); }
    void operator()(bool v) { Tag(TypeTag::Boolean), stream.WriteU8(v ? 1 : 0); }
    void operator()(const std::string& v) {
        Tag(TypeTag::String), WriteLongBytes(stream, v.data(), v.size());
    }
    void operator()(const ColorValue& v) { Tag(TypeTag::Color), stream.WriteU32(v.color); }
    void operator()(const Identifier& v) {
        Tag(TypeTag::Identifier), WriteShortString(stream, v.name);
    }
    void operator()(const ComponentRef& v) {
        Tag(TypeTag::Component), WriteShortString(stream, v.name);
    }
    void operator()(const EventBinding& v) {
        Tag(TypeTag::Event), WriteShortString(stream, v.handler);
    }
    void operator()(const ByteBlock& v) {
        Tag(TypeTag::Bytes), WriteLongBytes(stream, v.data(), v.size());
    }
    void operator()(const ByteView& v) {
        Tag(TypeTag::Bytes), WriteLongBytes(stream, v.bytes.data(), v.bytes.size());
    }
    void operator()(const SetValue& v) {
        if (v.size() > 255) {
            throw base::EOverflow("Form description: set with more than 255 members");
        }
        Tag(TypeTag::Set);
        stream.WriteU8(static_cast<uint8_t>(v.size()));
        for (const std::string& member : v) {
            WriteShortString(stream, member);
        }
    }
};

void WriteObject(base::MemoryStream& stream, const ObjectDescription& object) {
    WriteShortString(stream, object.className);
    WriteShortString(stream, object.name);
    if (object.properties.size() > 0xFFFF || object.children.size() > 0xFFFF) {
        throw base::EOverflow("Form description: too many properties or children in " +
                              object.name);
    }
    stream.WriteU16(static_cast<uint16_t>(object.properties.size()));
    for (const Property& property : object.properties) {
        WriteShortString(stream, property.name);
        std::visit(ValueWriter{stream}, property.value);
    }
    stream.WriteU16(static_cast<uint16_t>(object.children.size()));
    for (const ObjectDescription& child : object.children) {
        WriteObject(stream, child);
    }
}

SetValue ReadSet(base::MemoryStream& stream) {
    const uint8_t count = stream.ReadU8();
    SetValue members;
    for (uint8_t i = 0; i < count; ++i) {
        members.push_back(ReadShortString(stream));
    }
    return members;
}

PropertyValue ReadBytesValue(base::MemoryStream& stream, Blocks blocks) {
    const std::span<const uint8_t> bytes = ReadLongSpan(stream);
    if (blocks == Blocks::InPlace) {
        return ByteView{bytes};
    }
    return ByteBlock(bytes.begin(), bytes.end());
}

PropertyValue ReadValue(base::MemoryStream& stream, Blocks blocks) {
    const uint8_t tag = stream.ReadU8();
    switch (static_cast<TypeTag>(tag)) {
        case TypeTag::Integer:
            return stream.ReadI32();
        case TypeTag::Boolean: {
            const uint8_t value = stream.ReadU8();
            if (value > 1) {
                Fail("boolean value " + std::to_string(value) + " is neither 0 nor 1", stream);
            }
            return value == 1;
        }
        case TypeTag::String: {
            const std::span<const uint8_t> chars = ReadLongSpan(stream);
            return std::string(chars.begin(), chars.end());
        }
        case TypeTag::Color:
            return ColorValue{stream.ReadU32()};
        case TypeTag::Identifier:
            return Identifier{ReadShortString(stream)};
        case TypeTag::Set:
            return ReadSet(stream);
        case TypeTag::Component:
            return ComponentRef{ReadShortString(stream)};
        case TypeTag::Event:
            return EventBinding{ReadShortString(stream)};
        case TypeTag::Bytes:
            return ReadBytesValue(stream, blocks);
    }
    Fail("unknown property type " + std::to_string(tag), stream);
}

ObjectDescription ReadObject(base::MemoryStream& stream, Blocks blocks, int depth) {
    if (depth > kMaxDescriptionDepth) {
        Fail("objects nested deeper than " + std::to_string(kMaxDescriptionDepth), stream);
    }
    ObjectDescription object;
    object.className = ReadShortString(stream);
    object.name = ReadShortString(stream);
    const uint16_t propertyCount = stream.ReadU16();
    for (uint16_t i = 0; i < propertyCount; ++i) {
        Property property;
        property.name = ReadShortString(stream);
        property.value = ReadValue(stream, blocks);
        object.properties.push_back(std::move(property));
    }
    const uint16_t childCount = stream.ReadU16();
    for (uint16_t i = 0; i < childCount; ++i) {
        object.children.push_back(ReadObject(stream, blocks, depth + 1));
    }
    return object;
}

ObjectDescription ReadDescription(std::span<const uint8_t> bytes, Blocks blocks) {
    base::MemoryStream stream = base::MemoryStream::Reading(bytes);
    char magic[4] = {};
    if (stream.Remaining() < sizeof magic) {
        Fail("too short for its magic", stream);
    }
    stream.Read(magic, sizeof magic);
    if (!std::equal(magic, magic + 4, kMagic)) {
        Fail("bad magic, not \"VAF1\"", stream);
    }
    ObjectDescription root = ReadObject(stream, blocks, 0);
    if (stream.Remaining() != 0) {
        Fail(base::ByteCount(stream.Remaining()) + " left after the form", stream);
    }
    return root;
}

}  // namespace

const Property* ObjectDescription::FindProperty(std::string_view propertyName) const {
    for (const Property& property : properties) {
        if (property.name == propertyName) {
            return &property;
        }
    }
    return nullptr;
}

const ObjectDescription* ObjectDescription::FindChild(std::string_view childName) const {
    for (const ObjectDescription& child : children) {
        if (child.name == childName) {
            return &child;
        }
    }
    return nullptr;
}

std::vector<uint8_t> WriteFormDescription(const ObjectDescription& root) {
    base::MemoryStream stream;
    stream.Write(kMagic, sizeof kMagic);
    WriteObject(stream, root);
    return stream.Bytes();
}

ObjectDescription ReadFormDescription(std::span<const uint8_t> bytes) {
    return ReadDescription(bytes, Blocks::Copied);
}

ObjectDescription ReadFormDescriptionInPlace(std::span<const uint8_t> bytes) {
    return ReadDescription(bytes, Blocks::InPlace);
}

}  // namespace framework
