# Tallywhirl: `make run` builds and starts the program under Wine,
# `make test` runs the whole test suite.
.PHONY: all deps win32 host fuzz-build fuzz run stop test bench format clean

all: win32 host fuzz-build

deps:
	@bash scripts/deps.sh

win32: deps
	@cmake --preset win32 >/dev/null
	@bash scripts/quiet.sh cmake --build --preset win32 -j2

host: deps
	@cmake --preset host >/dev/null
	@bash scripts/quiet.sh cmake --build --preset host -j2

fuzz-build: deps
	@cmake --preset fuzz >/dev/null
	@bash scripts/quiet.sh cmake --build --preset fuzz -j2

fuzz: fuzz-build
	@bash scripts/fuzz.sh

run: win32
	@bash scripts/run.sh

stop:
	@bash scripts/run.sh stop

test: all
	@bash scripts/test.sh

bench: win32
	@bash bench/run.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
