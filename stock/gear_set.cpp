#include "stock/gear_set.h"
