#pragma once

#include <string>

namespace ampera {

struct CRenderRequest {
    std::string file, view = "board", out;
    long long time = 0;
    int width = 1152, height = 780;
    bool explicitSize = false;
};

// Writes one frame of a view to a PNG; returns the process exit status.
int Render(const CRenderRequest& request, int argc, char** argv);

} // namespace ampera
