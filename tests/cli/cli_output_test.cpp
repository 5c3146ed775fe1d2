#include "cli_output.h"

#include <gtest/gtest.h>

namespace {

// Two trains against the ratio text 0.6667: 20*30/(25*36) = 2/3 and 20*40/(30*50) = 8/15.
// The records' own errors are printed only in JSON, so they are chosen to be recognisable.
SearchResult TwoTrains() {
    return {SearchOutcome::Searched, 12, {{3.3333333333e-05, 20, 30, 25, 36}, {0.0015, 20, 40, 30, 50}}};
}

CliRequest RequestFor(OutputFormat format) {
    CliRequest request;
    request.search.target = 0.6667;
    request.format = format;
    return request;
}

} // namespace

TEST(FormatResult, TextAlignsTheWindowTexts) {
    EXPECT_EQ(FormatResult(RequestFor(OutputFormat::Text), TwoTrains()),
              "Outcome: Searched\n"
              "Candidates: 12\n"
              "  1   20  36  30  25    0.66666666666667    -0.00003333333333   4\n"
              "  2   20  50  40  30    0.53333333333333    -0.13336666666667\n");
}

TEST(FormatResult, CsvFollowsTheOptionFlags) {
    CliRequest request = RequestFor(OutputFormat::Csv);
    request.firstDriverSmaller = false;
    request.firstDrivenLarger = false;
    EXPECT_EQ(FormatResult(request, TwoTrains()),
              "number,firstDriver,firstDriven,secondDriver,secondDriven,achievedRatio,error,zeroCount\n"
              "1,30,25,20,36,0.66666666666667,-0.00003333333333,4\n"
              "2,40,30,20,50,0.53333333333333,-0.13336666666667,\n");
    request.firstDrivenLarger = true;
    EXPECT_NE(FormatResult(request, TwoTrains()).find("\n1,30,36,20,25,"), std::string::npos);
}

TEST(FormatResult, JsonCarriesRecordsAndTexts) {
    // The gear fields are the record's ascending pairs, whatever the option flags say; "gears" is
    // the order the flags give, as the text shows it.
    CliRequest request = RequestFor(OutputFormat::Json);
    request.firstDriverSmaller = false;
    EXPECT_EQ(FormatResult(request, TwoTrains()),
              "{\"target\":0.6667,\"outcome\":\"Searched\",\"candidateCount\":12,\"search\":\"bisection\","
              "\"solutions\":[\n"
              "{\"driver1\":20,\"driver2\":30,\"driven1\":25,\"driven2\":36,\"error\":3.3333333333e-05,"
              "\"signedError\":-3.333333333332966e-05,"
              "\"achievedRatio\":\"0.66666666666667\",\"errorText\":\"-0.00003333333333\",\"zeroCount\":4,"
              "\"kind\":4,\"drivers\":[20,30],\"driven\":[25,36],\"gears\":[30,36,20,25]},\n"
              "{\"driver1\":20,\"driver2\":40,\"driven1\":30,\"driven2\":50,\"error\":0.0015,"
              "\"signedError\":-0.13336666666666663,"
              "\"achievedRatio\":\"0.53333333333333\",\"errorText\":\"-0.13336666666667\",\"zeroCount\":null,"
              "\"kind\":4,\"drivers\":[20,40],\"driven\":[30,50],\"gears\":[40,50,20,30]}\n"
              "]}\n");
}
