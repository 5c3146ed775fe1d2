// Runs the built tandrel-cli (tandrel-cli.exe under Wine) with its output
// streams in files and checks its exit code and both streams.
#include "number_text.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <sys/wait.h>
#endif

namespace {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

std::string ProgramPath() {
    std::string path = TANDREL_CLI_PATH;
#ifdef _WIN32
    // Under Wine the build tree's Unix path is seen through drive Z:.
    if (path.starts_with("/")) {
        path = "Z:" + path;
    }
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

#ifdef _WIN32
// Starts the program directly, with this process's output streams pointed at
// the two files for the time of the run: no shell in between, whose start under
// Wine can fail now and then. The C runtime joins the arguments with spaces as
// they stand, so `arguments` reaches the program as typed.
int RunProcess(const std::string& arguments, const std::filesystem::path& outPath,
               const std::filesystem::path& errPath) {
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = _dup(1);
    const int savedErr = _dup(2);
    for (auto [fd, path] : {std::pair{1, &outPath}, std::pair{2, &errPath}}) {
        const int file =
            _wopen(path->c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
        _dup2(file, fd);
        _close(file);
    }
    const std::string program = ProgramPath();
    const std::string quoted = "\"" + program + "\"";
    const char* argv[] = {quoted.c_str(), arguments.c_str(), nullptr};
    const intptr_t exitCode = _spawnv(_P_WAIT, program.c_str(), argv);
    _dup2(savedOut, 1);
    _dup2(savedErr, 2);
    _close(savedOut);
    _close(savedErr);
    return static_cast<int>(exitCode);
}
#else
int RunProcess(const std::string& arguments, const std::filesystem::path& outPath,
               const std::filesystem::path& errPath) {
    std::string command =
        ProgramPath() + " " + arguments + " >\"" + outPath.string() + "\" 2>\"" + errPath.string() + "\"";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

// arguments: as typed after the program name; quoted with "..." where needed,
// which /bin/sh and the C runtime's command-line parsing read the same way.
CliRun RunCli(const std::string& arguments) {
    std::random_device random;
    std::filesystem::path base =
        std::filesystem::temp_directory_path() / ("tandrel-cli-test-" + std::to_string(random()));
    std::filesystem::path outPath = base.string() + ".out";
    std::filesystem::path errPath = base.string() + ".err";
    int exitCode = RunProcess(arguments, outPath, errPath);
    CliRun run{exitCode, ReadFile(outPath), ReadFile(errPath)};
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(text);
    while (std::getline(stream, part, separator)) {
        parts.push_back(part);
    }
    return parts;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream stream(line);
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

// Stock 20 and 40, two of each: the one train 20*20/(40*40) = 0.25, 0.0008 above the target.
const char kOneTrain[] = "--teeth 20,40 --mult 20=2 --mult=40=2 0.2492";

} // namespace

// Exact bytes, so that both platforms are held to the same output: "\n" line
// ends and the same number texts.
TEST(CliTool, OneTrainInEachFormat) {
    struct Case {
        const char* format;
        const char* out;
    } cases[] = {
        {"text", "Outcome: Searched\n"
                 "Candidates: 1\n"
                 "  1   20  40  20  40    0.25000000000000     0.00080000000000   3\n"},
        {"csv", "number,firstDriver,firstDriven,secondDriver,secondDriven,achievedRatio,error,zeroCount\n"
                "1,20,40,20,40,0.25000000000000,0.00080000000000,3\n"},
        {"json",
         "{\"target\":0.2492,\"outcome\":\"Searched\",\"candidateCount\":1,\"search\":\"bisection\","
         "\"solutions\":[\n"
         "{\"driver1\":20,\"driver2\":20,\"driven1\":40,\"driven2\":40,\"error\":0.0007999999999999952,"
         "\"signedError\":0.0007999999999999952,"
         "\"achievedRatio\":\"0.25000000000000\",\"errorText\":\"0.00080000000000\",\"zeroCount\":3,"
         "\"kind\":4,\"drivers\":[20,20],\"driven\":[40,40],\"gears\":[20,40,20,40]}\n"
         "]}\n"},
    };
    for (const Case& c : cases) {
        CliRun run = RunCli(std::string("--format ") + c.format + " " + kOneTrain);
        EXPECT_EQ(run.exitCode, 0) << c.format;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "") << c.format;
    }
}

// Many trains from the default gear set, with either order of the gears: the
// JSON and the text tell the same story.
TEST(CliTool, JsonAgreesWithText) {
    for (std::string flags : {"", "--driver-larger-first --driven-smaller-first "}) {
        bool defaultOrder = flags.empty();
        CliRun text = RunCli(flags + "1.2345");
        CliRun json = RunCli(flags + "--format json 1.2345");
        ASSERT_EQ(text.exitCode, 0);
        ASSERT_EQ(json.exitCode, 0);
        const nlohmann::json result = nlohmann::json::parse(json.out);
        std::vector<std::string> lines = Split(text.out, '\n');
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(result["target"], 1.2345);
        EXPECT_EQ(lines[0], "Outcome: " + result["outcome"].get<std::string>());
        EXPECT_EQ(lines[1], "Candidates: " + result["candidateCount"].dump());
        const nlohmann::json& trains = result["solutions"];
        ASSERT_EQ(lines.size(), trains.size() + 2);
        EXPECT_GT(trains.size(), 10u);
        double previousError = 0;
        for (std::size_t i = 0; i < trains.size(); ++i) {
            const nlohmann::json& train = trains[i];
            std::vector<std::string> words = Words(lines[i + 2]);
            ASSERT_GE(words.size(), 7u) << lines[i + 2];
            EXPECT_EQ(words[0], std::to_string(i + 1));
            const char* firstDriver = defaultOrder ? "driver1" : "driver2";
            const char* secondDriver = defaultOrder ? "driver2" : "driver1";
            const char* firstDriven = defaultOrder ? "driven2" : "driven1";
            const char* secondDriven = defaultOrder ? "driven1" : "driven2";
            EXPECT_EQ(words[1], train[firstDriver].dump());
            EXPECT_EQ(words[2], train[firstDriven].dump());
            EXPECT_EQ(words[3], train[secondDriver].dump());
            EXPECT_EQ(words[4], train[secondDriven].dump());
            EXPECT_LE(train["driver1"], train["driver2"]);
            EXPECT_LE(train["driven1"], train["driven2"]);
            EXPECT_EQ(words[5], train["achievedRatio"]);
            EXPECT_EQ(words[6], train["errorText"]);
            if (train["zeroCount"].is_null()) {
                EXPECT_EQ(words.size(), 7u);
            } else {
                ASSERT_EQ(words.size(), 8u);
                EXPECT_EQ(words[7], train["zeroCount"].dump());
            }
            EXPECT_EQ(FormatFixed14(train["signedError"].get<double>()), train["errorText"]);
            const double error = train["error"];
            EXPECT_LT(error, 0.002);
            EXPECT_GE(error, previousError);
            previousError = error;
        }
    }
}

TEST(CliTool, EmptyResultsAreNoError) {
    struct Case {
        const char* arguments;
        const char* out;
    } cases[] = {
        {"--teeth 20,40x2,41 4.9", "Outcome: Searched\nCandidates: 0\n"},
        {"0", "Outcome: the target ratio is below every ratio the gears on hand make\nCandidates: 0\n"},
        {"--teeth 20,21 30",
         "Outcome: the target ratio is above every ratio the gears on hand make\nCandidates: 0\n"},
        {"--gears 0000 1.5", "Outcome: no gears on hand\nCandidates: 0\n"},
        // Too few gears for a train of the kind: the outcome says why nothing was found.
        {"--teeth 127 1.5", "Outcome: too few gears on hand: a compound train needs 4, and 1 is on hand\n"
                            "Candidates: 0\n"},
        {"--teeth 20,40 --format csv 4.9",
         "number,firstDriver,firstDriven,secondDriver,secondDriven,achievedRatio,error,zeroCount\n"},
        {"--format json 0",
         "{\"target\":0,\"outcome\":\"OutOfRange\",\"candidateCount\":0,\"search\":\"bisection\","
         "\"solutions\":[],\"outcomeText\":\"the target ratio is below every ratio the gears on hand "
         "make\"}\n"},
        // The target is the number that the first 17 characters give.
        {"--gears 0000 --format json 1.234567890123456789",
         "{\"target\":1.234567890123456,\"outcome\":\"NoStock\",\"candidateCount\":0,\"search\":"
         "\"bisection\",\"solutions\":[],\"outcomeText\":\"no gears on hand\"}\n"},
    };
    for (const Case& c : cases) {
        CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments;
        EXPECT_EQ(run.out, c.out) << c.arguments;
        EXPECT_EQ(run.err, "") << c.arguments;
    }
}

TEST(CliTool, HelpGoesToStandardOutput) {
    CliRun run = RunCli("--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: tandrel-cli")) << run.out;
    EXPECT_NE(run.out.find("--driven-smaller-first"), std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_EQ(run.err, "");
}

// The messages are checked in-process (RunTool.BadInputs); here the real
// program's exit code and streams, for a quoted empty argument too.
TEST(CliTool, BadArgumentsExitWithTwo) {
    struct Case {
        const char* arguments;
        const char* named;
    } cases[] = {
        {"", "RATIO"},
        {"--format csv \"\"", "RATIO"},
        {"--teeth 20-170 1", "20-170"},
        {"--pitch 1.25inch --leadscrew 2mm", "inch"},
    };
    for (const Case& c : cases) {
        CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}
