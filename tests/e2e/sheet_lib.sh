# Helpers of the statistics sheet's end-to-end tests; sourced after lib.sh.

# The texts of the controls IDS on the sheet's current page, one a line.
sheet_text() {
    driver text "$@" | tr -d '\r'
}

# The sixteen counter cells of the statistics page in display order, on one line.
counter_cells() {
    sheet_text "$IDC_CUR_SESSION" "$IDC_LAST_SESSION" "$IDC_DIFF_SESSION" "$IDC_CUR_DAY" \
        "$IDC_LAST_DAY" "$IDC_DIFF_DAY" "$IDC_CUR_WEEK" "$IDC_LAST_WEEK" "$IDC_DIFF_WEEK" \
        "$IDC_CUR_MONTH" "$IDC_LAST_MONTH" "$IDC_DIFF_MONTH" "$IDC_CUR_YEAR" "$IDC_LAST_YEAR" \
        "$IDC_DIFF_YEAR" "$IDC_CUR_TOTAL" | paste -sd ' '
}

sheet_count() { driver sheets | tr -d '\r'; }

no_sheet() { [[ "$(sheet_count)" == 0 ]]; }
wait_no_sheet() { within 10 no_sheet; }
# Hide, the sheet's one button, closes it.
hide_sheet() { check "Hide" driver press 2 && check "sheet closes" wait_no_sheet; }

# Waits until control ID on the current page reads TEXT.
reads() { [[ "$(sheet_text "$1")" == "$2" ]]; }
wait_text() {
    within 5 reads "$1" "$2" || fail "control $1 reads '$(sheet_text "$1")', want '$2'"
}

# A copy started without -Auto posts itself the sheet's opening right after
# creating its window, before its message loop; a question posted by a
# process started once that window was seen queues behind it, as it does
# behind anything posted before: its answer shows all that was handled.
settle() {
    check "$1: terminate" driver command "$MAIN_CLASS" "$IDM_TERMINATE"
    driver answer "terminate" no 10000 >/dev/null || fail "$1: no question"
}

expect_no_sheet() {
    settle "$1"
    expect_eq "$1: no sheet" 0 "$(sheet_count)"
}

