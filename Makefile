# Two commands for an operator on a fresh Debian machine: `make run` and `make test`.
JOBS     ?= $(shell nproc)
BUILD    ?= build
ASAN     ?= build-asan
TSAN     ?= build-tsan
FUZZ     ?= build-fuzz
# How long `make fuzz` runs each target; `make test` runs each for 20 seconds.
FUZZ_SECONDS ?= 300
STATION  ?= station
# `make install` / `make uninstall`: where, and an optional staging root (DESTDIR=...).
PREFIX   ?= /usr/local

.PHONY: run test deps deps-test build build-test build-asan build-tsan build-fuzz fuzz unit bench \
	station install uninstall deb clean format

# What building and running need; `make test` adds the test tools.
deps:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

$(BUILD)/Makefile: CMakeLists.txt | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

# The tests and benchmarks are built once their libraries are there: configure again after
# installing them (a build tree made by `make run` found none).
build-test: deps-test $(BUILD)/Makefile
	cmake -S . -B $(BUILD) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

$(ASAN)/Makefile: CMakeLists.txt | deps-test
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DVORKAN_SANITIZE=ON -DVORKAN_BENCH=OFF

build-asan: deps-test $(ASAN)/Makefile
	cmake --build $(ASAN) -j $(JOBS)

# ThreadSanitizer: only the modules whose tests run threads against each other.
TSAN_TESTS = net_tests cw_tests
$(TSAN)/Makefile: CMakeLists.txt | deps-test
	cmake -S . -B $(TSAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORKAN_TSAN=ON -DVORKAN_UI=OFF -DVORKAN_BENCH=OFF

build-tsan: deps-test $(TSAN)/Makefile
	cmake --build $(TSAN) -j $(JOBS) --target $(TSAN_TESTS)

# The libFuzzer targets, built with Debian's clang.
$(FUZZ)/Makefile: CMakeLists.txt | deps-test
	CXX=clang++-14 cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORKAN_FUZZ=ON

build-fuzz: deps-test $(FUZZ)/Makefile
	cmake --build $(FUZZ) -j $(JOBS)

fuzz: build-fuzz
	cd $(FUZZ) && FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --output-on-failure -L fuzz

# Every test of the normal build (unit and end-to-end), then the unit tests (the UI's too) once
# more under AddressSanitizer and UndefinedBehaviorSanitizer, the threaded modules' tests under
# ThreadSanitizer, then each fuzz target briefly.
test: build-test build-asan build-tsan build-fuzz
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -L unit
	cd $(TSAN) && for t in $(TSAN_TESTS); do TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ./$$t || exit 1; done
	cd $(FUZZ) && FUZZ_SECONDS=20 ctest --output-on-failure -j $(JOBS) -L fuzz

station: build
	@scripts/prepare-station.sh $(STATION)

run: station
	cd $(STATION) && TERM=$${TERM:-xterm-256color} ../$(BUILD)/vorkan

bench: build-test
	$(BUILD)/vorkan_bench

# Installs into $(DESTDIR)$(PREFIX): bin/vorkan, share/vorkan, share/locale, share/man,
# share/doc/vorkan.  `make uninstall` removes what the last install put there.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@[ -f $(BUILD)/install_manifest.txt ] || { echo "nothing installed from $(BUILD)"; exit 1; }
	xargs -d '\n' rm -f -- < $(BUILD)/install_manifest.txt
	-rmdir $(DESTDIR)$(PREFIX)/share/vorkan $(DESTDIR)$(PREFIX)/share/doc/vorkan 2>/dev/null
	rm -f $(BUILD)/install_manifest.txt

# The Debian package vorkan_<version>_<arch>.deb, in $(BUILD).
deb: build
	cd $(BUILD) && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN) $(TSAN) $(FUZZ)
