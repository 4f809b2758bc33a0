// SaveGIF against giflib on the same 8-bit 1920 x 1080 images, one like a
// photograph and one like a user interface: both write a file; prints the
// times, the file sizes and the time ratio.
#include "imaging/mDither8bpp.h"
#include "imaging/mGIFSave.h"
#include "bench/SampleImages.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

namespace {

using namespace qel;
namespace fs = std::filesystem;

struct Sample {
    PixelBuffer pixels;
    cPal8bpp palette;
};

void WriteWithGiflib(const std::string& path, const PixelView& image, const cPal8bpp& palette) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    GifColorType colours[256] = {};
    for (int i = 0; i < palette.Entries(); ++i) {
        auto e = static_cast<uint8_t>(i);
        colours[i] = {palette.rgbR(e), palette.rgbG(e), palette.rgbB(e)};
    }
    ColorMapObject* map = GifMakeMapObject(256, colours);
    EGifPutScreenDesc(gif, image.width, image.height, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr);
    for (int y = 0; y < image.height; ++y)
        EGifPutLine(gif, image.Row(y), image.width);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
}

// Keeps each run's time per iteration.
class Collector : public benchmark::ConsoleReporter {
public:
    Collector() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_None) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            milliseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> milliseconds;
};

} // namespace

int main(int argc, char** argv) {
    const int width = 1920, height = 1080;
    std::map<std::string, Sample> samples;
    {
        PixelBuffer photo = test::PhotoLikeImage(width, height);
        Sample& s = samples["photo"];
        s.pixels = PixelBuffer(width, height, 8);
        SetPaletteType(PaletteType::Optimal);
        SetDitherMethod(DitherMethod::FloydSteinberg);
        DitherTo8bpp(photo.View(), s.pixels.View(), s.palette);
    }
    {
        Sample& s = samples["interface"];
        s.pixels = test::UserInterfaceImage(width, height);
        const uint8_t colours[16][3] = {
            {0, 0, 0},       {58, 110, 165},  {30, 30, 30},  {90, 90, 90},
            {0, 84, 227},    {20, 140, 60},   {160, 30, 40}, {240, 240, 240},
            {220, 220, 220}, {200, 80, 60},   {10, 10, 10},  {0, 0, 160},
            {180, 180, 180}, {255, 255, 255}, {128, 128, 0}, {0, 128, 128}};
        std::vector<uint8_t> table;
        for (auto& c : colours)
            table.insert(table.end(), {c[2], c[1], c[0], 0});
        s.palette.SetPalette(table);
    }

    fs::path folder = fs::temp_directory_path() / ("qel-gif-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::map<std::string, uintmax_t> sizes;
    for (auto& [name, sample] : samples) {
        std::string ours = (folder / (name + "-savegif.gif")).string();
        std::string theirs = (folder / (name + "-giflib.gif")).string();
        benchmark::RegisterBenchmark(("SaveGIF/" + name).c_str(), [&,
                                                                   ours](benchmark::State& state) {
            for (auto _ : state)
                SaveGIF(ours, sample.pixels.View(), sample.palette, -1, false, "");
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("giflib/" + name).c_str(), [&,
                                                                  theirs](benchmark::State& state) {
            for (auto _ : state)
                WriteWithGiflib(theirs, sample.pixels.View(), sample.palette);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    std::printf("\n%-10s %12s %12s %8s %14s %14s\n", "image", "SaveGIF ms", "giflib ms", "ratio",
                "SaveGIF bytes", "giflib bytes");
    for (auto& [name, sample] : samples) {
        double ours = collector.milliseconds["SaveGIF/" + name];
        double theirs = collector.milliseconds["giflib/" + name];
        std::printf("%-10s %12.2f %12.2f %8.2f %14ju %14ju\n", name.c_str(), ours, theirs,
                    theirs > 0 ? ours / theirs : 0.0,
                    fs::file_size(folder / (name + "-savegif.gif")),
                    fs::file_size(folder / (name + "-giflib.gif")));
    }
    std::printf("(ratio: SaveGIF time / giflib time; below 1 is faster than giflib)\n");
    fs::remove_all(folder);
    benchmark::Shutdown();
    return 0;
}
