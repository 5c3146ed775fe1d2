#include "chart_request.h"

#include "open_lathe.h"

std::optional<ChartRequest> WindowChartRequest(const std::vector<Pitch>& pitches) {
    const Lathe lathe = WindowLathe();
    if (!lathe.leadscrew) {
        return std::nullopt;
    }
    ChartRequest request;
    request.lathe.leadscrew = *lathe.leadscrew;
    request.lathe.fixed = lathe.fixed;
    request.pitches = pitches;
    request.stock = lathe.stock;
    request.tolerance = kThreadTolerance;
    request.fitMargin = lathe.fitMargin;
    // The window's trains have four gears and no banjo yet; its train kind
    // (request.train) and banjo (request.banjo) go here once it has them.
    return request;
}
