#include "RenderOptions.h"

#include "RenderCommands.h"
#include "commands/AddSetters.h"
#include "commands/SceneSetters.h"
#include "raster/FastDIB.h"
#include "scenes/PresetScenes.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

namespace {

constexpr double UniformFieldStrength = 0.1; // what the window's button and the presets use
constexpr int MaxThreads = 256;

template <typename T>
bool ParseInteger(std::string_view text, T& value)
{
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool ParseIntInRange(std::string_view text, int lo, int hi, int& value)
{
    int v = 0;
    if (!ParseInteger(text, v) || v < lo || v > hi) {
        return false;
    }
    value = v;
    return true;
}

// A finite real number in plain decimal or exponent notation.
bool ParseReal(std::string_view text, double& value)
{
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    double v = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

std::vector<std::string_view> SplitCommas(std::string_view text)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) {
            return parts;
        }
        start = comma + 1;
    }
}

// "X,Y" or, when `thirdAllowed`, "X,Y,THIRD" with X and Y 32-bit integers.
bool ParsePosition(std::string_view text, bool thirdAllowed, int32_t& x, int32_t& y, std::string_view& third)
{
    const std::vector<std::string_view> parts = SplitCommas(text);
    if (parts.size() < 2 || parts.size() > (thirdAllowed ? 3u : 2u)) {
        return false;
    }
    if (!ParseInteger(parts[0], x) || !ParseInteger(parts[1], y)) {
        return false;
    }
    third = parts.size() == 3 ? parts[2] : std::string_view();
    return parts.size() < 3 || !third.empty();
}

bool ParseSize(std::string_view text, int& width, int& height)
{
    const size_t x = text.find('x');
    if (x == std::string_view::npos) {
        return false;
    }
    return ParseIntInRange(text.substr(0, x), 1, TFastDIB::MaxSide, width) &&
           ParseIntInRange(text.substr(x + 1), 1, TFastDIB::MaxSide, height);
}

bool ParseLayers(std::string_view text, TRenderOptions& options)
{
    if (text == "none") {
        options.LayerGrid = options.LayerMap = options.LayerLines = options.LayerFilings = false;
        return true;
    }
    bool grid = false;
    bool map = false;
    bool lines = false;
    bool filings = false;
    for (std::string_view name : SplitCommas(text)) {
        if (name == "grid") {
            grid = true;
        } else if (name == "map") {
            map = true;
        } else if (name == "lines") {
            lines = true;
        } else if (name == "filings") {
            filings = true;
        } else {
            return false;
        }
    }
    options.LayerGrid = grid;
    options.LayerMap = map;
    options.LayerLines = lines;
    options.LayerFilings = filings;
    return true;
}

// The renderer's side of a preset: commands go into the batch, the window's buttons do not exist,
// and the direct field-lines switch becomes a command at its place in the batch.
class TBatchPresetHost : public TPresetHost {
public:
    TBatchPresetHost(TSetterList& batch, int width, int height) : FBatch(batch), FWidth(width), FHeight(height) {}
    void AddSetter(std::unique_ptr<TBasePropertySetter> setter) override { FBatch.push_back(std::move(setter)); }
    int FrameWidth() const override { return FWidth; }
    int FrameHeight() const override { return FHeight; }
    void ResetDisplayButtons() override {}
    void PressGridButton() override {}
    void PressFieldLinesButton() override {}
    void SetBenchHasFieldLines(bool value) override { AddSetter(std::make_unique<TSetFieldLinesSetter>(value)); }

private:
    TSetterList& FBatch;
    int FWidth;
    int FHeight;
};

bool IsPresetCaption(std::string_view caption)
{
    for (const TPresetEntry& entry : PresetMenuEntries()) {
        if (!entry.IsSeparator() && entry.Caption == caption) {
            return true;
        }
    }
    return false;
}

std::string PresetCaptionList()
{
    std::string list;
    for (const TPresetEntry& entry : PresetMenuEntries()) {
        if (!entry.IsSeparator()) {
            list += (list.empty() ? "\"" : ", \"") + entry.Caption + "\"";
        }
    }
    return list;
}

// Replaces every preset marker by the preset's commands, centred on the final work area.
void ExpandPresets(TRenderOptions& options)
{
    TSetterList expanded;
    TBatchPresetHost host(expanded, options.Width, options.Height);
    for (auto& setter : options.Batch) {
        if (auto* marker = dynamic_cast<TPresetMarker*>(setter.get())) {
            RunPreset(host, marker->Caption());
        } else {
            expanded.push_back(std::move(setter));
        }
    }
    options.Batch = std::move(expanded);
}

} // namespace

const char* RenderUsage()
{
    return "usage: ferrovane-render [options]\n"
           "  --size WxH            work area in pixels, 1..16384 each (default 753x606)\n"
           "  --seed N              seed of the random generator (default 1)\n"
           "  --empty               start from an empty bench with every display switch off\n"
           "  --magnet X,Y[,ROT]    add a bar magnet (ROT in radians, default 0)\n"
           "  --wire X,Y[,flipped]  add a wire; 'flipped' reverses its current\n"
           "  --coil X,Y[,ROT]      add a coil\n"
           "  --motor X,Y[,ROT]     add the motor, then turn it to ROT\n"
           "  --compass X,Y         add a compass\n"
           "  --uniform             add a uniform field of strength 0.1 (if there is none)\n"
           "  --flip-uniform        reverse the uniform field\n"
           "  --filings X,Y         add five iron filings around X,Y\n"
           "  --preset CAPTION      a preset scene by its menu caption\n"
           "  --layers LIST         grid,map,lines,filings or none, set after the scene\n"
           "  --steps N             N frames with motion on (default 0)\n"
           "  --ticks T             each motion frame lasts 20*T ms (default 1)\n"
           "  --frames N            still frames drawn last, N >= 1 (default 1)\n"
           "  --threads N           worker threads (default: one per core)\n"
           "  --out FILE.bmp        the last frame as a 24-bit BMP\n"
           "  --state FILE.json     the scene's state as JSON\n"
           "  --timing              phase timings on standard output\n"
           "  --help                this text\n";
}

