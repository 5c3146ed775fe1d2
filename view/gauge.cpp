#include "view/gauge.h"
