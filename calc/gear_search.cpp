#include "calc/gear_search.h"
