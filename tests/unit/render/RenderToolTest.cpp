// The headless renderer as a user runs it: its outputs, its exit statuses and its options.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#ifdef FERROVANE_RENDER_EXE

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t U32(const std::string& bytes, size_t at)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
}

uint16_t U16(const std::string& bytes, size_t at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// A private directory per test, in which the renderer runs.
class RenderTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "ferrovane-render-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Dir = pattern;
    }
    void TearDown() override { fs::remove_all(Dir); }

    TRun Run(const std::vector<std::string>& args)
    {
        std::string command = "cd '" + Dir.string() + "' && '" FERROVANE_RENDER_EXE "'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        command += " >out.txt 2>err.txt";
        TRun run;
        const int raw = std::system(command.c_str());
        run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.Out = ReadFile(Dir / "out.txt");
        run.Err = ReadFile(Dir / "err.txt");
        fs::remove(Dir / "out.txt");
        fs::remove(Dir / "err.txt");
        return run;
    }

    nlohmann::json State(const std::string& name = "s.json") { return nlohmann::json::parse(ReadFile(Dir / name)); }

    fs::path Dir;
};

} // namespace

TEST_F(RenderTool, DefaultRunWritesTheStartScene)
{
    const TRun run = Run({"--out", "f.bmp", "--state", "s.json"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(run.Out.empty());

    const std::string bmp = ReadFile(Dir / "f.bmp");
    const uint32_t rowBytes = (753 * 3 + 3) / 4 * 4;
    ASSERT_EQ(bmp.size(), 54 + rowBytes * 606);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(U32(bmp, 2), bmp.size());
    EXPECT_EQ(U32(bmp, 10), 54u);
    EXPECT_EQ(U32(bmp, 14), 40u);
    EXPECT_EQ(U32(bmp, 18), 753u);
    EXPECT_EQ(U32(bmp, 22), 606u); // positive: bottom-up rows
    EXPECT_EQ(U16(bmp, 26), 1u);
    EXPECT_EQ(U16(bmp, 28), 24u);
    EXPECT_EQ(U32(bmp, 30), 0u);
    EXPECT_EQ(U32(bmp, 34), rowBytes * 606);

    const nlohmann::json state = State();
    EXPECT_EQ(state["width"], 753);
    EXPECT_EQ(state["height"], 606);
    const nlohmann::json& switches = state["switches"];
    EXPECT_EQ(switches["grid"], true);
    for (const char* off : {"map", "lines", "filings", "movement", "uniform", "addingFilings", "compassMode"}) {
        EXPECT_EQ(switches[off], false) << off;
    }
    EXPECT_EQ(state["filings"], 0);
    ASSERT_EQ(state["objects"].size(), 1u);
    const nlohmann::json& magnet = state["objects"][0];
    EXPECT_EQ(magnet["kind"], "magnet");
    EXPECT_EQ(magnet["centreX"], 376.0);
    EXPECT_EQ(magnet["centreY"], 303.0);
    EXPECT_EQ(magnet["rotation"], 0.0);
    EXPECT_EQ(magnet["left"].get<int>() + magnet["width"].get<int>() / 2, 376);
    EXPECT_EQ(magnet["top"].get<int>() + magnet["height"].get<int>() / 2, 303);
    EXPECT_EQ(magnet["selected"], false);
    EXPECT_EQ(magnet["flipped"], false);
}

TEST_F(RenderTool, BadArgumentsExitWithTwoNameTheArgumentAndWriteNothing)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--size", "0x606"},      {"--size", "753x16385"},   {"--size", "753"},
        {"--size", "7a3x606"},    {"--seed", "-1"},          {"--magnet", "10"},
        {"--magnet", "10,20,x"},  {"--magnet", "10,20,nan"}, {"--magnet", "10,20,inf"},
        {"--magnet", "1,2,3,4"},  {"--wire", "1,2,up"},      {"--coil", "1.5,2"},
        {"--motor", "1,"},        {"--compass", "1,2,3"},    {"--filings", "x,y"},
        {"--layers", "grid,foo"}, {"--layers", ""},          {"--steps", "-1"},
        {"--ticks", "fast"},      {"--frames", "0"},         {"--threads", "0"},
        {"--preset", "Bar magnets - inline"},                {"--bogus"},
        {"--magnet", "99999999999,0"},                        {"--out", "--state"},
        {"--frames"},
    };
    for (const auto& bad : cases) {
        std::vector<std::string> args = {"--out", "f.bmp", "--state", "s.json"};
        args.insert(args.end(), bad.begin(), bad.end());
        const TRun run = Run(args);
        EXPECT_EQ(run.Status, 2) << bad[0];
        EXPECT_FALSE(fs::exists(Dir / "f.bmp")) << bad[0];
        EXPECT_FALSE(fs::exists(Dir / "s.json")) << bad[0];
        EXPECT_NE(run.Err.find(bad[0]), std::string::npos) << run.Err;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        EXPECT_TRUE(run.Out.empty()) << bad[0];
    }
}

