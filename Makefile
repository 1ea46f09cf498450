# Two commands for an operator on a fresh Debian machine: `make run` and `make test`.
JOBS     ?= $(shell nproc)
BUILD    ?= build
ASAN     ?= build-asan
STATION  ?= station

.PHONY: run test deps build build-asan unit bench station clean format

deps:
	@scripts/install-deps.sh

$(BUILD)/Makefile: CMakeLists.txt | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

$(ASAN)/Makefile: CMakeLists.txt | deps
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DVORKAN_SANITIZE=ON -DVORKAN_UI=OFF -DVORKAN_BENCH=OFF

build-asan: deps $(ASAN)/Makefile
	cmake --build $(ASAN) -j $(JOBS)

# Every test of the normal build (unit and end-to-end), then the unit tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer.
test: build build-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -L unit

station: build
	@scripts/prepare-station.sh $(STATION)

run: station
	cd $(STATION) && LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=$${TERM:-xterm-256color} ../$(BUILD)/vorkan

bench: build
	$(BUILD)/vorkan_bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN)
