#include "db/Error.h"
