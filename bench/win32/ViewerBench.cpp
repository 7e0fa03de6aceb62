// How soon the viewer paints the first band of a 4000 x 3000 JPEG after
// Display is called, and how soon the picture is complete. Run under Wine:
//   wine viewer_bench.exe [rounds]
#include "../bench_jpeg_picture.h"

#include "Display.h"
#include "Module.h"
#include "ViewerFrame.h"
#include "ViewerState.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    ModuleInstance = GetModuleHandleA(nullptr);
    RegisterViewerClasses(ModuleInstance);

    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "viewer-bench.jpg";
    const std::vector<uint8_t>& jpeg = bench_jpeg::BaselineJpeg();
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return 1;
    std::fwrite(jpeg.data(), 1, jpeg.size(), out);
    std::fclose(out);

    std::vector<double> firstBand, complete;
    for (int round = 0; round < rounds; ++round) {
        const LARGE_INTEGER start = Now();
        if (!Display(path.c_str()))
            return 1;
        HWND frame = FindWindowA(kFrameClassName, path.c_str());
        ViewerState* state = ViewerOf(frame);
        bool banded = false;
        for (;;) {
            // Each step paints its band before it answers, so a decoded band
            // seen here is on the screen.
            if (!banded && !state->imageFile->GetDecodedRect().IsEmpty()) {
                firstBand.push_back(Milliseconds(start, Now()));
                banded = true;
            }
            if (state->imageFile->IsComplete() && !state->imageFile->IsLoading())
                break;
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        complete.push_back(Milliseconds(start, Now()));
        SendMessageA(frame, WM_CLOSE, 0, 0);
        std::printf("round %d: first band %.1f ms, complete %.1f ms\n", round + 1, firstBand.back(),
                    complete.back());
    }
    std::printf("4000 x 3000 JPEG, %d rounds: first band painted %.1f ms, complete %.1f ms (medians)\n", rounds,
                Median(firstBand), Median(complete));
    ReleaseViewerClasses();
    return 0;
}
