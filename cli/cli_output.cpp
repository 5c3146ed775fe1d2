#include "cli_output.h"

#include "number_text.h"
#include "solution_texts.h"

namespace {

std::string_view OutcomeName(SearchOutcome outcome) {
    switch (outcome) {
    case SearchOutcome::NoStock:
        return "NoStock";
    case SearchOutcome::OutOfRange:
        return "OutOfRange";
    case SearchOutcome::Searched:
        break;
    }
    return "Searched";
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

SolutionTexts TextsOf(const CliRequest& request, const SolutionRecord& record) {
    return MakeSolutionTexts(record, request.ratioText, request.firstDriverSmaller,
                             request.firstDrivenLarger);
}

// Columns wide enough for every train the search can return: tooth counts up
// to 165, achieved ratios below 107, errors above -108.
std::string FormatText(const CliRequest& request, const SearchResult& result) {
    std::string out = "Outcome: " + std::string(OutcomeName(result.outcome)) + "\n";
    out += "Candidates: " + std::to_string(result.candidateCount) + "\n";
    unsigned number = 0;
    for (const SolutionRecord& record : result.solutions) {
        SolutionTexts texts = TextsOf(request, record);
        out += PadLeft(std::to_string(++number), 3) + "  " + PadLeft(texts.firstDriver, 3) + " " +
               PadLeft(texts.firstDriven, 3) + " " + PadLeft(texts.secondDriver, 3) + " " +
               PadLeft(texts.secondDriven, 3) + "  " + PadLeft(texts.achievedRatio, 18) + "  " +
               PadLeft(texts.error, 19);
        if (!texts.zeroCount.empty()) {
            out += "  " + PadLeft(texts.zeroCount, 2);
        }
        out += "\n";
    }
    return out;
}

std::string FormatCsv(const CliRequest& request, const SearchResult& result) {
    std::string out =
        "number,firstDriver,firstDriven,secondDriver,secondDriven,achievedRatio,error,zeroCount\n";
    unsigned number = 0;
    for (const SolutionRecord& record : result.solutions) {
        SolutionTexts texts = TextsOf(request, record);
        out += std::to_string(++number) + "," + texts.firstDriver + "," + texts.firstDriven + "," +
               texts.secondDriver + "," + texts.secondDriven + "," + texts.achievedRatio + "," + texts.error +
               "," + texts.zeroCount + "\n";
    }
    return out;
}

// One object; each solution on a line of its own. Every string written here
// is a fixed name or a number's text, so nothing needs escaping.
std::string FormatJson(const CliRequest& request, const SearchResult& result) {
    std::string out = "{\"target\":" + FormatShortest(RatioFromText(request.ratioText)) + ",\"outcome\":\"" +
                      std::string(OutcomeName(result.outcome)) +
                      "\",\"candidateCount\":" + std::to_string(result.candidateCount) + ",\"solutions\":[";
    const char* separator = "\n";
    for (const SolutionRecord& record : result.solutions) {
        SolutionTexts texts = TextsOf(request, record);
        out += separator;
        out += "{\"driver1\":" + std::to_string(record.driver1) +
               ",\"driver2\":" + std::to_string(record.driver2) +
               ",\"driven1\":" + std::to_string(record.driven1) +
               ",\"driven2\":" + std::to_string(record.driven2) +
               ",\"error\":" + FormatShortest(record.error) + ",\"achievedRatio\":\"" + texts.achievedRatio +
               "\",\"errorText\":\"" + texts.error +
               "\",\"zeroCount\":" + (texts.zeroCount.empty() ? "null" : texts.zeroCount) + "}";
        separator = ",\n";
    }
    out += result.solutions.empty() ? "]}\n" : "\n]}\n";
    return out;
}

} // namespace

std::string FormatResult(const CliRequest& request, const SearchResult& result) {
    switch (request.format) {
    case OutputFormat::Csv:
        return FormatCsv(request, result);
    case OutputFormat::Json:
        return FormatJson(request, result);
    case OutputFormat::Text:
        break;
    }
    return FormatText(request, result);
}
