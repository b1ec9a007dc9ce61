// Prints how long refilling both mod lists takes in the real window for a
// library and a game of 5,000 mods each, over a real folder.
//
//   bench_refresh [count]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/AppState.h"
#include "app/Common.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

namespace {

// <chrono> cannot be built with GBK literals (its "µs" has no GBK form).
double NowMs()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    std::string folder = "C:\\qm-bench-" + std::to_string(GetCurrentProcessId());
    StartPlatform();
    MakeDirectory(folder);
    StartPlatform(folder);
    MakeDirectory(folder + "\\Mod资源文件");
    MakeDirectory(folder + "\\game");
    MakeDirectory(folder + "\\game\\.minecraft");
    MakeDirectory(folder + "\\game\\.minecraft\\mods");
    for (int i = 0; i < count; ++i) {
        const std::string name = "模组-" + std::to_string(i) + "-1.7.10.jar";
        WriteWholeFile(folder + "\\Mod资源文件\\" + name, "x");
        WriteWholeFile(folder + "\\game\\.minecraft\\mods\\" + name, "x");
    }
    WriteIniValue(folder + "\\配置.ini", "目录设置", "游戏根目录", folder + "\\game");

    CreateState();
    if (!CreateMainWindow()) {
        std::puts("no window (is there a display?)");
        return 1;
    }
    ProcessEvents();
    const int rounds = 10;
    double total = 0, worst = 0;
    for (int r = 0; r < rounds; ++r) {
        const double start = NowMs();
        RefreshModLists();
        ProcessEvents();  // includes the one repaint after redrawing is back on
        const double ms = NowMs() - start;
        total += ms;
        worst = ms > worst ? ms : worst;
    }
    std::printf("RefreshModLists: %d + %d items, %d rounds, mean %.1f ms, worst %.1f ms (items listed: %d, %d)\n",
                count, count, rounds, total / rounds, worst, ListItemCount(资源库列表框), ListItemCount(已有Mod列表框));
    StartPlatform();
    RemoveDirectory(folder);
    return 0;
}
