#include "stock/gear_set_copy.h"
