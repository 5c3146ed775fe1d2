#include "chart_request.h"

#include "open_lathe.h"
#include "train_modes.h"

std::optional<ChartRequest> WindowChartRequest(HWND mainWindow, const std::vector<Pitch>& pitches) {
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
    request.train = TrainKindChecked(mainWindow);
    request.banjo = lathe.banjo;
    return request;
}
