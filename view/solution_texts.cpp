#include "view/solution_texts.h"
