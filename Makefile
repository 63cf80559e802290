# SPDX-License-Identifier: GPL-3.0-or-later
# make run   installs what is missing, builds and starts Sweepora
# make test  installs what is missing, builds and runs every test headless
# make test-sanitize builds in build-asan with AddressSanitizer and
#                    UndefinedBehaviorSanitizer and runs every test there
# make fuzz          builds the fuzz targets with clang in build-fuzz and runs
#                    each for FUZZ_SECONDS (default 300)
# make package       builds the Debian package build/sweepora_*.deb
# make package-test  builds, installs, runs and purges that package (as root:
#                    it changes /usr; CI runs it as part of make test)
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
JOBS ?= 2

.PHONY: all deps build run test test-sanitize fuzz bench package package-test install clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/src/app/sweepora

test: build
	scripts/run-tests.sh $(BUILD_DIR)

# -O1 with line tables: quick enough to build and run, and every finding
# names its file and line.
$(SANITIZE_DIR)/CMakeCache.txt:
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DSWEEPORA_SANITIZE=ON

test-sanitize: deps $(SANITIZE_DIR)/CMakeCache.txt
	cmake --build $(SANITIZE_DIR) -j$(JOBS)
	scripts/run-tests.sh $(SANITIZE_DIR)

fuzz: deps
	scripts/fuzz.sh --long $(FUZZ_DIR)

package: build
	cd $(BUILD_DIR) && cpack

package-test: build
	@scripts/install-deps.sh --package
	SWEEPORA_PACKAGE_TEST=1 scripts/package-test.sh $(BUILD_DIR)

# make install [PREFIX=/usr/local] [DESTDIR=...]
install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

bench: build
	@scripts/install-deps.sh --bench
	bench/run.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
