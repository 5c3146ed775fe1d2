#include "train.h"

double TrainRatio(const SolutionRecord& train) {
    return static_cast<double>(train.driver1 * train.driver2) /
           static_cast<double>(train.driven1 * train.driven2);
}
