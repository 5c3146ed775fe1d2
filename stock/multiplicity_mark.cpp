#include "stock/multiplicity_mark.h"
