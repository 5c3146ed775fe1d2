#include "app/window_setup.h"
