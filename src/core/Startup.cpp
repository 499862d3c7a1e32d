#include "core/Startup.h"
