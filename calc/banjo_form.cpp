#include "banjo_form.h"

#include "number_text.h"
#include "stock.h"

#include <cstdint>
#include <type_traits>
#include <utility>

std::string ReadClearanceText(std::string_view text, double& value) {
    // Any zero: "0", "0.0", "0,00".
    if (double read = 0; ReadRatio(text, read).empty() && ReadNumber(WithDecimalPoint(text)) == 0) {
        value = 0;
        return {};
    }
    return ReadPositiveNumber(text, value);
}

std::string ReadDiametralPitchText(std::string_view text, double& dp) {
    std::string problem = ReadPositiveNumber(text, dp);
    if (problem.empty() && !(25.4 / dp > 0)) {
        problem = "is too large";
    }
    return problem;
}

BanjoForm FormOf(const std::optional<Banjo>& banjo, const std::optional<double>& dp) {
    BanjoForm form;
    const auto set = [&form](BanjoField field, std::string text) {
        form.texts[static_cast<std::size_t>(field)] = std::move(text);
    };
    if (!banjo) {
        set(BanjoField::Clearance, FormatShortestFixed(Banjo{}.clearance));
        return form;
    }
    form.dp = dp.has_value();
    set(BanjoField::Pitch, FormatShortestFixed(dp.value_or(banjo->module)));
    set(BanjoField::CentreDistance, FormatShortestFixed(banjo->centreDistance));
    set(BanjoField::StudMin, FormatShortestFixed(banjo->studMin));
    set(BanjoField::StudMax, FormatShortestFixed(banjo->studMax));
    set(BanjoField::Clearance, FormatShortestFixed(banjo->clearance));
    set(BanjoField::MaxA, banjo->maxA ? std::to_string(*banjo->maxA) : "");
    set(BanjoField::MaxLast, banjo->maxLast ? std::to_string(*banjo->maxLast) : "");
    return form;
}

std::optional<BanjoFormProblem> ReadBanjoForm(const BanjoForm& form, const BanjoFieldNames& names,
                                              Banjo& banjo, std::optional<double>& dp) {
    const auto text = [&form](BanjoField field) -> const std::string& {
        return form.texts[static_cast<std::size_t>(field)];
    };
    const auto name = [&names](BanjoField field) { return names.names[static_cast<std::size_t>(field)]; };
    // Reads one field with its reader into its figure; the refusal when it does not read.
    const auto read = [&](BanjoField field, auto reader, auto& figure, std::string_view said = {}) {
        typename std::remove_reference_t<decltype(figure)>::value_type value{};
        if (std::string problem = reader(text(field), value); !problem.empty()) {
            return std::optional(
                BanjoFormProblem{field, Refusal(said.empty() ? name(field) : said, text(field), problem)});
        }
        figure = value;
        return std::optional<BanjoFormProblem>();
    };
    const auto teeth = [](std::string_view text, std::uint32_t& value) {
        return ReadWholeNumber(text, kFirstTooth, kLastTooth, value);
    };
    BanjoFigures figures;
    std::optional<BanjoFormProblem> problem =
        form.dp ? read(BanjoField::Pitch, ReadDiametralPitchText, figures.dp, names.dp)
                : read(BanjoField::Pitch, ReadPositiveNumber, figures.module);
    for (auto [field, figure] : {std::pair{BanjoField::CentreDistance, &figures.centreDistance},
                                 {BanjoField::StudMin, &figures.studMin},
                                 {BanjoField::StudMax, &figures.studMax}}) {
        problem = problem ? problem : read(field, ReadPositiveNumber, *figure);
    }
    problem = problem ? problem : read(BanjoField::Clearance, ReadClearanceText, figures.clearance);
    for (auto [field, figure] :
         {std::pair{BanjoField::MaxA, &figures.maxA}, {BanjoField::MaxLast, &figures.maxLast}}) {
        if (!problem && !TrimSpaces(text(field)).empty()) {
            problem = read(field, teeth, *figure);
        }
    }
    if (problem) {
        return problem;
    }
    // Every figure is given, so only the slot's ends can be wrong together.
    const std::string studMax = Lowercase(name(BanjoField::StudMax));
    const BanjoNames slotNames{.module = name(BanjoField::Pitch),
                               .dp = names.dp,
                               .centreDistance = name(BanjoField::CentreDistance),
                               .studMin = name(BanjoField::StudMin),
                               .studMax = studMax,
                               .quoted = true};
    Banjo read_banjo;
    if (std::string slot = BanjoOf(figures, slotNames, read_banjo); !slot.empty()) {
        return BanjoFormProblem{BanjoField::StudMin, slot};
    }
    banjo = read_banjo;
    dp = figures.dp;
    return std::nullopt;
}
