# The README's commands. Each installs what is missing first, so a fresh Debian machine needs
# nothing else.
NATIVE  := build/native
WINDOWS := build/windows
JOBS    ?= $(shell nproc)
# dist/Velora.exe must stay below this many bytes.
DIST_LIMIT := 10000000

.PHONY: setup native windows test run dist clean

setup:
	@bash tools/setup.sh

$(NATIVE)/CMakeCache.txt: | setup
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WINDOWS)/CMakeCache.txt: | setup
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

native: setup $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

windows: setup $(WINDOWS)/CMakeCache.txt
	cmake --build $(WINDOWS) -j $(JOBS)

# Benchmarks of the native tree (Google Benchmark), printed as time per iteration.
.PHONY: bench
bench: setup $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS) --target velora_benchmarks
	$(NATIVE)/benchmarks/velora_benchmarks

test: native windows
	cd $(NATIVE) && ctest --output-on-failure
	cd $(WINDOWS) && ../../tools/wine-run.sh --session ctest --output-on-failure

# Optimised and stripped; the symbols stay in $(WINDOWS)/bin/Velora.exe.debug.
dist: setup $(WINDOWS)/CMakeCache.txt
	cmake --build $(WINDOWS) -j $(JOBS) --target Velora
	bash tools/ship-exe.sh $(WINDOWS)/bin/Velora.exe dist/Velora.exe $(DIST_LIMIT)

run: dist
	tools/wine-run.sh dist/Velora.exe

clean:
	rm -rf build dist
