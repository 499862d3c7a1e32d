#include "db/Script.h"
