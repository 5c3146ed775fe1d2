#include "chart_table.h"

#include "better_kind_text.h"
#include "number_text.h"
#include "shown_train.h"

namespace {

// The letters of the positions: A, the idler, D; A to D; A to F.
std::string PositionName(std::size_t gears, std::size_t at) {
    if (gears == 3) {
        return at == 1 ? "idler" : at == 0 ? "A" : "D";
    }
    return std::string(1, static_cast<char>('A' + at));
}

std::string TrainName(const SolutionRecord& train, const TrainFacts& facts) {
    if (!facts.positions) {
        std::string name = "drivers " + GearsText(Drivers(train), " and ");
        name += ", driven " + GearsText(Driven(train), " and ");
        return name;
    }
    std::string name;
    const std::vector<std::uint32_t>& gears = *facts.positions;
    for (std::size_t at = 0; at < gears.size(); ++at) {
        name += name.empty() ? "" : ", ";
        name += PositionName(gears.size(), at) + " " + std::to_string(gears[at]);
    }
    return name;
}

// The threads of the rows at these places, by name: "72 TPI, 80 TPI".
std::string ThreadNames(const Chart& chart, const std::vector<std::size_t>& rows, const char* between) {
    std::string names;
    for (const std::string& name : RowNames(chart, rows)) {
        names += names.empty() ? "" : between;
        names += name;
    }
    return names;
}

// The row's mark followed by another kind of train that does better.
std::string MarkCell(const ChartLine& line) {
    if (line.mark.empty() || line.betterKind.empty()) {
        return line.mark + line.betterKind;
    }
    return line.mark + "; " + line.betterKind;
}

} // namespace

std::optional<SolutionRecord> RowTrain(const ChartRow& row) {
    return row.best ? row.best : row.nearest;
}

bool ChartHasPositionColumns(const ChartRequest& request) {
    return request.search.train == TrainKind::Compound && request.search.fitMargin;
}

TrainFacts RowFacts(const ChartRequest& request, const ChartRow& row, const SolutionRecord& train) {
    return FactsOf({}, ArrangingOf(request.search.fitMargin, request.search.banjo), train, row.target,
                   row.thread, request.search.gearbox);
}

std::string RowMark(const ChartRequest& request, const ChartRow& row) {
    if (row.best) {
        return "";
    }
    return row.nearest ? OutsideVerdict(request.search.tolerance, row.target, TrainRatio(*row.nearest), true)
                       : NoUsableTrain();
}

ChartTable MakeChartTable(const ChartRequest& request, const Chart& chart) {
    const bool columns = ChartHasPositionColumns(request);
    ChartTable table;
    table.headers = {"Thread", "Ratio"};
    const std::optional<BoxSettings>& gearbox = request.search.gearbox;
    if (gearbox) {
        table.headers.emplace_back("Setting");
    }
    for (const char* header :
         columns ? std::vector<const char*>{"A", "B", "C", "D"} : std::vector<const char*>{"Gears"}) {
        table.headers.emplace_back(header);
    }
    // The columns after the gears: the lead, its errors, the dial where the lathe has one, the mark.
    const bool dial = request.lathe.dial.has_value();
    const std::size_t after = dial ? 5 : 4;
    for (const char* header : {"Lead", "Error", "Measured", "Dial", "Mark"}) {
        if (dial || std::string_view(header) != "Dial") {
            table.headers.emplace_back(header);
        }
    }
    for (const ChartRow& row : chart.rows) {
        ChartLine line;
        line.cells = {ThreadName(row.thread), FormatFixed(row.target, 6)};
        line.train = RowTrain(row);
        if (gearbox) {
            line.cells.push_back(line.train ? SettingCell(*line.train, gearbox) : "");
        }
        line.within = row.best.has_value();
        line.mark = RowMark(request, row);
        line.betterKind = BetterKindOfRow(request, row);
        if (!line.train) {
            line.cells.resize(table.headers.size());
            line.cells.back() = MarkCell(line);
            table.lines.push_back(std::move(line));
            continue;
        }
        line.facts = RowFacts(request, row, *line.train);
        const TrainFacts& facts = line.facts;
        if (columns && facts.arrangement) {
            for (const std::string& gear : GearsAbcd(*facts.arrangement)) {
                line.cells.push_back(gear);
            }
        } else {
            line.cells.push_back(TrainGearsText(*line.train, facts));
            line.cells.resize(table.headers.size() - after);
        }
        line.cells.push_back(facts.leadText);
        line.cells.push_back(PpmText(facts.leadErrorPpm));
        line.cells.push_back(MeasuredErrorText(row.thread, facts.leadErrorPpm));
        if (dial) {
            line.cells.push_back(facts.dial ? facts.dial->text : "");
        }
        line.cells.push_back(MarkCell(line));
        line.trainName = line.train->gears == 0 ? facts.settingText
                         : gearbox              ? facts.settingText + ", " + TrainName(*line.train, facts)
                                                : TrainName(*line.train, facts);
        table.lines.push_back(std::move(line));
    }
    return table;
}

std::string BetterKindOfRow(const ChartRequest& request, const ChartRow& row) {
    if (!row.betterKind) {
        return "";
    }
    return BetterKindText(*row.betterKind,
                          {request.search.train, request.search.fitMargin, request.search.banjo}, row.target,
                          row.thread);
}

std::vector<std::string> RowNames(const Chart& chart, const std::vector<std::size_t>& rows) {
    std::vector<std::string> names;
    for (const std::size_t row : rows) {
        names.push_back(ThreadName(chart.rows[row].thread));
    }
    return names;
}

