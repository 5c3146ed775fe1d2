// Runs the built tandrel-cli (tandrel-cli.exe under Wine) with its output
// streams in files and checks its exit code and both streams.
#include "number_text.h"

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

// Just enough JSON for the tool's output: objects, arrays, strings without
// escapes, numbers and null. A parse failure leaves ok false.
struct Json {
    enum Kind { Null, Number, String, Array, Object } kind = Null;
    double number = 0;
    std::string text;
    std::vector<std::string> keys; // Object: keys[i] names items[i]
    std::vector<Json> items;

    const Json& operator[](const std::string& key) const {
        static const Json missing;
        auto at = std::find(keys.begin(), keys.end(), key);
        return at == keys.end() ? missing : items[static_cast<std::size_t>(at - keys.begin())];
    }
};

class JsonReader {
  public:
    explicit JsonReader(const std::string& text) : text_(text) {}

    bool ReadDocument(Json& value) {
        bool ok = ReadValue(value);
        SkipSpace();
        return ok && at_ == text_.size();
    }

  private:
    void SkipSpace() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\t')) {
            ++at_;
        }
    }

    bool Take(char c) {
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    bool ReadString(std::string& text) {
        if (!Take('"')) {
            return false;
        }
        auto end = text_.find('"', at_);
        if (end == std::string::npos || text_.find('\\', at_) < end) {
            return false;
        }
        text = text_.substr(at_, end - at_);
        at_ = end + 1;
        return true;
    }

    bool ReadValue(Json& value) {
        SkipSpace();
        if (text_.compare(at_, 4, "null") == 0) {
            at_ += 4;
            value.kind = Json::Null;
            return true;
        }
        if (at_ < text_.size() && text_[at_] == '"') {
            value.kind = Json::String;
            return ReadString(value.text);
        }
        if (Take('[')) {
            value.kind = Json::Array;
            if (Take(']')) {
                return true;
            }
            do {
                value.items.emplace_back();
                if (!ReadValue(value.items.back())) {
                    return false;
                }
            } while (Take(','));
            return Take(']');
        }
        if (Take('{')) {
            value.kind = Json::Object;
            if (Take('}')) {
                return true;
            }
            do {
                value.keys.emplace_back();
                value.items.emplace_back();
                if (!ReadString(value.keys.back()) || !Take(':') || !ReadValue(value.items.back())) {
                    return false;
                }
            } while (Take(','));
            return Take('}');
        }
        auto end = text_.find_first_not_of("-+.0123456789eE", at_);
        end = end == std::string::npos ? text_.size() : end;
        if (end == at_) {
            return false;
        }
        value.kind = Json::Number;
        value.number = ReadNumber(text_.substr(at_, end - at_));
        at_ = end;
        return true;
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

Json ParseJson(const std::string& text) {
    Json value;
    EXPECT_TRUE(JsonReader(text).ReadDocument(value)) << text;
    return value;
}

std::string WholeText(double n) {
    return std::to_string(static_cast<unsigned>(n));
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
         "{\"target\":0.2492,\"outcome\":\"Searched\",\"candidateCount\":1,\"solutions\":[\n"
         "{\"driver1\":20,\"driver2\":20,\"driven1\":40,\"driven2\":40,\"error\":0.0007999999999999952,"
         "\"achievedRatio\":\"0.25000000000000\",\"errorText\":\"0.00080000000000\",\"zeroCount\":3}\n"
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
        Json result = ParseJson(json.out);
        std::vector<std::string> lines = Split(text.out, '\n');
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(result["target"].number, 1.2345);
        EXPECT_EQ(lines[0], "Outcome: " + result["outcome"].text);
        EXPECT_EQ(lines[1], "Candidates: " + WholeText(result["candidateCount"].number));
        const std::vector<Json>& trains = result["solutions"].items;
        ASSERT_EQ(lines.size(), trains.size() + 2);
        EXPECT_GT(trains.size(), 10u);
        double previousError = 0;
        for (std::size_t i = 0; i < trains.size(); ++i) {
            const Json& train = trains[i];
            std::vector<std::string> words = Words(lines[i + 2]);
            ASSERT_GE(words.size(), 7u) << lines[i + 2];
            EXPECT_EQ(words[0], std::to_string(i + 1));
            const char* firstDriver = defaultOrder ? "driver1" : "driver2";
            const char* secondDriver = defaultOrder ? "driver2" : "driver1";
            const char* firstDriven = defaultOrder ? "driven2" : "driven1";
            const char* secondDriven = defaultOrder ? "driven1" : "driven2";
            EXPECT_EQ(words[1], WholeText(train[firstDriver].number));
            EXPECT_EQ(words[2], WholeText(train[firstDriven].number));
            EXPECT_EQ(words[3], WholeText(train[secondDriver].number));
            EXPECT_EQ(words[4], WholeText(train[secondDriven].number));
            EXPECT_LE(train["driver1"].number, train["driver2"].number);
            EXPECT_LE(train["driven1"].number, train["driven2"].number);
            EXPECT_EQ(words[5], train["achievedRatio"].text);
            EXPECT_EQ(words[6], train["errorText"].text);
            if (train["zeroCount"].kind == Json::Null) {
                EXPECT_EQ(words.size(), 7u);
            } else {
                ASSERT_EQ(words.size(), 8u);
                EXPECT_EQ(words[7], WholeText(train["zeroCount"].number));
            }
            EXPECT_LT(train["error"].number, 0.002);
            EXPECT_GE(train["error"].number, previousError);
            previousError = train["error"].number;
        }
    }
}

TEST(CliTool, EmptyResultsAreNoError) {
    struct Case {
        const char* arguments;
        const char* out;
    } cases[] = {
        {"--teeth 20,40 4.9", "Outcome: Searched\nCandidates: 0\n"},
        {"0", "Outcome: OutOfRange\nCandidates: 0\n"},
        {"--gears 0000 1.5", "Outcome: NoStock\nCandidates: 0\n"},
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

TEST(CliTool, BadArgumentsExitWithTwo) {
    struct Case {
        const char* arguments;
        const char* named;
    } cases[] = {
        {"", "RATIO"},
        {"--format csv \"\"", "RATIO"},
        {"-1.5", "-1.5"},
        {"1.2.3", "1.2.3"},
        {"abc", "abc"},
        {"--teeth 20-170 1", "20-170"},
        {"--teeth 12 1", "'12'"},
        {"--mult 40=4 1", "40=4"},
        {"--mult 40:2 1", "40:2"},
        {"--gears 01x1 1", "01x1"},
        {"--frobnicate 1", "--frobnicate"},
        {"--format xml 1", "xml"},
        {"1 2", "'2'"},
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
