# Sourced: puts the Wine that can run this machine's tests first on PATH.
# Debian's Wine runs 32-bit programs as 32-bit Linux processes, which a
# kernel with ia32 emulation switched off refuses ("Exec format error"). A
# Wine built in the WoW64 mode (scripts/build-wine.sh) runs them inside a
# 64-bit process instead, on a 64-bit prefix, as 64-bit Windows does.
# That one is used only when TW_WINE_WOW64_DIR names its folder: it still
# needs a processor that may run 32-bit code, which some virtual machines
# refuse, and the suite has yet to pass on it in full. Sets TW_WINE_WOW64=1
# when it is used; TW_WINE_RUNS=0 when neither Wine runs.
TW_WINE_RUNS=1
if ! wine --version >/dev/null 2>&1; then
    if [[ -n ${TW_WINE_WOW64_DIR:-} && -x "$TW_WINE_WOW64_DIR/bin/wine" ]]; then
        export PATH="$TW_WINE_WOW64_DIR/bin:$PATH"
        export TW_WINE_WOW64=1
    elif grep -q 'Exec format error' <<<"$(wine --version 2>&1)"; then
        TW_WINE_RUNS=0
    fi
fi
