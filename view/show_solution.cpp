#include "view/show_solution.h"
