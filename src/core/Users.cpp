#include "core/Users.h"
