# Lumo's front door: `make run` and `make test` set up everything they need.
SHELL := /bin/bash
.DEFAULT_GOAL := build

BUILD       ?= build
ASAN_BUILD  ?= build-asan
TSAN_BUILD  ?= build-tsan
FUZZ_BUILD  ?= build-fuzz
JOBS        ?= $(shell nproc)
FUZZ_SECONDS       ?= 20
FUZZ_LONG_SECONDS  ?= 300

# Debian packages the build, the tests and the program need.
PACKAGES := cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev \
            libbenchmark-dev libjpeg62-turbo-dev pkg-config qt6-base-dev xvfb xauth \
            fonts-dejavu-core poppler-utils libcsv-dev \
            help2man man-db groff-base dpkg-dev file desktop-file-utils appstream bash-completion \
            dbus-daemon dbus-bin at-spi2-core python3-pyatspi

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: build install-deps test test-normal test-asan test-tsan fuzz fuzz-build fuzz-smoke bench run clean

install-deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

$(BUILD)/build.ninja: | install-deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/build.ninja: | install-deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMO_SANITIZE=ON -DLUMO_BENCH=OFF

$(TSAN_BUILD)/build.ninja: | install-deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMO_TSAN=ON -DLUMO_BENCH=OFF

$(FUZZ_BUILD)/build.ninja: | install-deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMO_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++

build: install-deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: test-normal test-asan test-tsan fuzz-smoke package-check

test-normal: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: install-deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# The core, the command line and their tests (no Qt) under ThreadSanitizer, so a race
# between a transfer's worker and its caller fails the run. Address-space randomisation
# is switched off where the system allows, as some kernels' layouts defeat the sanitizer.
test-tsan: install-deps $(TSAN_BUILD)/build.ninja
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	cd $(TSAN_BUILD) && norandom=$$(setarch $$(uname -m) -R true 2>/dev/null && echo "setarch $$(uname -m) -R"); \
	  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $$norandom ctest --output-on-failure -j $(JOBS)

fuzz-build: install-deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Every fuzz target briefly, on its seed corpus and fresh inputs.
fuzz-smoke: fuzz-build
	@bash tests/fuzz/run_fuzzers.sh $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS)

# The fuzz targets, then the channel window under random events with fresh seeds.
fuzz: fuzz-build build
	@bash tests/fuzz/run_fuzzers.sh $(FUZZ_BUILD)/fuzz $(FUZZ_LONG_SECONDS)
	@echo "== channel window, random events: $(FUZZ_LONG_SECONDS)s"
	@$(BUILD)/tests/channel_window_random_tests --seconds $(FUZZ_LONG_SECONDS)

bench: build
	@bash bench/run_benchmarks.sh $(BUILD)

run: build
	@bash tools/run_demo.sh $(BUILD)

# Installing and packaging: `make install PREFIX=~/.local` (DESTDIR honoured), or
# `make package` for build/lumo_VERSION_ARCH.deb; package-check builds the package
# and checks it as a user's machine meets it.
PREFIX ?= /usr/local
.PHONY: install package package-check

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: build
	cmake --build $(BUILD) -j $(JOBS) --target package

package-check: build
	@bash tools/check_package.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) fuzz-out
