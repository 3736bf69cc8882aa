#include "cli/json_dump.h"
