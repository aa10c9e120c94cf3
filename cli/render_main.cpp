// ampera-render: one frame of a view of an experiment, drawn through the
// window's renderer and OpenGL backend, written to a PNG. It is the only
// command-line program that loads Qt; ampera-cli runs it for render and for
// the oscilloscope's screen picture.
#include "render.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kExitUsage = 64;

const char* const kUsage =
    "usage: ampera-render FILE --view board|schematic|panel:ID|screen:ID --out FILE.png [--time MS] [--size WxH]\n";

int Usage(const std::string& message) {
    std::fprintf(stderr, "ampera-render: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    using namespace ampera;
    std::vector<std::string> args(argv + 1, argv + argc);
    CRenderRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        // The value after an option, or null when the option ends the line.
        auto value = [&](const char*) -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (args[i] == "--view") {
            const std::string* v = value("view");
            if (!v) return Usage("--view needs board, schematic, panel:ID or screen:ID");
            request.view = *v;
        } else if (args[i] == "--out") {
            const std::string* v = value("out");
            if (!v) return Usage("--out needs a file name");
            request.out = *v;
        } else if (args[i] == "--time") {
            const std::string* v = value("time");
            char* end = nullptr;
            request.time = v ? std::strtoll(v->c_str(), &end, 10) : -1;
            if (!v || !end || *end || request.time < 0)
                return Usage("--time needs a number of milliseconds");
        } else if (args[i] == "--size") {
            const std::string* v = value("size");
            int w = 0, h = 0;
            char x = 0;
            if (!v || std::sscanf(v->c_str(), "%d%c%d", &w, &x, &h) != 3 || x != 'x' || w < 5 || h < 5 ||
                w > 8192 || h > 8192)
                return Usage("--size needs WxH, each from 5 to 8192");
            request.width = w;
            request.height = h;
            request.explicitSize = true;
        } else if (!args[i].empty() && args[i][0] == '-') {
            return Usage("unknown option " + args[i]);
        } else if (request.file.empty()) {
            request.file = args[i];
        } else {
            return Usage("more than one file given");
        }
    }
    if (request.file.empty()) return Usage("no experiment file given");
    if (request.out.empty()) return Usage("--out FILE.png is required");
    return Render(request, argc, argv);
}
