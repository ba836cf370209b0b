#include "report/report_writer.h"
#include "report/chart_picture.h"
#include <QWidget>
