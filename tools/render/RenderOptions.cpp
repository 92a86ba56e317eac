#include "RenderOptions.h"

#include <charconv>
#include <cstdint>
#include <sstream>

#include "base/Exceptions.h"

namespace render {

namespace {

uint64_t Number(const std::string& text, const std::string& option) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || rest != end) {
        throw base::Exception("render: " + option + " wants a whole number, not '" + text + "'");
    }
    return value;
}

// A number for a field that holds no more than `most`: a larger one is refused, not cut down.
uint64_t NumberBetween(const std::string& text, const std::string& option, uint64_t least,
                       uint64_t most) {
    const uint64_t value = Number(text, option);
    if (value < least || value > most) {
        throw base::Exception("render: " + option + " must lie between " + std::to_string(least) +
                              " and " + std::to_string(most) + ", not '" + text + "'");
    }
    return value;
}

void ParseSize(const std::string& text, RenderOptions& options) {
    const size_t x = text.find('x');
    if (x == std::string::npos) {
        throw base::Exception("render: --size wants WIDTHxHEIGHT, not '" + text + "'");
    }
    const uint64_t w = Number(text.substr(0, x), "--size");
    const uint64_t h = Number(text.substr(x + 1), "--size");
    if (w < 1 || h < 1 || w > 8192 || h > 8192) {
        throw base::Exception("render: --size must lie between 1x1 and 8192x8192");
    }
    options.width = static_cast<int32_t>(w);
    options.height = static_cast<int32_t>(h);
}

std::vector<uint64_t> Moments(const std::string& text) {
    std::vector<uint64_t> moments;
    std::stringstream list(text);
    for (std::string item; std::getline(list, item, ',');) {
        moments.push_back(Number(item, "--at"));
    }
    return moments;
}

}  // namespace

RenderOptions ParseRenderOptions(const std::vector<std::string>& arguments) {
    RenderOptions options;
    bool sizeGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--no-progress") {
            options.progress = false;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            throw base::Exception("render: unknown option or missing value: " + option);
        }
        const std::string& value = arguments[++i];
        if (option == "--size") {
            ParseSize(value, options);
            sizeGiven = true;
        } else if (option == "--seconds") {
            options.saverMilliseconds = NumberBetween(value, option, 0, 1000000000) * 1000;
        } else if (option == "--cycles") {
            options.cycles = static_cast<int>(NumberBetween(value, option, 1, 1000000));
        } else if (option == "--at") {
            options.snapshotsAt = Moments(value);
        } else if (option == "--every") {
            options.every = Number(value, option);
        } else if (option == "--desktop") {
            options.desktop = value;
        } else if (option == "--out") {
            options.outDir = value;
        } else if (option == "--seed") {
            options.seed = static_cast<uint32_t>(NumberBetween(value, option, 0, UINT32_MAX));
        } else {
            throw base::Exception("render: unknown option " + option);
        }
    }
    if (sizeGiven && !options.desktop.empty()) {
        throw base::Exception(
            "render: --desktop gives the screen the picture's size; leave out --size");
    }
    return options;
}

std::string RenderUsage() {
    return "usage: render [--size WxH] [--seconds N | --cycles N] [--at MS,MS,...] [--every MS]\n"
           "              [--desktop FILE.bmp] [--out DIR] [--seed N] [--no-progress]\n"
           "Runs the saver on the headless platform with a virtual clock and writes PNG\n"
           "snapshots (at the given moments of saver time, or at every phase change) and a\n"
           "contact sheet of them into DIR. With --desktop the screen has the picture's size.\n";
}

}  // namespace render
