#!/usr/bin/env bash
# Counts non-blank lines of the tracked sources (C and C++, resource scripts,
# .def, shell, Python, CMake files, Makefile) by part of the tree, and the
# tests' share of all of it. Fuzz corpora and pictures are not sources.
set -euo pipefail
cd "$(dirname "$0")/.."

is_source() {
    case "$1" in
    tests/fuzz/corpus/*) return 1 ;;
    *.c | *.cpp | *.h | *.rc | *.rc.in | *.def | *.sh | *.py | *.cmake) return 0 ;;
    */CMakeLists.txt | CMakeLists.txt | Makefile | .ci/run) return 0 ;;
    esac
    return 1
}

declare -A lines=([product]=0 [tests]=0 [benchmarks]=0 [scripts]=0)
while IFS= read -r f; do
    is_source "$f" || continue
    case "$f" in
    tests/*) part=tests ;;
    bench/*) part=benchmarks ;;
    scripts/* | .ci/*) part=scripts ;;
    *) part=product ;;
    esac
    n=$(grep -c '[^[:space:]]' "$f" || true)
    lines[$part]=$((lines[$part] + n))
done < <(git ls-files)

total=$((lines[product] + lines[tests] + lines[benchmarks] + lines[scripts]))
for part in product tests benchmarks scripts; do
    printf '%-11s %6d\n' "$part" "${lines[$part]}"
done
printf '%-11s %6d\n' all "$total"
printf 'tests share %d.%d %%\n' $((lines[tests] * 100 / total)) $((lines[tests] * 1000 / total % 10))
