#include "stock/multiplicity_dialog.h"
