#include "app/chart.h"
#include "report/report_document.h"
