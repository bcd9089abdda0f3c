# The README's commands. Each installs what is missing first, so a fresh Debian machine needs
# nothing else.
NATIVE  := build/native
WINDOWS := build/windows
BENCH   := build/bench
FUZZ    := build/fuzz
# How long `make fuzz` runs each fuzz program.
FUZZ_SECONDS ?= 60
JOBS    ?= $(shell nproc)
# Windows test programs mostly wait on Wine and the display: more run at once than there are cores.
TEST_JOBS ?= 4
# dist/Velora.exe must stay below this many bytes.
DIST_LIMIT := 10000000
# When the command began: each long step prints how far in it ended, and `make test` its total.
STARTED := $(shell date +%s)
define elapsed
@t=$$(( $$(date +%s) - $(STARTED) )); echo "$(1): $$((t / 60)) min $$((t % 60)) s in"
endef
# ccache (installed by tools/setup.sh, used by every tree when present) keys its cache on paths
# relative to the repository, so a second clone or a new build tree reuses what one compiled.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: setup setup-fuzz setup-tidy native windows test run dist bench trials soak fuzz tidy clean

setup:
	@bash tools/setup.sh
	$(call elapsed,make setup)

setup-fuzz:
	@bash tools/setup.sh fuzz

setup-tidy:
	@bash tools/setup.sh tidy

$(NATIVE)/CMakeCache.txt: | setup
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WINDOWS)/CMakeCache.txt: | setup
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

# Optimised as the shipped program is (-O2, symbols for profilers) and without sanitizers, so the
# figures measure our code.
$(BENCH)/CMakeCache.txt: | setup
	cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELORA_SANITIZE=OFF

# Clang with libFuzzer and the sanitizers: a fuzz program per family of parsers of outside data.
$(FUZZ)/CMakeCache.txt: | setup-fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELORA_FUZZ=ON

native: setup $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)
	$(call elapsed,native tree built)

windows: setup $(WINDOWS)/CMakeCache.txt
	cmake --build $(WINDOWS) -j $(JOBS)
	$(call elapsed,Windows tree built)

# The native benchmarks (Google Benchmark), then under Wine the start-up time of dist/Velora.exe
# and its summon by hotkey, both against a bare window program, and the mouse hook's cost per
# event against an empty hook.
bench: dist $(BENCH)/CMakeCache.txt
	cmake --build $(BENCH) -j $(JOBS) --target velora_benchmarks
	$(BENCH)/benchmarks/velora_benchmarks
	cmake --build $(WINDOWS) -j $(JOBS) --target velora_startup_benchmark velora_summon_benchmark velora_bare_window
	tools/wine-run.sh --session tools/wine-run.sh $(WINDOWS)/bin/velora_startup_benchmark.exe \
	  $(CURDIR)/dist/Velora.exe $(CURDIR)/$(WINDOWS)/bin/velora_bare_window.exe
	tools/wine-run.sh --session tools/wine-run.sh $(WINDOWS)/bin/velora_summon_benchmark.exe \
	  $(CURDIR)/dist/Velora.exe $(CURDIR)/$(WINDOWS)/bin/velora_bare_window.exe

# Each program runs FUZZ_SECONDS from a scratch copy of its seeds in fuzz/corpus/; a crash fails
# and leaves its input in $(FUZZ)/fuzz-artifacts/.
fuzz: setup-fuzz $(FUZZ)/CMakeCache.txt
	cmake --build $(FUZZ) -j $(JOBS) --target velora_fuzzers
	bash fuzz/run.sh $(FUZZ) $(FUZZ_SECONDS)

# clang-tidy with the checks of .clang-tidy over the program's sources, in both trees (their
# compile databases and generated headers); any finding fails.
tidy: setup-tidy native windows
	JOBS=$(JOBS) bash tools/tidy.sh $(NATIVE) $(WINDOWS)
	$(call elapsed,make tidy done)

# Independent test programs run side by side; those that share the display, its input and its
# clipboard take turns (their RESOURCE_LOCK), but for the end-to-end parts, each on a display of
# its own.
test: native windows
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)
	cd $(WINDOWS) && ../../tools/wine-run.sh --session ctest --output-on-failure -j $(TEST_JOBS)
	$(call elapsed,make test done)

# Optimised and stripped, the screensaver beside the program; the symbols stay in
# $(WINDOWS)/bin/Velora.exe.debug and $(WINDOWS)/bin/FlipIt.scr.debug.
dist: setup $(WINDOWS)/CMakeCache.txt
	cmake --build $(WINDOWS) -j $(JOBS) --target Velora FlipIt
	bash tools/ship-exe.sh $(WINDOWS)/bin/Velora.exe dist/Velora.exe $(DIST_LIMIT)
	bash tools/ship-exe.sh $(WINDOWS)/bin/FlipIt.scr dist/FlipIt.scr $(DIST_LIMIT)

# Ends a private copy of the program with TerminateProcess while it saves its settings or adds
# dropped files, TRIALS times, and checks what it left on disk each time.
TRIALS ?= 200
trials: setup $(WINDOWS)/CMakeCache.txt
	cmake --build $(WINDOWS) -j $(JOBS) --target velora_kill_trials
	tools/wine-run.sh --session tools/wine-run.sh $(WINDOWS)/tests/trials/velora_kill_trials.exe --trials $(TRIALS)

# Drives a private copy of dist/Velora.exe through SOAK_CYCLES rounds of summon, next page, item
# menu, snippet launch and hide; fails when its private bytes grow by more than 1 MB after the
# warm-up or its count of windows changes.
SOAK_CYCLES ?= 2000
soak: dist
	cmake --build $(WINDOWS) -j $(JOBS) --target velora_soak
	tools/wine-run.sh --session tools/wine-run.sh $(WINDOWS)/tests/soak/velora_soak.exe \
	  --cycles $(SOAK_CYCLES) --exe $(CURDIR)/dist/Velora.exe

run: dist
	tools/wine-run.sh dist/Velora.exe

clean:
	rm -rf build dist
