#include "admin/DataFolder.h"
