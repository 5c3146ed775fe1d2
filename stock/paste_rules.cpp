#include "stock/paste_rules.h"