bool ParseRenderOptions(int argc, const char* const* argv, TRenderOptions& options, std::string& error)
{
    int i = 1;
    std::string_view option;
    std::string_view value;
    auto fail = [&](const std::string& why) {
        error = "ferrovane-render: bad argument ";
        error.append(option);
        if (!value.empty()) {
            error.append(" ").append(value);
        }
        error.append(": ").append(why);
        return false;
    };
    // Takes the value of the current option, or fails when the command line ends.
    auto takeValue = [&]() {
        if (i + 1 >= argc) {
            return false;
        }
        value = argv[++i];
        return true;
    };

    for (; i < argc; ++i) {
        option = argv[i];
        value = std::string_view();
        const bool takesValue = option == "--size" || option == "--seed" || option == "--magnet" ||
                                option == "--wire" || option == "--coil" || option == "--motor" ||
                                option == "--compass" || option == "--filings" || option == "--preset" ||
                                option == "--layers" || option == "--steps" || option == "--ticks" ||
                                option == "--frames" || option == "--threads" || option == "--out" ||
                                option == "--state";
        if (takesValue && !takeValue()) {
            return fail("a value is missing");
        }

        int32_t x = 0;
        int32_t y = 0;
        std::string_view third;
        if (option == "--help") {
            options.Help = true;
        } else if (option == "--size") {
            if (!ParseSize(value, options.Width, options.Height)) {
                return fail("expected WxH with integers from 1 to 16384");
            }
        } else if (option == "--seed") {
            if (!ParseInteger(value, options.Seed)) {
                return fail("expected a non-negative integer");
            }
        } else if (option == "--empty") {
            options.Empty = true;
        } else if (option == "--magnet" || option == "--coil" || option == "--motor") {
            double rotation = 0.0;
            if (!ParsePosition(value, true, x, y, third) || (!third.empty() && !ParseReal(third, rotation))) {
                return fail("expected X,Y[,ROT] with integers X, Y and a finite rotation in radians");
            }
            if (option == "--magnet") {
                options.Batch.push_back(std::make_unique<TAddMagnetSetter>(x, y, rotation));
            } else if (option == "--coil") {
                options.Batch.push_back(std::make_unique<TAddSolonoidSetter>(x, y, rotation));
            } else {
                options.Batch.push_back(std::make_unique<TaddMotorSetter>(x, y));
                if (!third.empty()) {
                    options.Batch.push_back(std::make_unique<TTurnLastSourceSetter>(rotation));
                }
            }
        } else if (option == "--wire") {
            if (!ParsePosition(value, true, x, y, third) || (!third.empty() && third != "flipped")) {
                return fail("expected X,Y or X,Y,flipped with integers X, Y");
            }
            options.Batch.push_back(std::make_unique<TAddWireSetter>(x, y, third == "flipped"));
        } else if (option == "--compass" || option == "--filings") {
            if (!ParsePosition(value, false, x, y, third)) {
                return fail("expected X,Y with integers X, Y");
            }
            if (option == "--compass") {
                options.Batch.push_back(std::make_unique<TAddCompassSetter>(x, y));
            } else {
                options.Batch.push_back(std::make_unique<TAddFilingsSetter>(x, y));
            }
        } else if (option == "--uniform") {
            options.Batch.push_back(std::make_unique<TAddUniformFieldSetter>(UniformFieldStrength));
        } else if (option == "--flip-uniform") {
            options.Batch.push_back(std::make_unique<TFlipUniformFieldSetter>());
        } else if (option == "--preset") {
            if (!IsPresetCaption(value)) {
                return fail("unknown preset; the presets are " + PresetCaptionList());
            }
            options.Batch.push_back(std::make_unique<TPresetMarker>(std::string(value)));
        } else if (option == "--layers") {
            if (!ParseLayers(value, options)) {
                return fail("expected 'none' or a comma list of grid, map, lines, filings");
            }
            options.HasLayers = true;
        } else if (option == "--steps") {
            if (!ParseIntInRange(value, 0, std::numeric_limits<int>::max(), options.Steps)) {
                return fail("expected an integer of at least 0");
            }
        } else if (option == "--ticks") {
            if (!ParseReal(value, options.Ticks)) {
                return fail("expected a finite real number");
            }
        } else if (option == "--frames") {
            if (!ParseIntInRange(value, 1, std::numeric_limits<int>::max(), options.Frames)) {
                return fail("expected an integer of at least 1");
            }
        } else if (option == "--threads") {
            if (!ParseIntInRange(value, 1, MaxThreads, options.Threads)) {
                return fail("expected an integer from 1 to " + std::to_string(MaxThreads));
            }
        } else if (option == "--out" || option == "--state") {
            if (value.empty() || value.substr(0, 2) == "--") {
                return fail("expected a file name");
            }
            (option == "--out" ? options.OutPath : options.StatePath) = std::string(value);
        } else if (option == "--timing") {
            options.Timing = true;
        } else {
            return fail("unknown option");
        }
    }
    ExpandPresets(options);
    return true;
}
