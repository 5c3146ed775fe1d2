#include "calc/recalculate.h"
