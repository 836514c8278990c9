# Tallywhirl: `make run` builds and starts the program under Wine,
# `make test` runs the whole test suite. A plain `make` builds the product
# (win32) and the host tests; the fuzz preset, which needs clang's fuzzing
# runtime, is built only for `make test` (it replays the fuzz corpora) and
# `make fuzz`.
.PHONY: all deps win32 host fuzz-build fuzz run stop test bench format clean

all: win32 host

# The packages are checked once, and again only when the list in deps.sh
# changes: a package removed by hand afterwards is not noticed (run
# `make deps` to check again).
DEPS_STAMP := build/deps.stamp
$(DEPS_STAMP): scripts/deps.sh
	@bash scripts/deps.sh
	@mkdir -p build && touch $@

deps:
	@bash scripts/deps.sh
	@mkdir -p build && touch $(DEPS_STAMP)

# Each build says in one line what it made; the compiler's own output is
# shown only on a warning or a failure (scripts/quiet.sh).
win32: $(DEPS_STAMP)
	@cmake --preset win32 >/dev/null
	@bash scripts/quiet.sh cmake --build --preset win32 -j2
	@echo "built build/win32: Tallywhirl.exe $$(stat -c %s build/win32/Tallywhirl.exe) bytes, Tallywhirl.dll $$(stat -c %s build/win32/Tallywhirl.dll) bytes, the Wine tests and the driver"

host: $(DEPS_STAMP)
	@cmake --preset host >/dev/null
	@bash scripts/quiet.sh cmake --build --preset host -j2
	@echo "built build/host: the platform-free logic and its unit tests"

fuzz-build: $(DEPS_STAMP)
	@cmake --preset fuzz >/dev/null
	@bash scripts/quiet.sh cmake --build --preset fuzz -j2
	@echo "built build/fuzz: the fuzz targets"

fuzz: fuzz-build
	@bash scripts/fuzz.sh

run: win32
	@bash scripts/run.sh

stop:
	@bash scripts/run.sh stop

test: win32 host fuzz-build
	@bash scripts/test.sh

bench: win32
	@bash bench/run.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