TEST_F(RenderTool, UnwritableOutputExitsWithOne)
{
    const TRun run = Run({"--size", "40x30", "--out", "missing/f.bmp", "--state", "s.json"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("missing/f.bmp"), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(Dir / "missing"));
}

TEST_F(RenderTool, SceneOptionsRunInCommandLineOrderAfterTheEmptyStart)
{
    const TRun run = Run({"--size", "400x300", "--empty", "--uniform", "--flip-uniform", "--uniform", "--wire",
                          "100,100,flipped", "--wire", "120,100", "--coil", "200,150,1.5", "--motor", "300,150,1",
                          "--compass", "50,50", "--magnet", "-10,20,3", "--layers", "lines,map", "--state", "s.json"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const nlohmann::json state = State();
    EXPECT_EQ(state["width"], 400);
    const nlohmann::json& switches = state["switches"];
    EXPECT_EQ(switches["grid"], false);
    EXPECT_EQ(switches["lines"], true);
    EXPECT_EQ(switches["map"], true);
    EXPECT_EQ(switches["filings"], false);
    EXPECT_EQ(switches["uniform"], true);
    EXPECT_EQ(switches["movement"], false);

    const nlohmann::json& objects = state["objects"];
    ASSERT_EQ(objects.size(), 7u);
    const char* kinds[] = {"uniform", "wire", "wire", "coil", "motor", "compass", "magnet"};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(objects[i]["kind"], kinds[i]) << i;
    }
    EXPECT_EQ(objects[0]["flipped"], true); // the second --uniform left the flipped field alone
    EXPECT_EQ(objects[1]["flipped"], true);
    EXPECT_EQ(objects[2]["flipped"], false);
    EXPECT_EQ(objects[3]["rotation"], 1.5);
    EXPECT_EQ(objects[4]["rotation"], 1.0);
    EXPECT_EQ(objects[4]["left"].get<int>() + objects[4]["width"].get<int>() / 2, 300);
    EXPECT_TRUE(objects[5].contains("vx") && objects[5].contains("vy"));
    EXPECT_FALSE(objects[5].contains("rotation"));
    EXPECT_EQ(objects[6]["centreX"], -10.0);
    EXPECT_EQ(objects[6]["rotation"], 3.0);
}

TEST_F(RenderTool, MotionFramesMoveTheSceneAndTimingReportsEveryPhase)
{
    const TRun run = Run({"--size", "300x400", "--magnet", "150,60", "--steps", "3", "--ticks", "2", "--frames",
                          "2", "--timing", "--state", "s.json"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const nlohmann::json state = State();
    EXPECT_EQ(state["switches"]["movement"], false); // restored to the scene's own
    ASSERT_EQ(state["objects"].size(), 2u);
    EXPECT_NE(state["objects"][1]["centreY"], 60.0); // the two magnets attract each other

    std::istringstream lines(run.Out);
    std::string line;
    std::vector<std::string> phases;
    while (std::getline(lines, line)) {
        char name[32] = {};
        unsigned count = 0;
        double low = -1.0;
        double median = -1.0;
        double high = -1.0;
        int consumed = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%31[a-z-]: n=%u min=%lf median=%lf max=%lf%n", name, &count, &low, &median,
                              &high, &consumed),
                  5)
            << line;
        EXPECT_EQ(static_cast<size_t>(consumed), line.size()) << line;
        EXPECT_TRUE(0.0 <= low && low <= median && median <= high) << line;
        EXPECT_EQ(line.substr(line.size() - 4, 1), ".") << line; // milliseconds with three decimals
        phases.push_back(std::string(name) + " " + std::to_string(count));
    }
    EXPECT_EQ(phases, (std::vector<std::string>{"startup 1", "first-frame 1", "motion-frame 3", "still-frame 2"}));
}

TEST_F(RenderTool, OutputsDoNotDependOnTheThreadCount)
{
    const std::vector<std::string> scene = {"--size", "200x150", "--seed", "7", "--compass", "40,40", "--filings",
                                            "100,75", "--layers", "grid,map,lines,filings", "--steps", "2"};
    std::vector<std::string> one = scene;
    one.insert(one.end(), {"--threads", "1", "--out", "a.bmp", "--state", "a.json"});
    std::vector<std::string> two = scene;
    two.insert(two.end(), {"--threads", "2", "--out", "b.bmp", "--state", "b.json"});
    ASSERT_EQ(Run(one).Status, 0);
    ASSERT_EQ(Run(two).Status, 0);
    EXPECT_EQ(ReadFile(Dir / "a.bmp"), ReadFile(Dir / "b.bmp"));
    EXPECT_EQ(ReadFile(Dir / "a.json"), ReadFile(Dir / "b.json"));
}

#endif
