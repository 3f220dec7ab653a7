# Everything runs from here: `make test`, `make demo`, `make bench`.
BUILD ?= build
JOBS ?= 2
WINE_STATE = $(BUILD)/wine
# The debug build checks the lock-rule assertions of the driver: it builds and
# tests the driver, its host and kahost only.
DEBUG_BUILD ?= $(BUILD)-debug
DEBUG_SKIP = RvString;RvWindow;RvListCtrl;RvTLPM
DEBUG_TARGETS = lumencor_v2_device lumencor_v2_device_tests lumencor_v2_device_emulator_tests \
  host_tests kahost
DEBUG_TESTS = lumencor_v2|host_tests|kahost|wine_session

.PHONY: all deps configure build test test-release test-debug demo bench format format-check clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: test-release test-debug

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-debug: deps
	@cmake -S . -B $(DEBUG_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Debug "-DRV_SKIP_PARTS=$(DEBUG_SKIP)" >/dev/null
	@cmake --build $(DEBUG_BUILD) -j $(JOBS) --target $(DEBUG_TARGETS)
	cd $(DEBUG_BUILD) && ctest --output-on-failure -j $(JOBS) -R "$(DEBUG_TESTS)"

demo: build
	@COM=$(COM) tools/demo.sh $(BUILD); status=$$?; \
	 tools/wine/session.sh stop $(WINE_STATE); exit $$status

bench: build
	@status=0; for b in $(BUILD)/bin/bench_*.exe; do \
	   echo "== $$(basename $$b .exe)"; \
	   tools/wine/with_emulator.sh $(WINE_STATE) -- $$b || status=1; \
	 done; tools/wine/session.sh stop $(WINE_STATE); exit $$status

format: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Fails when a tracked source file is not formatted.
format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(DEBUG_BUILD)