std::vector<std::size_t> RowsOutside(const Chart& chart) {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < chart.rows.size(); ++i) {
        if (!chart.rows[i].best) {
            rows.push_back(i);
        }
    }
    return rows;
}

std::string PlateOnlyLine(const ChartRequest& request, const Chart& chart) {
    if (!request.search.gearbox || !request.search.gearbox->plateOnly) {
        return {};
    }
    const std::vector<std::size_t> outside = RowsOutside(chart);
    return outside.empty()
               ? "With the plate's gears the box cuts every thread within tolerance.\n"
               : "Without other change gears the box cannot cut: " + ThreadNames(chart, outside, ", ") + "\n";
}

std::string SuggestionEffect(const Chart& chart, const GearSuggestion& suggestion) {
    const auto names = [&](const std::vector<std::size_t>& rows) {
        return rows.empty() ? std::string("none") : ThreadNames(chart, rows, ", ");
    };
    return "brings in " + names(suggestion.broughtIn) + "; still outside: " + names(suggestion.stillOutside);
}

std::string ChartSummary(const ChartRequest& request, const Chart& chart) {
    std::string text = std::to_string(chart.score.rowsWithin) + " of " + std::to_string(chart.rows.size());
    text += " within " + ToleranceShort(request.search.tolerance);
    if (chart.score.rowsWithin != 0) {
        const double worst = chart.score.worstPpm;
        text += "; worst " + FormatFixed(worst, worst < 9.95 ? 1 : 0) + " ppm";
    }
    return text;
}

// With no thread within tolerance the count ends it: there is no worst lead
// error among none, and every row counts the same badness.
std::string ChartScoreText(const ChartScore& score, std::size_t rows) {
    std::string text =
        std::to_string(score.rowsWithin) + " of " + std::to_string(rows) + " threads within tolerance";
    if (score.rowsWithin == 0) {
        return text;
    }
    return text + "; worst lead error " + FormatFixed(score.worstPpm, 1) + " ppm; total badness " +
           FormatFixed(score.badness, 2);
}

std::string ChartCsv(const ChartRequest& request, const Chart& chart) {
    const bool columns = ChartHasPositionColumns(request);
    std::string out =
        columns ? "thread,pitchMm,unit,value,target,A,B,C,D,achievedRatio,error,lead,leadErrorPpm"
                : "thread,pitchMm,unit,value,target,kind,drivers,driven,idler,achievedRatio,error,lead,"
                  "leadErrorPpm";
    const bool dial = request.lathe.dial.has_value();
    const bool gearbox = request.search.gearbox.has_value();
    out += request.search.banjo ? ",stud" : "";
    out += gearbox ? ",setting,plateGears" : "";
    out += dial ? ",dialGear,dialStep,verdict,betterKind\n" : ",verdict,betterKind\n";
    const auto field = [&out](const std::string& text) {
        out += ',';
        out += text;
    };
    for (const ChartRow& row : chart.rows) {
        const Pitch& pitch = row.thread.pitch;
        out += ThreadName(row.thread);
        for (const std::string& text : {FormatShortest(PitchMm(pitch)), std::string(TextOf(pitch.unit).key),
                                        FormatShortest(pitch.value), FormatShortest(row.target)}) {
            field(text);
        }
        const std::optional<SolutionRecord> train = RowTrain(row);
        std::string stud;
        std::string setting;
        bool plate = false;
        std::optional<DialAdvice> advice;
        if (train) {
            const TrainFacts facts = RowFacts(request, row, *train);
            if (columns) {
                for (const std::string& gear :
                     facts.arrangement ? GearsAbcd(*facts.arrangement) : std::array<std::string, 4>{}) {
                    field(gear);
                }
            } else {
                field(std::to_string(train->gears));
                field(GearsText(SideGears(*train, facts, true)));
                field(GearsText(SideGears(*train, facts, false)));
                field(train->gears == 2 ? std::to_string(train->idler) : "");
            }
            for (const std::string& text :
                 {facts.texts.achievedRatio, facts.texts.error, FormatShortest(*facts.lead),
                  FormatShortest(facts.leadErrorPpm)}) {
                field(text);
            }
            stud = StudField(facts);
            advice = facts.dial;
            setting = facts.setting;
            plate = train->gears == 0;
        } else {
            out += std::string(8, ','); // the train's fields, as many in either layout
        }
        if (request.search.banjo) {
            field(stud);
        }
        if (gearbox) {
            field(setting);
            field(train ? (plate ? "true" : "false") : "");
        }
        if (dial) {
            // The step in lines (1 any line, the dial's lines the same line; 0: keep the half-nut closed).
            field(advice ? std::to_string(advice->gear) : "");
            field(advice ? std::to_string(advice->step) : "");
        }
        field(RowMark(request, row));
        field(BetterKindOfRow(request, row));
        out += '\n';
    }
    if (request.suggest != 0) {
        out += "\ntooth,rowsWithin,worstLeadErrorPpm,totalBadness,bringsIn,stillOutside\n";
        for (const GearSuggestion& suggestion : chart.suggestions) {
            out += std::to_string(suggestion.tooth) + "," + std::to_string(suggestion.score.rowsWithin) +
                   "," + FormatShortest(suggestion.score.worstPpm) + "," +
                   FormatShortest(suggestion.score.badness) + "," +
                   ThreadNames(chart, suggestion.broughtIn, "; ") + "," +
                   ThreadNames(chart, suggestion.stillOutside, "; ") + "\n";
        }
    }
    return out;
}
