// embed <output.cpp> <symbol>=<file> ...: writes a C++ source that holds each file's bytes as
// a string literal `const char <symbol>[]` with its size `<symbol>Size`, in the namespace
// assets::embedded. String literals compile much faster than arrays of integers.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr size_t kBytesPerLine = 64;

struct Input {
    std::string symbol;
    std::string path;
};

Input ParseInput(const std::string& argument) {
    const size_t equals = argument.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == argument.size()) {
        throw std::runtime_error("expected <symbol>=<file>, got " + argument);
    }
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

// A folder opens like a file and reads as nothing, so only a regular file is taken.
std::vector<uint8_t> ReadFile(const std::string& path) {
    if (!std::filesystem::is_regular_file(path)) {
        throw std::runtime_error(path + " is not a file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    if (in.bad()) {
        throw std::runtime_error("cannot read " + path);
    }
    return bytes;
}

// Printable characters stand as they are; every other byte is a three-digit octal escape,
// which never takes a following digit into it.
void AppendByte(std::string& out, uint8_t byte) {
    const bool plain = byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\' && byte != '?';
    if (plain) {
        out += static_cast<char>(byte);
        return;
    }
    out += '\\';
    out += static_cast<char>('0' + ((byte >> 6) & 7));
    out += static_cast<char>('0' + ((byte >> 3) & 7));
    out += static_cast<char>('0' + (byte & 7));
}

std::string Literal(const std::vector<uint8_t>& bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    out += "    \"";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % kBytesPerLine == 0) {
            out += "\"\n    \"";
        }
        AppendByte(out, bytes[i]);
    }
    out += "\"";
    return out;
}

std::string Definition(const Input& input) {
    const std::vector<uint8_t> bytes = ReadFile(input.path);
    std::ostringstream out;
    out << "extern const char " << input.symbol << "[];\n"
        << "extern const std::size_t " << input.symbol << "Size;\n"
        << "alignas(16) const char " << input.symbol << "[] =\n"
        << Literal(bytes) << ";\n"
        << "const std::size_t " << input.symbol << "Size = " << bytes.size() << ";\n\n";
    return out.str();
}

void WriteSource(const std::string& path, const std::vector<Input>& inputs) {
    std::string text =
        "// Made by tools/embed at build time; not to be edited.\n"
        "#include <cstddef>\n\nnamespace assets::embedded {\n\n";
    for (const Input& input : inputs) {
        text += Definition(input);
    }
    text += "}  // namespace assets::embedded\n";
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: embed <output.cpp> <symbol>=<file> ...\n";
        return 2;
    }
    try {
        std::vector<Input> inputs;
        for (int i = 2; i < argc; ++i) {
            inputs.push_back(ParseInput(argv[i]));
        }
        WriteSource(argv[1], inputs);
    } catch (const std::exception& e) {
        std::cerr << "embed: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
