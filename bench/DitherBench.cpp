// DitherTo8bpp with the optimal palette and Floyd-Steinberg on a 1920 x 1080
// photo-like 32-bit image: its time and its PSNR against the source, beside
// ImageMagick's time and PSNR for 256 colours with Floyd-Steinberg.
#include "imaging/mDither8bpp.h"
#include "bench/SampleImages.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace qel;
namespace fs = std::filesystem;

constexpr int kWidth = 1920, kHeight = 1080;

// The source as red, green, blue bytes.
std::vector<uint8_t> Rgb(const PixelView& image) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.Row(y) + 4 * x;
            rgb.insert(rgb.end(), {p[2], p[1], p[0]});
        }
    return rgb;
}

double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += (a[i] - b[i]) * double(a[i] - b[i]);
    double mse = sum / static_cast<double>(a.size());
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

size_t Colours(const std::vector<uint8_t>& rgb) {
    std::set<uint32_t> seen;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        seen.insert(uint32_t(rgb[i]) << 16 | uint32_t(rgb[i + 1]) << 8 | rgb[i + 2]);
    return seen.size();
}

void WritePpm(const fs::path& path, const std::vector<uint8_t>& rgb) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << kWidth << " " << kHeight << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
}

std::vector<uint8_t> ReadPpmPixels(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The best wall time in milliseconds of a few runs of a command.
double BestTime(const std::string& command, int runs = 3) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) return -1;
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

class Collector : public benchmark::ConsoleReporter {
public:
    Collector() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_None) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            milliseconds = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    double milliseconds = 0;
};

} // namespace

int main(int argc, char** argv) {
    PixelBuffer source = test::PhotoLikeImage(kWidth, kHeight);
    PixelBuffer indices(kWidth, kHeight, 8);
    cPal8bpp palette;
    InitDitherTables();
    SetPaletteType(PaletteType::Optimal);
    SetDitherMethod(DitherMethod::FloydSteinberg);
    benchmark::RegisterBenchmark("DitherTo8bpp/optimal/Floyd-Steinberg",
                                 [&](benchmark::State& state) {
                                     for (auto _ : state)
                                         DitherTo8bpp(source.View(), indices.View(), palette);
                                 })
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    std::vector<uint8_t> original = Rgb(source.View());
    std::vector<uint8_t> ours;
    PixelView v = indices.View();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            auto i = v.Row(y)[x];
            ours.insert(ours.end(), {palette.rgbR(i), palette.rgbG(i), palette.rgbB(i)});
        }

    fs::path folder = fs::temp_directory_path() / ("qel-dither-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    WritePpm(folder / "source.ppm", original);
    std::string in = (folder / "source.ppm").string(), out = (folder / "quantised.ppm").string();
    double magick =
        BestTime("/usr/bin/convert '" + in + "' -dither FloydSteinberg -colors 256 '" + out + "'");
    std::vector<uint8_t> theirs = magick >= 0 ? ReadPpmPixels(out) : std::vector<uint8_t>{};
    double copy = BestTime("/usr/bin/convert '" + in + "' '" + out + "'");

    std::printf("\n%-44s %10s %8s %8s\n", "1920 x 1080 photo-like, 256 colours", "time ms",
                "PSNR dB", "colours");
    std::printf("%-44s %10.1f %8.2f %8zu\n", "DitherTo8bpp (optimal, Floyd-Steinberg)",
                collector.milliseconds, Psnr(original, ours), palette.Entries() + size_t{0});
    if (theirs.size() == original.size())
        std::printf("%-44s %10.1f %8.2f %8zu\n", "ImageMagick -dither FloydSteinberg -colors 256",
                    magick, Psnr(original, theirs), Colours(theirs));
    else
        std::printf("ImageMagick (/usr/bin/convert) did not run\n");
    std::printf("(ImageMagick's time is a whole convert run; the same run without quantising, "
                "reading and writing only, takes %.1f ms)\n",
                copy);
    fs::remove_all(folder);
    benchmark::Shutdown();
    return 0;
}
