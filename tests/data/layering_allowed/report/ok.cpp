#include "app/chart_state.h"
#include "report/report_document.h"
