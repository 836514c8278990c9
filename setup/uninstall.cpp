#include "setup.h"

int Uninstall() {
    return 1;
}
