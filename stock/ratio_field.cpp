#include "stock/ratio_field.h"
