// Which cell of the statistics page shows which count.
#include "display_map.h"
#include "../res/resource_ids.h"

const int CurrentIds[PeriodCount] = {IDC_CUR_SESSION, IDC_CUR_DAY,  IDC_CUR_WEEK,
                                     IDC_CUR_MONTH,   IDC_CUR_YEAR, IDC_CUR_TOTAL};
const int LastIds[PeriodsWithLast] = {IDC_LAST_SESSION, IDC_LAST_DAY, IDC_LAST_WEEK, IDC_LAST_MONTH,
                                      IDC_LAST_YEAR};
const int DifferenceIds[PeriodsWithLast] = {IDC_DIFF_SESSION, IDC_DIFF_DAY, IDC_DIFF_WEEK,
                                            IDC_DIFF_MONTH, IDC_DIFF_YEAR};
