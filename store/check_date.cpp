#include "counters.h"

void CheckDate() {}
