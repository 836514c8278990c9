# Helpers of the statistics sheet's end-to-end tests; sourced after lib.sh.

# The texts of the controls IDS on the sheet's current page, one a line.
sheet_text() {
    driver text "$@" | tr -d '\r'
}

# The seventeen cells of the statistics page in display order, on one line.
CELL_IDS=("$IDC_CUR_SESSION" "$IDC_LAST_SESSION" "$IDC_DIFF_SESSION" "$IDC_CUR_DAY" "$IDC_LAST_DAY"
          "$IDC_DIFF_DAY" "$IDC_CUR_WEEK" "$IDC_LAST_WEEK" "$IDC_DIFF_WEEK" "$IDC_CUR_MONTH"
          "$IDC_LAST_MONTH" "$IDC_DIFF_MONTH" "$IDC_CUR_YEAR" "$IDC_LAST_YEAR" "$IDC_DIFF_YEAR"
          "$IDC_CUR_TOTAL" "$IDC_CLOCK")
cells() {
    sheet_text "${CELL_IDS[@]}" | paste -sd ' '
}

# The cells without the clock, which runs on.
counter_cells() {
    cells | awk '{ NF--; print }'
}

# "left top right bottom visible" of control ID (0: the sheet).
rect_of() {
    driver rect "$1" | tr -d '\r'
}

sheet_count() {
    driver sheets | tr -d '\r'
}

wait_no_sheet() {
    local i
    for ((i = 0; i < 100; i++)); do
        [[ "$(sheet_count)" == 0 ]] && return 0
        sleep 0.1
    done
    return 1
}

# Waits until control ID on the current page reads TEXT.
wait_text() {
    local id=$1 want=$2 i
    for ((i = 0; i < 50; i++)); do
        [[ "$(sheet_text "$id")" == "$want" ]] && return 0
        sleep 0.1
    done
    fail "control $id reads '$(sheet_text "$id")', want '$want'"
}

# The sheet is where CenterWindowOnScreen puts it on the 1024 x 768 screen.
expect_centred() {
    local what=$1 l t r b v x y
    read -r l t r b v <<<"$(rect_of 0)"
    x=$((512 - (r - l) / 2))
    y=$((384 - (b - t) / 2))
    ((x < 0)) && x=0
    ((y < 0)) && y=0
    expect_eq "$what: sheet left" "$x" "$l"
    expect_eq "$what: sheet top" "$y" "$t"
    expect_eq "$what: sheet visible" 1 "$v"
}
