#include "TestDb.h"
