# Everything runs from here: `make test`, `make demo`, `make bench`.
BUILD ?= build
JOBS ?= 2
WINE_STATE = $(BUILD)/wine

.PHONY: all deps configure build test demo bench format clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@COM=$(COM) tools/demo.sh $(BUILD); status=$$?; \
	 tools/wine/session.sh stop $(WINE_STATE); exit $$status

bench: build
	@status=0; for b in $(BUILD)/bin/bench_*.exe; do \
	   echo "== $$(basename $$b .exe)"; \
	   tools/wine/with_emulator.sh $(WINE_STATE) -- $$b || status=1; \
	 done; tools/wine/session.sh stop $(WINE_STATE); exit $$status

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
