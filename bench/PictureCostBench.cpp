// What loading a picture costs under Wine, in CPU time and peak memory: real
// pictures of a bound's size beside the costliest ones the picture check takes
// at that bound, with the ratio of each to the costliest real one; and how long
// the check takes to refuse files made to cost too much. Each picture loads in a
// process of its own, so that its peak memory is its own; one that is taken
// loads three times, and its times are the least of the three, which other work
// on the machine only adds to.
// It loads the pictures bench/make_bench_pictures.py wrote into the folder
// "pictures" beside it (scripts/bench.sh makes them), or into the folder given.
#include "base/Handle.h"
#include "base/PictureFile.h"
#include "sheet/SkinSheetGeometry.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qel {
namespace {

double CpuMilliseconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ticks = [](FILETIME t) {
        return double(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 1e4;
}

double WallMilliseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1e3 * double(now.QuadPart) / double(frequency.QuadPart);
}

std::string ProgramPath() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return self;
}

PictureBound BoundNamed(const std::string& name) {
    return name == "sheet" ? kSheetPictureBound : kAnyPicture;
}

// In the child: times the check alone, then the whole load, and prints
// "CPU_MS PEAK_MB CHECK_MS", or "refused in CHECK_MS ms: WHY". A picture the decoder
// fails on counts as well: its cost is paid all the same. The bytes the check
// walked are freed before the load, so that the peak is the load's alone.
int Load(const std::string& bound, const std::string& path) {
    std::string why;
    bool within = false;
    double check = 0;
    {
        std::ifstream file(path, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
        const double start = WallMilliseconds();
        within = PictureWithin(bytes.data(), bytes.size(), BoundNamed(bound), &why);
        check = WallMilliseconds() - start;
    }
    if (!within) {
        std::printf("refused in %.1f ms: %s\n", check, why.empty() ? "broken" : why.c_str());
        return 0;
    }
    const double cpu = CpuMilliseconds();
    const bool loaded = static_cast<bool>(LoadPictureFile(path, BoundNamed(bound)));
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("%.0f %.0f %.1f %s\n", CpuMilliseconds() - cpu,
                double(memory.PeakWorkingSetSize) / (1 << 20), check,
                loaded ? "" : "(the decoder fails)");
    return 0;
}

// What the child printed for `path`.
std::string Measure(const std::string& bound, const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "no pipe";
    UniqueKernelObject read(readEnd), write(writeEnd);
    SetHandleInformation(read.get(), HANDLE_FLAG_INHERIT, 0);
    std::string command = "\"" + ProgramPath() + "\" /load " + bound + " \"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write.get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    const UniqueKernelObject child(process.hProcess), thread(process.hThread);
    write.reset(); // the child's end alone stays open: the pipe ends with it
    std::string out;
    char buffer[512];
    DWORD got = 0;
    while (started && ReadFile(read.get(), buffer, sizeof buffer, &got, nullptr) && got)
        out.append(buffer, got);
    return out.substr(0, out.find_last_not_of("\r\n") + 1);
}

void Bench(const std::string& folder, const std::string& bound) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const UniqueFind find(FindFirstFileA((folder + "\\" + bound + "\\*-*").c_str(), &found));
    if (!find) return;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(find.get(), &found));
    std::sort(names.begin(), names.end()); // real ones before refused and worst ones
    const PictureBound limit = BoundNamed(bound);
    std::printf("\nAt the bound of %s (%ld pixels a side):\n", limit.kind, limit.side);
    double realCpu = 0, realMemory = 0, worstCpu = 0, worstMemory = 0;
    for (const std::string& name : names) {
        std::string result;
        double cpu = 0, memory = 0, check = 0;
        int end = 0;
        // A picture taken loads three times; refusals print the first.
        for (int run = 0; run < 3; ++run) {
            result = Measure(bound, folder + "\\" + bound + "\\" + name);
            double runCpu = 0, runCheck = 0;
            if (std::sscanf(result.c_str(), "%lf %lf %lf %n", &runCpu, &memory, &runCheck, &end) != 3) {
                end = 0;
                break;
            }
            cpu = run == 0 ? runCpu : std::min(cpu, runCpu);
            check = run == 0 ? runCheck : std::min(check, runCheck);
        }
        if (end > 0) {
            const bool real = name.starts_with("real");
            std::printf("  %-28s %6.0f ms CPU %6.0f MB peak", name.c_str(), cpu, memory);
            if (real) {
                realCpu = std::max(realCpu, cpu);
                realMemory = std::max(realMemory, memory);
            } else {
                worstCpu = std::max(worstCpu, cpu / realCpu);
                worstMemory = std::max(worstMemory, memory / realMemory);
                std::printf("  %4.2fx CPU %4.2fx memory", cpu / realCpu, memory / realMemory);
            }
            std::printf("  (check %.1f ms) %s\n", check, result.c_str() + end);
        } else {
            std::printf("  %-28s %s\n", name.c_str(), result.c_str());
        }
    }
    std::printf("  the costliest taken: %.2fx the CPU (goal: 2) and %.2fx the memory (goal: "
                "1.5) of the costliest real picture\n",
                worstCpu, worstMemory);
}

} // namespace
} // namespace qel

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "/load") return qel::Load(argv[2], argv[3]);
    std::string folder = argc > 1 ? argv[1] : qel::ProgramPath();
    if (argc == 1) folder = folder.substr(0, folder.find_last_of('\\') + 1) + "pictures";
    qel::Bench(folder, "sheet");
    qel::Bench(folder, "any");
    return 0;
}
