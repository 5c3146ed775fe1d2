#include "view/navigation.h"
