#include "report/report_module.h"
#include "report/report_options.h"
#include "cli/commands.h"
